#pragma once
// The figures of the number statistics that are no lists: thirteen counts over
// Filme and a rough estimate of the catalogue's data volume in GB. Formats
// that begin with "DVD" are DVDs (counted in titles), every other format is a
// CD (counted in discs, the sum of Anzahl). Size holds megabytes as text and is
// compared as text, as the stored catalogues expect.
#include <QString>

#include <vector>

namespace db {
class Database;
}

namespace reports {

// The user's language codes, "Cd.ini" [Design] "Deutsch", "Englisch" and
// "DeuEngl"; patterns with the catalogue's wildcards.
struct Sprachcodes {
    QString deutsch;
    QString englisch;
    QString deuEngl;
};

enum class Zähler { Gesamt, Aus, DVD, CDs, DeuEngl, Engl, Deu, OhneSP, OhneCover, OhneInfo, OhneSize, OrgDVD, KopDVD };

struct Zählerzeile {
    Zähler zähler;
    QString label;    // the label that shows it ("lbAus")
    QString caption;  // the text beside it ("Anzahl Titel verliehen:")
};

// The thirteen counters in the order the window runs them.
const std::vector<Zählerzeile>& zählerzeilen();

// One count. Gesamt reads the rows of Filme and throws db::DbError when the
// database or the table cannot be read; every other counter gives 0 for a
// failure or Null. The language codes are bound.
long long zählen(db::Database& datenbank, Zähler zähler, const Sprachcodes& codes = {});

// The estimate's inputs (the window's hidden fields) and its three texts.
struct Datenvolumen {
    QString tfCDAnzahl;   // CD discs without size
    QString tfDVDAnzahl;  // DVD titles without size
    QString tfCDSize;     // summed megabytes of the CDs with a size
    QString tfDVDSize;    // summed megabytes of every DVD
    QString lbByte;       // GB of the CDs, "4,1"
    QString lbDVDs;       // GB of the DVDs
    QString lbByteges;    // the two, each rounded, added
};

// A CD disc without size counts 0.7 GB, a DVD title without size 4.6 GB, the
// sums count by 1024 MB a GB. Each value is the German text of a Double; the
// total rounds the two texts (halves to even) and adds them.
Datenvolumen datenvolumenRechnen(const QString& cdAnzahl, const QString& dvdAnzahl, const QString& cdSize,
                                 const QString& dvdSize);

// Rebuilds the one-value tables DVDSize and CDSize in the catalogue, counts
// the titles without size and computes the estimate. Failures count as 0, for
// CDs and DVDs on their own. Never throws.
Datenvolumen przDatenvolumen(db::Database& datenbank);

}  // namespace reports
