#include "bench/Katalogfuellung.h"

#include "frame/Katalogschema.h"
#include "platform/db/Database.h"

#include <QDate>
#include <QFile>

#include <algorithm>
#include <cstdlib>

namespace bench {

void katalogFuellen(const QString& path, int n)
{
    static const char* const formate[] = {"DVD", "VCD", "SVCD", "MVCD", "XVID", "Audio", "MP3", "PC", "dvd", "DVD-9"};
    static const char* const qualitäten[] = {"1", "2", "1.00", "2,5", "-", "3", "4", "1,5", "2.00", "5",
                                              "0", "3,5", "6", "1-", "2+", "A", "B", "gut", "mies", "neu"};
    static const char* const kategorien[] = {"Krimi", "Komödie", "Science Fiction", "Doku", "Musik", "Öl", "Horror"};
    static const char* const größen[] = {"4700", "0", "4,7", "800", "700", "10000", "8000"};
    static const char* const sprachen[] = {"dt", "en", "dt/en", "-"};
    auto d = db::Database::create(path);
    frame::schema::anlegen(*d, frame::schema::AktuelleVersion);
    db::Database::Transaction t(*d);
    const QDate anfang(2000, 1, 1);
    for (int i = 0; i < n; ++i) {
        // Scrambled so that the index order is not the insertion order.
        const QString titel = QStringLiteral("Titel %1 Ärger").arg((i * 7919L) % n, 6, 10, QLatin1Char('0'));
        // A few cells are Null, as older versions and the tools grid leave them.
        const bool lücke = i % 997 == 0;
        const QVariant mappe = lücke ? QVariant() : QVariant(QStringLiteral("M%1").arg(i % 1000));
        // A few dozen categories: the seven words with a number of their own.
        const QVariant kat =
            lücke ? QVariant() : QVariant(QString::fromUtf8(kategorien[i % 7]) + QStringLiteral(" %1").arg(i % 5));
        d->execute(QStringLiteral("INSERT INTO Filme (Titel, Anzahl, Format, Qualität, Mappe, Wer, Info, Dten, Datum, "
                                  "Cat, AusDatum, Cover, Size, Unterordner) VALUES (?,?,?,?,?,?,?,?,?,?,?,'-',?,?)"),
                   {titel, double(1 + i % 3), QString::fromUtf8(formate[i % 10]),
                    QString::fromUtf8(qualitäten[i % 20]), mappe, i % 20 == 0 ? "Anna" : "-",
                    QStringLiteral("Info zu %1, ein wenig Text").arg(i), QString::fromUtf8(sprachen[i % 4]),
                    lücke ? QVariant() : QVariant(anfang.addDays(i % 9000).toString(QStringLiteral("yyyy-MM-dd"))),
                    kat, i % 20 == 0 ? "05.03.2024" : "-", QString::fromUtf8(größen[i % 7]),
                    i % 10 == 0 ? "1" : "-"});
        if (i % 10 == 0)
            d->execute(QStringLiteral("INSERT INTO Unterordner (Titel, Titel2, Anzahl, Size) VALUES (?, ?, 1, '700')"),
                       {titel, titel + QStringLiteral(" Teil 1")});
        if (i % 20 == 0)
            d->execute(QStringLiteral("INSERT INTO Ausleihe (Titel, Wer, AusDT) VALUES (?, 'Anna', '05.03.2024')"),
                       {titel});
    }
    t.commit();
}

bool cdIniSchreiben(const QString& ordner)
{
    QFile ini(ordner + QStringLiteral("/Cd.ini"));
    if (!ini.open(QIODevice::WriteOnly))
        return false;
    ini.write("[DB]\r\nDB Name0=filme\r\n[Design]\r\nDefault=0\r\nHintergrundfarbe=1\r\nBackcolor=16777215\r\n"
              "[Funktionen]\r\nSortierung=KF\r\n6tes Feld=W\r\n");
    return true;
}

Katalogbank::Katalogbank(int argc, char** argv, int rundenVorgabe)
    : n(argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000),
      runden(argc > 2 ? std::max(1, std::atoi(argv[2])) : rundenVorgabe),
      path(folder.filePath(QStringLiteral("filme.mdb")))
{
    katalogFuellen(path, n);
    services.programFolder = folder.path();
    services.messages = &meldungen;
    services.clock = &uhr;
}

QStringList dateinamen(int runde, int n, const QString& anhang)
{
    QStringList e;
    e.reserve(n);
    for (int i = 0; i < n; ++i)
        e << QStringLiteral("Datei%1_%2.avi").arg(runde).arg(i, 5, 10, QLatin1Char('0')) + anhang;
    return e;
}

void offscreen()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

double median(std::vector<double> werte)
{
    std::sort(werte.begin(), werte.end());
    return werte[werte.size() / 2];
}

}  // namespace bench
