#pragma once
// Two readers of Jet files that are not ours, for tests: the JavaScript
// reader mdb-reader through tests/support/jetlesen/mdb_lesen.mjs (installed
// into the build folder by scripts/rondavex.sh test), and mdbtools' mdb-export
// and mdb-schema. Each says whether it is installed, so a test can skip.
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace jettest {

// --- mdb-reader ---
struct JsSpalte {
    QString name;
    QString typ;   // mdb-reader's type name: "text", "memo", "long", "double", ...
    int groesse;   // bytes of the column's definition
    int laenge;    // characters of a text column, else 0
};

struct JsTabelle {
    QString name;
    bool system = false;
    std::vector<JsSpalte> spalten;
    std::vector<QJsonArray> zeilen;  // values as mdb_lesen.mjs writes them
};

struct JsLesung {
    QString format;  // "Jet4", ...
    std::vector<JsTabelle> tabellen;
    const JsTabelle* tabelle(const QString& name) const;
};

// Where the harness lies, and why it cannot run ("" when it can).
QString mdbReaderSkript();
QString mdbReaderFehlt();
// Reads the whole file; throws std::runtime_error with the reader's message.
JsLesung mitMdbReader(const QString& pfad, bool systemtabellen = false);

// A double as the harness writes it: the 16 hex digits of its bits.
QString doubleBits(double d);

// --- mdbtools ---
QString mdbtoolsFehlt();  // "" when mdb-export, mdb-schema and mdb-tables are there

// The file's user tables as mdb-tables lists them.
QStringList mdbTabellen(const QString& pfad);

// One table through mdb-export: a row per line, a value per field, Null as
// nullopt; dates as "yyyy-MM-dd hh:mm:ss", doubles as mdbtools prints them,
// booleans "0"/"1". mdb-export prints an empty text as Null and cuts a value at
// 200,000 bytes of UTF-8. Throws std::runtime_error when mdb-export fails.
using MdbZeile = std::vector<std::optional<QString>>;
std::vector<MdbZeile> mdbExport(const QString& pfad, const QString& tabelle);

// What mdb-schema writes for a table: its columns ("Text (50)", "Memo/Hyperlink
// (255)", "Long Integer", "Double", "Integer", "Byte", "Boolean", "DateTime")
// from the Access form, its unique indexes from the PostgreSQL form.
struct MdbSchemaSpalte {
    QString name;
    QString typ;
};
struct MdbSchema {
    std::vector<MdbSchemaSpalte> spalten;
    std::optional<QStringList> primaerschluessel;
    std::vector<QStringList> eindeutig;  // columns of each unique index but the primary key
};
MdbSchema mdbSchema(const QString& pfad, const QString& tabelle);

// How mdbtools prints a double (16 significant digits, so not bit for bit) and
// a Date/Time. It prints days 0 to 1,000,000 since 1899-12-30 only (any other
// as "1900-01-00 00:00:00") and rounds to the second (23:59:59.5 gives
// "24:00:00" of the same day): nullopt for a value out of that range or with
// milliseconds, which mdbtools cannot show as they are.
QString mdbDouble(double d);
std::optional<QString> mdbDatum(double jetTage);

}  // namespace jettest
