#pragma once
// The catalogue's tables at every schema version, from one table of columns.
// A fresh catalogue, the test fixtures of older versions and the columns that
// the upgrade steps add all come from here.
//
// Column types on SQLite: Text(n) is TEXT COLLATE NOCASE with its width checked
// by the file itself (a longer value is refused), Memo is TEXT COLLATE NOCASE,
// Double is REAL, Integer (16 bit) and Long are INTEGER, Date/Time is TEXT
// holding "yyyy-mm-dd". Only the built-in NOCASE is named, so any SQLite tool
// reads, checks and writes the file alike; the German order and equality come
// from our statements, which name the collation DEUTSCH.
#include <QString>
#include <QStringList>
#include <vector>

namespace db {
class Database;
}

namespace frame::schema {

enum class Typ { Text, Memo, Double, Integer, Long, Datum };

struct Spalte {
    const char* tabelle;
    const char* name;
    Typ typ;
    int breite;       // characters of a Text column, else 0
    const char* ab;   // first version that has the column
    const char* bis;  // first version that no longer has it; nullptr = still there
    bool schluessel;  // the table's primary key ("PrimaryKey" of Filme, "Titel2" of Unterordner)
};

// Every version in upgrade order: "1.0.8", "1.0.9", "1.0.91", ..., "1.4.1".
const QStringList& versionen();
inline const QString AktuelleVersion = QStringLiteral("1.4.1");

// Position in versionen(), -1 for a text that names no version.
int versionsIndex(const QString& version);

// Whole table of columns, in table order.
const std::vector<Spalte>& spalten();
// The columns of one table at one version, in table order (empty: no such table then).
std::vector<Spalte> spalten(const QString& tabelle, const QString& version);
// The tables that exist at a version.
QStringList tabellen(const QString& version);
// One column as the file declares it, e.g.
// "Titel" TEXT COLLATE NOCASE NOT NULL PRIMARY KEY CHECK(length("Titel")<=50)
// Looked up by table and name as the latest version has it.
QString spaltenDefinition(const QString& tabelle, const QString& name);
QString spaltenDefinition(const Spalte& spalte);
// CREATE TABLE for a table as it stands at a version.
QString tabelleAnlegen(const QString& tabelle, const QString& version);

// How a new catalogue comes about: the main program's own, or "tools", whose
// 1.1.6 file names one column "Ausdatum".
enum class Herkunft { Hauptprogramm, Tools };

// Creates every table of the version in the (empty) database and the one row
// of Version. Older versions also get their one Design row. Runs in one
// transaction; throws db::DbError.
void anlegen(db::Database& datenbank, const QString& version, Herkunft herkunft = Herkunft::Hauptprogramm);

}  // namespace frame::schema
