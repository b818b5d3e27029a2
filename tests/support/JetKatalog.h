#pragma once
// Catalogues of the Windows program as Jet 4 files, at any schema version, for
// the tests and the benchmark of the import. The tables, columns, widths and
// keys at a version come from frame/Katalogschema (Text(n), Memo, Double,
// Integer, Long, Date/Time; "PrimaryKey" on Filme.Titel, "Titel2" on
// Unterordner.Titel2), so a fixture has exactly the tables that version had:
// Design below 1.1.6, Ausleihe from 1.3.4, Unterordner from 1.4.
//
// A row's members are named as its columns; a member whose column the version
// does not have is not written. Defaults are those of a freshly saved row ("-",
// 0, "0"); any member may be set to Null (Wert()).
#include "frame/Katalogschema.h"
#include "tests/support/JetSchreiber.h"

#include <functional>
#include <optional>
#include <vector>

namespace jettest {

struct Film {
    Wert Titel = Wert();
    Wert Anzahl = 0.0;
    Wert Format = "-";
    Wert Qualität = "-";
    Wert Mappe = "-";
    Wert Wer = "-";
    Wert Info = "-";
    Wert Dten = "-";
    Wert Datum = Wert();
    Wert Cat = "-";
    Wert AusDatum = "-";
    Wert Cover = "-";
    Wert Size = "0";
    Wert Unterordner = "-";
};

struct Unterordner {
    Wert Titel = Wert();
    Wert Titel2 = Wert();
    Wert Anzahl = 1;
    Wert Format = "-";
    Wert Qualität = "-";
    Wert Info = "-";
    Wert Dten = "-";
    Wert Cat = "-";
    Wert Cover = "-";
    Wert Size = "0";
    Wert Mappe = "-";
    Wert Wer = "-";
};

struct Ausleihe {
    Wert Titel = Wert();
    Wert Wer = Wert();
    Wert AusDT = Wert();
    Wert EinDT = Wert();  // Null while the title is out
};

// The one row of Design (below 1.1.6). TextFarbe is a Long before 1.1.0
// (TextFarbeLong) and a Text from 1.1.0 on.
struct Design {
    Wert Bild = "space";
    Wert Laden = "-";
    Wert Label1 = "Titel";
    Wert Label2 = "Anzahl";
    Wert Label3 = "Format";
    Wert Label4 = "Qualität";
    Wert Label5 = "Mappe";
    Wert TextFarbeLong = 16777215;
    Wert Label6 = "Ausleiher";
    Wert Label7 = "Kategorie";
    Wert TextFarbe = "16777215";
    Wert TextFont = "Microsoft Sans Serif";
    Wert TextBold = "0";
    Wert TextSize = "9,75";
};

// Where the columns that the upgrade steps added stand: in the order of a
// fresh file, or at the end as ALTER TABLE ADD puts them in a file that was
// raised from an older version.
enum class Spaltenfolge { Frisch, Angehoben };

struct KatalogArt {
    Spaltenfolge folge = Spaltenfolge::Frisch;
    // "tools" named one column of its 1.1.6 file "Ausdatum".
    frame::schema::Herkunft herkunft = frame::schema::Herkunft::Hauptprogramm;
    Optionen optionen = {};
};

struct KatalogInhalt {
    std::vector<Film> filme;
    std::vector<Unterordner> unterordner;  // from 1.4
    std::vector<Ausleihe> ausleihe;        // from 1.3.4
    Design design;                         // below 1.1.6
    std::optional<Wert> nr;                // Version.nr; not set: the version itself
    bool ohneVersionszeile = false;        // Version without its row
    std::vector<TabelleMitZeilen> weitere;  // more tables after the catalogue's, e.g. statistikTabellen()
};

// The same, row by row for big files: each function fills the next row and
// returns false when there is none (an empty function: no rows).
struct KatalogQuelle {
    std::function<bool(Film&)> film;
    std::function<bool(Unterordner&)> unterordner;
    std::function<bool(Ausleihe&)> ausleihe;
    Design design;
    std::optional<Wert> nr;
    bool ohneVersionszeile = false;
    std::vector<TabelleMitZeilen> weitere;
};

Lageplan katalog(const QString& pfad, const QString& version, const KatalogInhalt& inhalt, const KatalogArt& art = {});
Lageplan katalog(const QString& pfad, const QString& version, const KatalogQuelle& quelle, const KatalogArt& art = {});

// What katalog() writes for the content, table by table in file order with
// every row: the values a test expects to read back.
std::vector<TabelleMitZeilen> katalogDaten(const QString& version, const KatalogInhalt& inhalt,
                                           const KatalogArt& art = {});

// The catalogue's tables at a version as Jet tables, in file order.
std::vector<Tabelle> katalogTabellen(const QString& version, const KatalogArt& art = {});

// The derived tables of the statistics windows as Jet's SELECT ... INTO makes
// them (the grouped column as in Filme, a count as Long, a sum as Double):
// Format, Cat, Qualität, StatistikMappe, CDSize, DVDSize, Statistik,
// AusleiheZahlen, AusleiheWer, AusleiheMappe, StatistikAusleihe. No rows.
std::vector<Tabelle> statistikTabellen();

}  // namespace jettest
