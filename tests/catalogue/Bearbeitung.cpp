#include "tests/catalogue/Bearbeitung.h"

#include "catalogue/Scanliste.h"
#include "tests/support/RohSqlite.h"

#include <gtest/gtest.h>

namespace testing_support {

void scanÜbergeben(frmFilme& f, const QStringList& einträge, bool alsUnterordner)
{
    QStringList namen;
    for (const QString& e : einträge)
        namen << katalog::eintragTeilen(e).name;
    f.c.lfListeCDeinlesen->setRows(einträge);
    f.c.lfListeCDEinlesenOhneGroesse->setRows(namen);
    f.c.tfUnterordner->setText(alsUnterordner ? QStringLiteral("1") : QStringLiteral("0"));
    f.c.tfCDInfo->setText(alsUnterordner ? QStringLiteral("0") : QStringLiteral("1"));
    f.przÜbernahmeFertig(!alsUnterordner);
}

std::vector<QStringList> katalogInhalt(const Filmkatalog& k)
{
    const QString pfad = k.folder.file("filme.mdb");
    std::vector<QStringList> alles = roh(pfad, QStringLiteral("SELECT * FROM Filme ORDER BY rowid"));
    for (QStringList& z : roh(pfad, QStringLiteral("SELECT * FROM Unterordner ORDER BY rowid")))
        alles.push_back(z);
    return alles;
}

QString spalte(const Filmkatalog& k, const QString& tabelle, const QString& spalte, const QString& titel)
{
    const char* schlüssel = tabelle == QLatin1String("Filme") ? "Titel" : "Titel2";
    const QString t = QString(titel).replace(QLatin1String("'"), QLatin1String("''"));
    return rohWert(k.folder.file("filme.mdb"), QStringLiteral("SELECT \"%1\" FROM %2 WHERE %3 = '%4'")
                                                   .arg(spalte, tabelle, QString::fromUtf8(schlüssel), t));
}

QString integrität(const Filmkatalog& k)
{
    return rohWert(k.folder.file("filme.mdb"), QStringLiteral("PRAGMA integrity_check"));
}

void titelKlicken(Filmkatalog& k, const QString& titel)
{
    const int zeile = k.titel().indexOf(titel);
    ASSERT_GE(zeile, 0) << titel.toStdString();
    k.f->c.lfListe->setCurrentRow(zeile);
}

frmFilme& zeigen(Filmkatalog& k, const QString& titel)
{
    frmFilme& f = k.fenster();
    f.przAlleListe();
    titelKlicken(k, titel);
    return f;
}

void erwarteVerweigert(const Filmkatalog& k, const QString& titel, const QString& fenstertitel,
                       const std::vector<QStringList>& vorher, const QString& grund)
{
    ASSERT_FALSE(k.fake.messages.shown.empty());
    const ShownMessage& m = k.fake.messages.shown.back();
    EXPECT_EQ(m.prompt, "Sorry '" + titel + "' kann nicht gespeichert werden!" + (grund.isEmpty() ? "" : "\n" + grund));
    EXPECT_EQ(m.flags, sys::mb::Critical);
    EXPECT_EQ(m.title, fenstertitel);
    EXPECT_EQ(katalogInhalt(k), vorher);
    EXPECT_EQ(integrität(k), "ok");
}

}  // namespace testing_support
