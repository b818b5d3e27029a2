#include "tests/catalogue/Filmkatalog.h"

#include "frame/Katalogschema.h"
#include "platform/db/Database.h"
#include "platform/ini/IniFile.h"

#include <gtest/gtest.h>

namespace testing_support {

namespace {

struct Titel {
    const char* titel;
    QVariant anzahl;
    const char* format;
    const char* qualität;
    const char* mappe;
    const char* wer;
    const char* info;
    const char* dten;
    const char* datum;
    const char* cat;
    const char* ausDatum;
    const char* cover;
    const char* size;
    const char* unterordner;
};

// nullptr stores Null.
const Titel titelListe[] = {
    {"Alien", 1.0, "DVD", "1", "A", "-", "-", "-", "2025-01-10", "Science Fiction Akt", "-", "-", "0", "-"},
    {"Alien 3", 1.0, "DVD", "2", "A", "-", "-", "-", "2025-01-11", "Science Fiction", "-", "-", "0", "-"},
    {"Aliens", 2.0, "VCD", "1", "B", "-", "-", "-", "2025-01-12", "Science Fiction", "-", "-", "0", "-"},
    {"Ärger im Paradies", 1.0, "dvd", "2,5", "B", "-", "Ein Film", "dt", "2024-12-24", "Komödie", "-", "-", "700",
     "-"},
    {"Der Pate", 3.0, "DVD", "1.00", "C", "-", "-", "en", "2023-06-01", "Krimi", "-", "pate.jpg", "4700", "-"},
    {"Film #1", 1.0, "PC", "-", "C", "-", "-", "-", "2022-02-02", "Doku", "-", "-", "0", "-"},
    {"Film 31", 1.0, "PC", "-", "C", "-", "-", "-", "2022-02-03", "Öl", "-", "-", "0", "-"},
    {"Mask", 1.0, "MP3", "3", "D", "-", "-", "-", "2021-01-01", "Musik", "-", "-", "0", "-"},
    {"Matrix", 2.0, "DVD", "1.00", "A", "-", "Neo wacht auf", "dt", "2024-05-01", "Science Fiction Akt", "-",
     "-", "0", "1"},
    {"Matrix 2", 1.0, "DVD", "1.00", "A", "Maximilian Mustermann", "-", "-", "2024-05-02", "Science Fiction", "-",
     "-", "0", "-"},
    {"Ocean's Eleven", 1.0, "DVD", "1", "Kino's", "Anna", "-", "-", "2020-03-03", "Krimi", "05.03.2026", "-", "0",
     "-"},
    {"Öl", 1.0, "Audio", "1", "D", "-", "-", "-", "2019-09-09", "öl", "-", "-", "0", "-"},
    {"[Rec]", 1.0, "XVID", "4", "[x", "-", "-", "-", "2018-08-08", "Horror", "-", "-", "0", "-"},
    {"Zorro", QVariant(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
     nullptr, nullptr},
};

QVariant wert(const char* text)
{
    return text ? QVariant(QString::fromUtf8(text)) : QVariant();
}

}  // namespace

QStringList alleTitel()
{
    return {"[Rec]", "Alien", "Alien 3", "Aliens", "Ärger im Paradies", "Der Pate", "Film #1", "Film 31", "Mask",
            "Matrix", "Matrix 2", "Ocean's Eleven", "Öl", "Zorro"};
}

void cdIniSchreiben(const TempFolder& folder, const QByteArray& zeilen)
{
    // The look keys of a ready installation, so that the start shows no first-run message.
    folder.write("Cd.ini", "[DB]\r\nDB Name0=filme\r\n[Design]\r\nHintergrundfarbe=1\r\nBackcolor=16777215\r\n");
    const ini::IniFile datei(folder.file("Cd.ini"));
    QString abschnitt;
    for (const QString& zeile : QString::fromUtf8(zeilen).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts)) {
        if (zeile.startsWith('['))
            abschnitt = zeile.mid(1, zeile.size() - 2);
        else
            datei.write(abschnitt, zeile.section('=', 0, 0), zeile.section('=', 1));
    }
}

Filmkatalog::Filmkatalog(const QByteArray& cdIni, bool leer) : fake(folder.path())
{
    cdIniSchreiben(folder, cdIni);
    auto d = db::Database::create(folder.file("filme.mdb"));
    frame::schema::anlegen(*d, frame::schema::AktuelleVersion);
    if (leer)
        return;
    for (const Titel& t : titelListe) {
        d->execute(QStringLiteral("INSERT INTO Filme (Titel, Anzahl, Format, Qualität, Mappe, Wer, Info, Dten, Datum, "
                                  "Cat, AusDatum, Cover, Size, Unterordner) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
                   {wert(t.titel), t.anzahl, wert(t.format), wert(t.qualität), wert(t.mappe), wert(t.wer),
                    wert(t.info), wert(t.dten), wert(t.datum), wert(t.cat), wert(t.ausDatum), wert(t.cover),
                    wert(t.size), wert(t.unterordner)});
    }
    // Sub-entries of "Matrix": one from before folder and borrower were kept (Null).
    d->execute(QStringLiteral("INSERT INTO Unterordner (Titel, Titel2, Anzahl, Format, Qualität, Info, Dten, Cat, "
                              "Cover, Size, Mappe, Wer) VALUES ('Matrix', 'Matrix Teil 1', 1, 'DVD', '1', '-', '-', "
                              "'Extras', '-', '0', 'A', '-')"));
    d->execute(QStringLiteral("INSERT INTO Unterordner (Titel, Titel2, Anzahl, Format, Qualität, Info, Dten, Cat, "
                              "Cover, Size) VALUES ('Matrix', 'Matrix Teil 2', 1, 'DVD', '1', 'Making-of', 'en', "
                              "'Extras', 'teil2.jpg', '350')"));
    d->execute(QStringLiteral("INSERT INTO Ausleihe (Titel, Wer, AusDT, EinDT) VALUES "
                              "('Ocean''s Eleven', 'Anna', '05.03.2026', Null), "
                              "('Der Pate', 'Bernd', '01.01.2025', '02.02.2025'), "
                              "('Alien', 'Carla', '01.12.2026', Null)"));
}

frmFilme& Filmkatalog::fenster()
{
    if (!f) {
        f = std::make_unique<frmFilme>(fake.services);
        EXPECT_TRUE(f->Form_Load());
    }
    return *f;
}

QStringList Filmkatalog::zeilen() const
{
    QStringList z;
    for (int i = 0; i < f->c.lfListe->count(); ++i)
        z << f->c.lfListe->item(i)->text();
    return z;
}

QStringList Filmkatalog::titel() const
{
    QStringList t;
    for (const QString& z : zeilen())
        t << z.section(QLatin1Char('\t'), 0, 0);
    return t;
}

void Filmkatalog::ausführen(const QString& sql, const QVariantList& werte) const
{
    db::Database::open(folder.file("filme.mdb"))->execute(sql, werte);
}

}  // namespace testing_support
