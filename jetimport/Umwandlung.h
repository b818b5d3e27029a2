#pragma once
// A catalogue of the Windows program (a Jet ".mdb" file) converted into a new
// catalogue of ours at the same schema version: every table but the engine's
// own, its columns in their order and in our column types, the keys of that
// version, every row and value. The upgrade chain raises the new file at the
// main program's next start like any older catalogue.
//
// The source is only read. The target is built under a temporary name beside
// it and renamed into place, never over an existing file, once it is whole
// and passes SQLite's integrity check; a failed, cancelled or killed run
// leaves no target, and the temporary files of a killed run go with the next.
#include <QString>

#include <functional>
#include <stdexcept>
#include <vector>

namespace jetimport {

// Why a conversion failed, as a German sentence for the user.
class Fehler : public std::runtime_error {
public:
    explicit Fehler(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

struct Bericht {
    struct Tabelle {
        QString name;
        long long zeilen = 0;
    };
    // A key that the engine kept apart from an earlier one but our German
    // equality joins with it ("Muller", "Müller"): stored under a free name.
    struct Umbenennung {
        QString tabelle, spalte, alt, neu;
    };
    // A Date/Time value with a time of day: only its date is kept.
    struct Uhrzeit {
        QString tabelle, spalte, zeile, wert;
    };
    // A text with bytes that are no character (half of a UTF-16 pair, an odd
    // byte): kept with U+FFFD in their place.
    struct Zeichen {
        QString tabelle, spalte, zeile, mangel;
    };
    QString quelle;
    QString ziel;
    QString schema;  // Version.nr as the file has it
    QString fassung; // the engine's version ("Jet 4")
    std::vector<Tabelle> tabellen;
    std::vector<Umbenennung> umbenannt;
    std::vector<Uhrzeit> uhrzeiten;
    std::vector<Zeichen> zeichen;

    // The summary the user sees, also written as the report file.
    QString text() const;
};

// "<folder>/<name>.import.txt" beside a target "<folder>/<name>.mdb".
QString berichtPfad(const QString& ziel);

// Rows done and rows in all; asked after every row.
using Fortschritt = std::function<void(long long erledigt, long long gesamt)>;
// True ends the conversion (nothing is written).
using Abbruch = std::function<bool()>;

// Converts, writes the report beside the target and returns it. Throws Fehler
// with a German sentence: about the source ("Sie ist beschädigt: ...", "Sie
// ist kein Katalog: ...") when its structure or content is wrong, which no
// text of SQLite's ever reaches, or about the target when it cannot be written.
Bericht umwandeln(const QString& quelle, const QString& ziel, const Fortschritt& fortschritt = {},
                  const Abbruch& abbruch = {});

// The temporary files that a killed run for this target left behind.
void resteEntfernen(const QString& ziel);

}  // namespace jetimport
