#pragma once
// A Jet (Access ".mdb") file read through mdbtools' libmdb: its tables, their
// columns with the engine's type and size, and the rows as values, streamed
// one row at a time. The file is opened read-only and never written.
//
// Every structure that libmdb follows (pages, page maps, table definitions,
// rows, long values) is checked against the file first (JetAufbau.h): a
// damaged file is refused with the reason. libmdb may still crash on what no
// check foresees, so only the child program that converts a catalogue links
// this library, never one of the windowed programs.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>

#include <memory>
#include <stdexcept>
#include <vector>

namespace jet {

// Why a file cannot be read, each with a German sentence for the user about
// the file ("Sie ist verschlüsselt; ...").
class JetFehler : public std::runtime_error {
public:
    enum class Grund { NichtLesbar, KeinJet, Verschluesselt, Kennwort, Beschaedigt };
    JetFehler(Grund grund, const QString& text) : std::runtime_error(text.toStdString()), m_grund(grund), m_text(text) {}
    Grund grund() const { return m_grund; }
    const QString& text() const { return m_text; }

private:
    Grund m_grund;
    QString m_text;
};

// The engine's column types (the numbers are those of the file).
enum class Typ {
    Boolean = 0x01,
    Byte = 0x02,
    Integer = 0x03,  // 16 bit
    Long = 0x04,     // 32 bit
    Money = 0x05,
    Single = 0x06,
    Double = 0x07,
    DatumZeit = 0x08,
    Binaer = 0x09,
    Text = 0x0a,
    OLE = 0x0b,
    Memo = 0x0c,
    GUID = 0x0f,
    Numeric = 0x10,
};

// "Text", "Memo", "Double", ... as the engine names the type.
QString typName(Typ typ);

struct Spalte {
    QString name;
    Typ typ = Typ::Text;
    int bytes = 0;    // the stored size as the file gives it
    int zeichen = 0;  // characters of a Text column, else 0
};

struct Tabelle {
    QString name;
    std::vector<Spalte> spalten;  // in the table's order
    long long zeilen = 0;         // as the table's definition counts them
};

// A Date/Time value: the whole part counts days from 30.12.1899, also
// backwards; the fraction's size is the time of day on both sides of it. A
// time that rounds to the next midnight is the start of the following day.
// Outside the engine's days (1.1.100 to 31.12.9999) both are invalid.
struct DatumZeit {
    QDate datum;
    QTime zeit;
};
DatumZeit datumZeit(double tage);

// One value of a row. A text (also memo, and money, numeric or GUID as the
// engine writes them) is held as UTF-8, decoded from the row's own bytes.
struct Wert {
    enum class Art { Null, Text, Zahl, Ganzzahl, Wahrheit, DatumZeit, Bytes };
    Art art = Art::Null;
    QByteArray utf8;      // Text; Bytes
    double zahl = 0;      // Zahl; DatumZeit (the stored day count)
    long long ganz = 0;   // Ganzzahl; Wahrheit (1 or 0)
    // Text: what could not be decoded and stands as U+FFFD (jet::Textmangel bits).
    unsigned maengel = 0;

    bool istNull() const { return art == Art::Null; }
    QString text() const { return QString::fromUtf8(utf8); }
};

class JetDatei {
public:
    // Opens the file read-only. Throws JetFehler: not readable, no Jet file,
    // encrypted or password-protected, damaged (cut short, a page number, page
    // map, table definition or row of its catalog that does not fit the file,
    // two columns or tables of one name).
    static std::unique_ptr<JetDatei> oeffnen(const QString& pfad);
    ~JetDatei();
    JetDatei(const JetDatei&) = delete;
    JetDatei& operator=(const JetDatei&) = delete;

    // "Jet 3", "Jet 4", "ACE 12", ...
    QString version() const;

    // The user's tables in the file's order; the engine's own ("MSys…") are left out.
    const std::vector<Tabelle>& tabellen() const { return m_tabellen; }
    const Tabelle* tabelle(const QString& name) const;  // found without regard to case

    // Reads a table forward, one row at a time.
    class Zeilen {
    public:
        virtual ~Zeilen() = default;
        // Steps to the next row; false past the last. Throws JetFehler when a
        // page, a row or a value does not fit the file (a long value whose
        // pages are missing), or when fewer rows are found than the table counts.
        virtual bool naechste() = 0;
        // The values of the current row, one per column in the table's order.
        virtual const std::vector<Wert>& werte() const = 0;
        // Rows read so far.
        virtual long long gelesen() const = 0;
    };
    // Throws JetFehler when the table's definition cannot be read.
    std::unique_ptr<Zeilen> lesen(const QString& tabelle);

    struct Innen;

private:
    explicit JetDatei(std::unique_ptr<Innen> innen);
    std::unique_ptr<Innen> m_innen;
    std::vector<Tabelle> m_tabellen;
};

}  // namespace jet
