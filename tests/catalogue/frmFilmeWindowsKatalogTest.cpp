// A Windows user's catalogue taken over at the main program's start: the
// question, the conversion by the real child program, the upgrade chain to the
// current version; every value read back plainly, the titles in the list.
#include "catalogue/frmFilme.h"

#include "frame/Katalogschema.h"
#include "platform/system/QtProzesse.h"
#include "tests/catalogue/Filmkatalog.h"
#include "tests/jetimport/Windowskatalog.h"
#include "tests/support/Doubles.h"
#include "tests/support/RohSqlite.h"
#include "tests/support/TempFolder.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class WindowsKatalogStart : public testing::TestWithParam<const char*> {};

TEST_P(WindowsKatalogStart, JederWertKommtDurchUmwandlungUndUpgradeZurueck)
{
    const QString version = QString::fromUtf8(GetParam());
    TempFolder folder;
    FakeServices fake(folder.path());
    sys::QtProzesse prozesse;
    fake.services.prozesse = &prozesse;
    fake.services.executableFolder = QStringLiteral(RDX_PROGRAM_DIR);
    cdIniSchreiben(folder, {});
    const jettest::KatalogInhalt inhalt = jetimporttest::reicherInhalt(version);
    jettest::katalog(folder.file("filme.mdb"), version, inhalt);
    const QByteArray windowsdatei = folder.read("filme.mdb");
    const QDateTime zeit = QFileInfo(folder.file("filme.mdb")).lastModified();

    fake.messages.answer(sys::mb::Yes);
    frmFilme f(fake.services);
    ASSERT_TRUE(f.Form_Load());
    const QStringList meldungen = fake.messages.prompts();
    const bool aktuell = version == frame::schema::AktuelleVersion;
    // The question, the summary and, for an older file, one box for the upgrade's steps.
    ASSERT_EQ(meldungen.size(), aktuell ? 2 : 3) << meldungen.join("\n|").toStdString();
    EXPECT_TRUE(meldungen[0].startsWith("Der Katalog \"filme.mdb\" stammt aus der Windows-Fassung."));
    EXPECT_TRUE(meldungen[1].startsWith("Übernahme des Windows-Katalogs")) << meldungen[1].toStdString();
    const QString bericht = QString::fromUtf8(folder.read("filme.import.txt"));
    if (!aktuell) {
        const QStringList schritte = {
            "DB erfolgreich auf Version 1.0.9 gepatcht.", "DB erfolgreich auf Version 1.0.9.1 gepatcht.",
            "DB erfolgreich auf Version 1.1.0 gepatcht.", "DB erfolgreich auf Version 1.1.1 gepatcht.",
            "DB erfolgreich auf Version 1.1.6 gepatcht.", "DB erfolgreich auf Version 1.3 gepatcht.",
            "DB erfolgreich auf Version 1.3.4 gepatcht.", "DB erfolgreich auf Version 1.4 gepatcht.",
            "DB erfolgreich auf Version 1.4.1 gepatcht."};
        EXPECT_EQ(meldungen[2], "Der übernommene Katalog ist jetzt auf der Version 1.4.1:\n\n" + schritte.join('\n'));
        EXPECT_EQ(fake.messages.shown[2].title, "DB Konvertierung");
        EXPECT_TRUE(bericht.startsWith(meldungen[1]));
        for (const QString& s : schritte)
            EXPECT_TRUE(bericht.contains("\n  " + s + "\n")) << s.toStdString();
    } else {
        EXPECT_EQ(bericht, meldungen[1]);
    }

    const QString katalog = folder.file("filme.mdb");
    EXPECT_EQ(rohWert(katalog, "SELECT nr FROM Version"), "1.4.1");
    EXPECT_EQ(rohWert(katalog, "PRAGMA integrity_check"), "ok");
    EXPECT_EQ(folder.read("filme.jet.mdb"), windowsdatei);
    EXPECT_EQ(QFileInfo(folder.file("filme.jet.mdb")).lastModified(), zeit);

    const std::vector<std::pair<QString, QString>> umbenannt = {
        {"ärger", "ärger [2]"},
        {"ärger CD1", "ärger CD1 [2]"},
        {"DER HERR DER RINGE - DIE ZWEI TÜRME (EXTENDED 123)", "DER HERR DER RINGE - DIE ZWEI TÜRME (EXTENDED [2]"}};
    for (const QString& tabelle : {QStringLiteral("Filme"), QStringLiteral("Unterordner"), QStringLiteral("Ausleihe")}) {
        if (!frame::schema::tabellen(version).contains(tabelle))
            continue;
        EXPECT_EQ(jetimporttest::werte(katalog, tabelle, version),
                  jetimporttest::erwarteteZeilen(tabelle, version, inhalt, umbenannt))
            << tabelle.toStdString();
    }

    f.przAlleListe();
    QStringList titel;
    for (int i = 0; i < f.c.lfListe->count(); ++i)
        titel << f.c.lfListe->item(i)->text().section(QLatin1Char('\t'), 0, 0);
    QStringList erwartet;
    for (const auto& zeile : jetimporttest::erwarteteZeilen("Filme", version, inhalt, umbenannt))
        erwartet << zeile[0];
    titel.sort();
    erwartet.sort();
    EXPECT_EQ(titel, erwartet);

    // The next start finds a catalogue of ours beside the kept Windows file: it asks nothing.
    fake.messages.shown.clear();
    frmFilme naechster(fake.services);
    ASSERT_TRUE(naechster.Form_Load());
    EXPECT_TRUE(fake.messages.shown.empty()) << fake.messages.prompts().join('|').toStdString();
    EXPECT_EQ(folder.read("filme.jet.mdb"), windowsdatei);
}

INSTANTIATE_TEST_SUITE_P(Versionen, WindowsKatalogStart, testing::Values("1.0.8", "1.4.1"),
                         [](const testing::TestParamInfo<const char*>& i) {
                             return QString::fromUtf8(i.param).replace('.', '_').toStdString();
                         });

// "Nein": the Windows file stays as it is, the box says what that means, and the start ends.
TEST(WindowsKatalogStart, NeinSagtWasEsHeisstUndEndetDenStart)
{
    TempFolder folder;
    FakeServices fake(folder.path());
    cdIniSchreiben(folder, {});
    jettest::katalog(folder.file("filme.mdb"), QStringLiteral("1.4.1"), jettest::KatalogInhalt{});
    const QByteArray vorher = folder.read("filme.mdb");
    fake.messages.answer(sys::mb::No);
    frmFilme f(fake.services);
    EXPECT_FALSE(f.Form_Load());
    ASSERT_EQ(fake.messages.shown.size(), 2u);
    const QString meldung = fake.messages.shown[1].prompt;
    EXPECT_TRUE(meldung.startsWith("Der Windows-Katalog \"filme.mdb\" bleibt, wie er ist.")) << meldung.toStdString();
    for (const char* teil : {"erst öffnen, wenn er übernommen ist", "beim nächsten Start fragt Rondavex wieder",
                             "\"tools\"", "unter einem anderen Namen übernehmen"})
        EXPECT_TRUE(meldung.contains(QString::fromUtf8(teil))) << teil;
    EXPECT_TRUE(meldung.endsWith("Rondavex wird beendet."));
    EXPECT_EQ(folder.read("filme.mdb"), vorher);
    EXPECT_TRUE(fake.prozesse.laeufe.empty());
}

}  // namespace
