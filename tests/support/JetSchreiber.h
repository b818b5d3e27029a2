#pragma once
// A small writer of Jet 4 (Access 2000, ".mdb") files, for tests and
// benchmarks only: no tool on Debian writes them. Correct and simple over
// complete.
//
// What it writes:
// - Columns of type Boolean, Byte, Integer (16 bit), Long (32 bit), Double,
//   Date/Time, Text(n) (1 <= n <= 255 characters) and Memo, in the order given,
//   up to 255 a table.
// - Text and Memo values in Jet's compressed Unicode where the column allows it
//   (Spalte::komprimiert) and the value gets shorter by it, switching between
//   one and two bytes a character as the value needs, else as plain UTF-16LE. A
//   value with a character whose low byte is 0 (U+0100, U+2000, ...) cannot be
//   compressed and is stored plain; memos over 1024 characters are stored plain.
//   A character outside the Basic Multilingual Plane (U+1F3AC) takes its two
//   UTF-16 units, as Jet stores it, and counts two towards a Text column's width;
//   a lone surrogate of a QString is written as it is. Wert::bytes() stores
//   bytes as they are, for values no engine writes (an odd number of bytes).
// - Memos in their row up to Optionen::memoInlineBis bytes as stored, beyond that
//   in one row of a long value ("LVAL") page up to LvalZeileMax bytes, beyond that
//   as a chain of LVAL pages (4076 bytes a link; over 64 KB included).
// - Null in every column but Boolean (Jet has no Null there: Null is false).
// - Rows in the order given over as many data pages as they need (255 rows a
//   page at most, a row at most 4080 bytes); each table's page map as a bitmap
//   in a row (type 0) or, for big tables or when asked for, on map pages of
//   their own (type 1).
// - The system catalogue MSysObjects (Id, ParentId, Name, Type, DateCreate,
//   DateUpdate, Flags, LvProp) with the "Tables" container and a row per table,
//   as far as mdbtools and the JavaScript reader mdb-reader need it to find the
//   tables, and when asked for, a few properties of each table; the database definition page (Jet 4, code page 1252, sort order
//   "General", no password, no encryption).
// - Table definitions (over several pages when long) with their columns and
//   index definitions: name, up to 10 columns ascending, unique, primary.
//
// What it leaves out: index pages (an index is defined but holds no entries, so
// a reader that searches through an index finds nothing; readers that scan the
// table are not affected), other system tables (MSysACEs, MSysQueries,
// MSysRelationships, ...), most properties (LvProp is Null unless asked for), free space maps (always
// empty), the global page map (empty), deleted rows, overflow rows, Jet 3,
// encryption, other column types (Currency, Single, Binary, OLE, GUID, Decimal),
// autonumbers, uniqueness checks (an index marked unique does not refuse a
// repeated key: tests may write what Jet would have refused, or what Jet keeps
// apart but our rules join).
//
// Both readers it is proven against drop a value's leading U+FEFF; mdb-export
// shows an empty text as Null (see JetLeser.h for what else they show).
//
// Memory does not grow with the number of rows: rows go to their page as they
// come; one data page and one long value page are held. The benchmark's
// catalogue of 100,000 titles, 200,000 sub-entries and 50,000 lendings (49 MB)
// takes about 2 seconds and 10 MB.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace jettest {

enum class Typ { Boolean, Byte, Integer, Long, Double, Datum, Text, Memo };

struct Spalte {
    QString name;
    Typ typ = Typ::Text;
    int laenge = 0;           // Text: characters, 1..255; ignored for the other types
    bool komprimiert = true;  // Text and Memo: compressed Unicode where a value allows it
};

struct Index {
    QString name;
    QStringList spalten;  // 1 to 10 columns of the table, ascending
    bool eindeutig = false;
    bool primaer = false;  // a primary key, which is unique too
};

struct Tabelle {
    QString name;
    std::vector<Spalte> spalten;
    std::vector<Index> indizes;
};

// One value of a row. Integers go to Byte, Integer and Long (range checked) and
// to Double; a Date/Time takes a date, a date and time of day, or a stored Jet
// day count as it is.
class Wert {
public:
    enum class Art { Null, Bool, Ganzzahl, Zahl, Datum, Text, Bytes };

    Wert() = default;  // Null
    Wert(std::nullptr_t) {}
    Wert(bool b) : m_art(Art::Bool), m_ganz(b) {}
    Wert(int i) : m_art(Art::Ganzzahl), m_ganz(i) {}
    Wert(qint64 i) : m_art(Art::Ganzzahl), m_ganz(i) {}
    Wert(double d) : m_art(Art::Zahl), m_zahl(d) {}
    Wert(const QDateTime& t);  // its date and time of day as written, whatever its time zone; invalid: Null
    Wert(const QDate& d);      // midnight; invalid: Null
    Wert(const QString& s) : m_art(Art::Text), m_text(s) {}
    Wert(const char* utf8) : m_art(Art::Text), m_text(QString::fromUtf8(utf8)) {}
    static Wert jetTage(double tage);  // a Date/Time as Jet stores it
    static Wert bytes(const QByteArray& gespeichert);  // a Text or Memo's stored bytes as they are

    Art art() const { return m_art; }
    bool istNull() const { return m_art == Art::Null; }
    bool alsBool() const { return m_ganz != 0; }
    qint64 alsGanzzahl() const { return m_ganz; }
    double alsZahl() const { return m_art == Art::Ganzzahl ? double(m_ganz) : m_zahl; }
    double alsJetTage() const { return m_zahl; }  // Art::Datum
    const QString& alsText() const { return m_text; }
    const QByteArray& alsBytes() const { return m_bytes; }

private:
    Art m_art = Art::Null;
    qint64 m_ganz = 0;
    double m_zahl = 0;
    QString m_text;
    QByteArray m_bytes;
};

using Zeile = std::vector<Wert>;

// Jet's Date/Time: days since 1899-12-30, the fraction the time of day; before
// that day the fraction still counts forward from midnight (-1.25 is
// 1899-12-29 06:00). To and from the millisecond.
double jetTage(const QDate& datum, const QTime& zeit = QTime(0, 0));
QDateTime ausJetTage(double tage);  // a QDateTime in UTC, invalid for a value out of range

// The most bytes one long value row holds, on a page of its own.
inline constexpr int LvalZeileMax = 4096 - 14 - 2;

struct Optionen {
    int memoInlineBis = 256;       // bytes a memo value may take inside its row
    bool indirekteKarten = false;  // every table's page map on map pages of their own
    // Each user table's properties in MSysObjects.LvProp, as Access keeps them
    // ("MR2" blocks): a Description of the table, a Format of its first Text column.
    bool eigenschaften = false;
};

// Where a written file keeps what, for tests that damage it on purpose.
struct Lageplan {
    struct Tabelle {
        QString name;
        quint32 definition = 0;  // the first page of its definition
        int definitionsSeiten = 1;
        std::vector<quint32> daten;  // its data pages in order
        quint32 karte = 0;           // row pointer (page << 8 | row) of its page map
    };
    std::vector<Tabelle> tabellen;  // MSysObjects first, then in the order written
    std::vector<quint32> langwerte;  // the pages of long values
    quint32 seiten = 0;
    const Tabelle& tabelle(const QString& name) const;  // throws std::out_of_range
};

// Writes one file: tables one after the other, each with its rows. Throws
// std::runtime_error when the file cannot be written and std::invalid_argument
// for a definition or value that does not fit (a text longer than its column,
// an integer out of range, a value of the wrong kind, a row over a page).
class Schreiber {
public:
    explicit Schreiber(const QString& pfad, Optionen optionen = {});  // creates or empties the file
    ~Schreiber();  // without schliessen() the file stays incomplete
    Schreiber(const Schreiber&) = delete;
    Schreiber& operator=(const Schreiber&) = delete;

    // Begins the next table; the one before is complete then.
    void tabelle(const Tabelle& tabelle);
    // One value per column of the current table, in its order.
    void zeile(const Zeile& werte);
    // Writes the catalogue and the definitions, and closes the file.
    void schliessen();
    // After schliessen().
    const Lageplan& lageplan() const;

private:
    struct Daten;
    std::unique_ptr<Daten> d;
};

struct TabelleMitZeilen {
    Tabelle tabelle;
    std::vector<Zeile> zeilen;
};

// A whole file at once.
Lageplan schreiben(const QString& pfad, const std::vector<TabelleMitZeilen>& tabellen, Optionen optionen = {});

// Damage done to a written file on purpose: one page changed in place, or
// the file cut after its first `seiten` pages.
void seiteAendern(const QString& pfad, quint32 seite, const std::function<void(quint8* bytes)>& aendern);
void abschneiden(const QString& pfad, quint32 seiten);

}  // namespace jettest
