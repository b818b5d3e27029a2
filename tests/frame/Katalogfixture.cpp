#include "tests/frame/Katalogfixture.h"

#include <iterator>

namespace testing_support {

namespace {

const Titel Beispiele[] = {
    {"Ocean's Eleven", 1, "DVD", "Heist"},
    {"Ärger im Paradies", 2.5, "VCD", "Komödie, ß und ü"},
    {"Matrix", 3, "DVD-9", "007"},
};

}  // namespace

const Titel* beispielTitel(int* anzahl)
{
    *anzahl = int(std::size(Beispiele));
    return Beispiele;
}

std::unique_ptr<db::Database> katalogAnlegen(const QString& pfad, const QString& version,
                                             frame::schema::Herkunft herkunft, const QString& bild,
                                             const QString& laden)
{
    auto datenbank = db::Database::create(pfad);
    frame::schema::anlegen(*datenbank, version, herkunft);
    for (const auto& t : Beispiele) {
        datenbank->execute(QStringLiteral("INSERT INTO Filme (Titel, Anzahl, Format, Qualität, Mappe, Wer, Info, Dten, "
                                          "Datum, AusDatum) VALUES (?,?,?,'1','A1','-',?,'dt','2024-03-05','-')"),
                           {QString::fromUtf8(t.titel), t.anzahl, QString::fromUtf8(t.format), QString::fromUtf8(t.info)});
    }
    // The empty markers of the columns the version has.
    const QStringList filme = datenbank->columnNames(QStringLiteral("Filme"));
    for (const char* c : {"Cat", "Cover", "Unterordner"}) {
        if (filme.contains(QString::fromUtf8(c)))
            datenbank->execute(QStringLiteral("UPDATE Filme SET \"%1\" = '-'").arg(QString::fromUtf8(c)));
    }
    if (filme.contains(QStringLiteral("Size")))
        datenbank->execute(QStringLiteral("UPDATE Filme SET Size = '0'"));
    if (datenbank->hasTable(QStringLiteral("Design"))) {
        datenbank->execute(QStringLiteral("UPDATE Design SET Bild=?, Laden=?, Label1='Mappe', Label2='Qualität', "
                                          "Label3='Format', Label4='Titel', Label5='Anzahl'"),
                           {bild, laden});
        const QStringList spalten = datenbank->columnNames(QStringLiteral("Design"));
        if (spalten.contains(QStringLiteral("Label6")))
            datenbank->execute(QStringLiteral("UPDATE Design SET Label6='Leiher'"));
        if (spalten.contains(QStringLiteral("Label7")))
            datenbank->execute(QStringLiteral("UPDATE Design SET Label7='Genre'"));
        if (spalten.contains(QStringLiteral("TextFont")))
            datenbank->execute(QStringLiteral("UPDATE Design SET TextFarbe='255', TextFont='Arial', TextBold='1', "
                                              "TextSize='12'"));
    }
    return datenbank;
}

QStringList spaltenBeschreibung(db::Database& datenbank, const QString& tabelle)
{
    const db::Result r = datenbank.query(QStringLiteral("SELECT name, type, pk FROM pragma_table_info(?)"), {tabelle});
    QStringList out;
    for (int i = 0; i < r.size(); ++i)
        out << r.value(i, 0).toString().toLower() + ' ' + r.value(i, 1).toString() + ' ' + r.value(i, 2).toString();
    out.sort();
    return out;
}

}  // namespace testing_support
