#include "tests/lending/Ausleihkatalog.h"

#include "frame/Katalogschema.h"
#include "platform/db/Database.h"
#include "tests/support/RohSqlite.h"


namespace testing_support {

namespace {

struct Titel {
    const char* titel;
    const char* mappe;  // nullptr: Null
    const char* wer;
};

// Folder "A": two free titles, one lent to Bernd, one to Carla; folder
// "Kino's": a free title with an apostrophe; a title without folder or borrower.
const Titel Titelliste[] = {
    {"Alien", "A", "-"},
    {"Ärger im Paradies", "a", "-"},
    {"Aliens", "A", "Bernd"},
    {"Der Pate", "A", "Carla"},
    {"Ocean's Eleven", "Kino's", "-"},
    {"Maske", "B", "Maximilian Mustermann"},
    {"Zorro", nullptr, nullptr},
};

QVariant wert(const char* t)
{
    return t ? QVariant(QString::fromUtf8(t)) : QVariant();
}

}  // namespace

Ausleihkatalog::Ausleihkatalog(const QByteArray& cdIni) : fake(folder.path())
{
    folder.write("Cd.ini", "[DB]\r\nDB Name0=filme\r\n" + cdIni);
    auto d = db::Database::create(pfad());
    frame::schema::anlegen(*d, frame::schema::AktuelleVersion);
    for (const Titel& t : Titelliste)
        d->execute(QStringLiteral("INSERT INTO Filme (Titel, Mappe, Wer, AusDatum, Anzahl) VALUES (?,?,?,'-',1)"),
                   {wert(t.titel), wert(t.mappe), wert(t.wer)});
    d->execute(QStringLiteral("INSERT INTO Ausleihe (Titel, Wer, AusDT, EinDT) VALUES "
                              "('Aliens', 'Bernd', '01.11.2026', Null), ('Der Pate', 'Carla', '02.11.2026', Null), "
                              "('Alien', 'Bernd', '01.01.2025', '02.01.2025')"));
}

void Ausleihkatalog::ausführen(const QString& sql, const QVariantList& werte) const
{
    db::Database::open(pfad())->execute(sql, werte);
}

std::vector<QStringList> Ausleihkatalog::filme() const
{
    return roh(pfad(), QStringLiteral("SELECT Titel, Mappe, Wer FROM Filme ORDER BY rowid"));
}

std::vector<QStringList> Ausleihkatalog::log() const
{
    return roh(pfad(), QStringLiteral("SELECT Titel, Wer, AusDT, EinDT FROM Ausleihe ORDER BY rowid"));
}

QString Ausleihkatalog::integrität() const
{
    return rohWert(pfad(), QStringLiteral("pragma integrity_check"));
}

}  // namespace testing_support
