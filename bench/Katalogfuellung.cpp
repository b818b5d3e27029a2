#include "bench/Katalogfuellung.h"

#include "frame/Katalogschema.h"
#include "platform/db/Database.h"

#include <algorithm>
#include <cstdlib>

namespace bench {

void katalogFuellen(const QString& path, int n)
{
    auto d = db::Database::create(path);
    frame::schema::anlegen(*d, frame::schema::AktuelleVersion);
    db::Database::Transaction t(*d);
    for (int i = 0; i < n; ++i) {
        // Scrambled so that the index order is not the insertion order.
        const QString titel = QStringLiteral("Titel %1 Ärger").arg((i * 7919L) % n, 6, 10, QLatin1Char('0'));
        d->execute(QStringLiteral("INSERT INTO Filme (Titel, Anzahl, Format, Qualität, Mappe, Wer, Info, Dten, Cat, "
                                  "AusDatum, Cover, Size, Unterordner) VALUES (?,1,'DVD','1','A1','-',?,'dt','Krimi',"
                                  "'-','-','4700',?)"),
                   {titel, QStringLiteral("Info zu %1, ein wenig Text").arg(i), i % 10 == 0 ? "1" : "-"});
        if (i % 10 == 0)
            d->execute(QStringLiteral("INSERT INTO Unterordner (Titel, Titel2, Anzahl, Size) VALUES (?, ?, 1, '700')"),
                       {titel, titel + QStringLiteral(" Teil 1")});
        if (i % 20 == 0)
            d->execute(QStringLiteral("INSERT INTO Ausleihe (Titel, Wer, AusDT) VALUES (?, 'Anna', '05.03.2024')"),
                       {titel});
    }
    t.commit();
}

Katalogbank::Katalogbank(int argc, char** argv, int rundenVorgabe)
    : n(argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000),
      runden(argc > 2 ? std::max(1, std::atoi(argv[2])) : rundenVorgabe),
      path(folder.filePath(QStringLiteral("filme.mdb")))
{
    katalogFuellen(path, n);
    services.programFolder = folder.path();
    services.messages = &meldungen;
}

double median(std::vector<double> werte)
{
    std::sort(werte.begin(), werte.end());
    return werte[werte.size() / 2];
}

}  // namespace bench
