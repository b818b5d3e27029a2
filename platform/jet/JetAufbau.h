#pragma once
// The structures of a Jet file, checked against the file before libmdb is
// trusted with them: libmdb follows page numbers, row offsets and lengths as
// the file gives them and crashes on many a damaged one. Each check reads the
// bytes itself, as libmdb will read them, and throws JetFehler (Beschaedigt)
// with a German sentence saying what is wrong.
#include "platform/jet/JetDatei.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <vector>

namespace jet::aufbau {

// Where the engine keeps what, in Jet 3 (pages of 2048 bytes) and in Jet 4 and
// on (4096); the same numbers as libmdb's own format constants.
struct Format {
    bool jet3 = false;
    int seite = 4096;
    int zeilenzahl = 12;  // a data page's row count; its row offsets follow
    // a table definition
    int defZeilen = 16;
    int defVarSpalten = 43;
    int defSpalten = 45;
    int defIndizes = 47;
    int defEchteIndizes = 51;
    int defKarte = 55;
    int defFreikarte = 59;
    int defSpaltenBeginn = 63;
    int indexEintrag = 12;
    int spaltenEintrag = 25;
    // a column's entry in it
    int spNummer = 5;
    int spVarNummer = 7;
    int spFlags = 15;
    int spFest = 21;
    int spGroesse = 23;
};
const Format& format(int fassung);

// The bytes each fixed column type takes (a Typ, or 0x12 for a complex
// column's id); 0 for the others.
int festeGroesse(int typ);

[[noreturn]] void beschaedigt(const QString& warum);

// The file's pages, read on demand; the count from the file's size.
class Seiten {
public:
    Seiten(const QString& pfad, int fassung);  // throws JetFehler (NichtLesbar)
    const Format& format() const { return *m_format; }
    quint32 anzahl() const { return m_anzahl; }
    // The page whole, or damage (naming `wozu`) when it lies past the end.
    QByteArray lesen(quint32 seite, const QString& wozu);

private:
    QFile m_datei;
    const Format* m_format;
    quint32 m_anzahl = 0;
};

struct Spaltendef {
    int typ = 0;
    int nummer = 0;     // its bit in a row's null mask
    int varNummer = 0;  // its place among a row's variable columns
    bool fest = false;
    int festOffset = 0;
    int groesse = 0;
    QString name;
};

// A table's definition as libmdb reads it: its columns in the order of their
// numbers, its row count and its page map.
struct Definition {
    quint32 seite = 0;
    QString tabelle;
    long long zeilen = 0;
    int varSpalten = 0;  // as the definition counts them
    std::vector<Spaltendef> spalten;
    QByteArray karte;  // the row that maps the table's pages
};

// Reads and checks the definition on `seite` and the pages it continues on,
// its columns, its two page maps and every page that the first one names.
Definition definitionLesen(Seiten& seiten, quint32 seite, const QString& tabelle);

// The pages that a table's page map names, in order, each inside the file.
std::vector<quint32> kartenSeiten(Seiten& seiten, const QByteArray& karte, const QString& tabelle);

// Checks the row offsets of a data page: the count fits the page, each row
// that is not deleted lies after them and before the row in front of it.
void datenseitePruefen(const Format& format, const unsigned char* seite, quint32 nummer, const QString& tabelle);

// The row `zeile` of a data page: its start and length as libmdb takes them;
// false for a row that libmdb skips (deleted, empty, or of no place).
bool zeileFinden(const Format& format, const unsigned char* seite, int zeile, int& anfang, int& laenge);

struct Feld {
    int start = 0;
    int laenge = 0;
    bool null = true;
};

// Splits a row into its fields, one per column of the definition in its order,
// as libmdb splits it; damage when the row's own tables do not fit inside it.
// A column that the row does not have (added after it was written) is Null.
void zeileZerlegen(const Format& format, const unsigned char* seite, int anfang, int laenge, const Definition& def,
                   std::vector<Feld>& felder);

// The bytes of a long value (memo or OLE) whose field of `laenge` bytes starts
// at `feld`: in the row, on one long value row, or on a chain of them. `wo`
// names the value for the message.
QByteArray langwertLesen(Seiten& seiten, const unsigned char* feld, int laenge, const QString& wo);

// Checks an object's properties (the engine's "MR2" or "KKD" blocks) as libmdb
// parses them.
void eigenschaftenPruefen(const QByteArray& daten, bool jet3, const QString& wo);

// An entry of the file's catalog of objects (MSysObjects).
struct Eintrag {
    QString name;
    quint32 seite = 0;  // the table's definition
    int typ = 0;
    quint32 flags = 0;
    Definition definition;  // of a user table, checked
    bool system() const;    // the engine's own table
};

// Checks the catalog as libmdb reads it (its definition, pages, rows and the
// properties of each table) and the definition of every user table it names;
// returns its user tables.
std::vector<Eintrag> verzeichnisPruefen(Seiten& seiten);

}  // namespace jet::aufbau
