// Writes the seeds of fuzz_jet into a folder: catalogues of the Jet writer as
// the Windows program has them (its pages maps in rows and on pages of their
// own, memos in the row and on long value pages, the tables' properties, an
// old version), and the two
// damaged files that crashed libmdb before the checks.
//   fuzz_jet_saatgut FOLDER
#include "tests/support/JetSchaden.h"

#include <QDir>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_jet_saatgut FOLDER\n");
        return 2;
    }
    const QString ordner = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(ordner);
    const QString version = QStringLiteral("1.4.1");
    jettest::katalog(ordner + QStringLiteral("/katalog.mdb"), version, jettest::schadensKatalog());
    jettest::KatalogArt karten;
    karten.optionen.indirekteKarten = true;
    jettest::katalog(ordner + QStringLiteral("/karten_auf_eigenen_seiten.mdb"), version, jettest::schadensKatalog(),
                     karten);
    jettest::KatalogArt lval;
    lval.optionen.memoInlineBis = 0;
    jettest::katalog(ordner + QStringLiteral("/memos_auf_lval_seiten.mdb"), version, jettest::schadensKatalog(), lval);
    jettest::KatalogArt eigenschaften;
    eigenschaften.optionen.eigenschaften = true;
    jettest::katalog(ordner + QStringLiteral("/mit_eigenschaften.mdb"), version, jettest::schadensKatalog(),
                     eigenschaften);
    jettest::KatalogInhalt alt;
    alt.filme = {jettest::Film{.Titel = "Matrix"}};
    jettest::katalog(ordner + QStringLiteral("/katalog_1_0_8.mdb"), QStringLiteral("1.0.8"), alt);
    for (const auto& s : jettest::schaeden()) {
        const QString name = QString::fromUtf8(s.name);
        if (name == QLatin1String("AmEndeEineSeiteAbgeschnitten")
            || name == QLatin1String("KartenzeigerDesVerzeichnissesAufKeineZeile"))
            s.anlegen(ordner + u'/' + name + QStringLiteral(".mdb"));
    }
    return 0;
}
