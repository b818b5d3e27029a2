#pragma once
// The language file: captions, tooltips, field words and message texts of the
// windows, read from the INI file that "Cd.ini" [Design] "Sprache" names in the
// program folder. "Sprache" = "" names no file: the windows then keep the texts
// they have. Every value is looked up afresh; nothing is cached between loads.
#include "platform/ini/IniFile.h"
#include "platform/system/Services.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <span>

class QObject;
class QWidget;

namespace frame {

inline const QString HauptfensterSektion = QStringLiteral("Hauptfenster");
// The main window's buffer; other windows read with their own (About 400).
constexpr int HauptfensterPuffer = 200;

// The language file of one window's load.
class Sprachdatei {
public:
    // `sprache` is the value of [Design] "Sprache", a bare file name.
    Sprachdatei(const sys::Services& services, const QString& sprache, int puffer = HauptfensterPuffer);

    // False for "Sprache" = "": then every text reads as "".
    bool benannt() const { return m_datei.has_value(); }
    // One value, "" for a missing file, section or key, cut to the buffer
    // length minus one.
    QString text(const QString& sektion, const QString& schluessel) const;

private:
    std::optional<ini::IniFile> m_datei;
    int m_puffer;
};

// The same as one call: Sprachdatei(services, sprache, puffer).text(sektion, schluessel).
QString sprachText(const sys::Services& services, const QString& sprache, const QString& sektion,
                   const QString& schluessel, int puffer = HauptfensterPuffer);

// The seven field words, [Hauptfenster] "Label1" to "Label7" of the language file.
struct Feldwoerter {
    std::array<QString, 7> label;  // Mappe, Qualität, Format, Titel, Anzahl, Ausleiher, Kategorie

    // "LabelN", n from 1 to 7.
    const QString& wort(int n) const { return label.at(static_cast<std::size_t>(n - 1)); }
    const QString& mappe() const { return wort(1); }
    const QString& qualitaet() const { return wort(2); }
    const QString& format() const { return wort(3); }
    const QString& titel() const { return wort(4); }
    const QString& anzahl() const { return wort(5); }
    const QString& ausleiher() const { return wort(6); }
    const QString& kategorie() const { return wort(7); }
};

// What one row of a language table sets.
enum class Eigenschaft {
    Feldwort,       // field word `wort`; changes no control
    Beschriftung,   // the text of a label, button, check or option box, the title of a menu, the text of a menu entry
    Tooltip,
    Fenstertitel,   // the window's caption
};

// One key of a language table and the text it sets. Where `wort` names a
// field word (1 to 7), the text is that field word, `zwischen` and the value.
struct Sprachzeile {
    const char* sektion;
    const char* schluessel;
    const char* ziel;  // objectName of the control or menu entry (UTF-8); "" for the window itself
    Eigenschaft eigenschaft;
    int wort = 0;
    const char* zwischen = "";
};

// The main window's table in its reading order: the seven field words first,
// so that the joined tooltips take the words of the same file.
std::span<const Sprachzeile> hauptfensterTabelle();

// Reads every row of `tabelle` from `datei` and assigns it, whether or not the
// file has the key: a missing key empties its text. Targets are found by
// objectName among the window's own controls, menus and menu entries (not in
// other windows that it parents); a row whose target is missing sets nothing.
void spracheAnwenden(QWidget* fenster, const Sprachdatei& datei, std::span<const Sprachzeile> tabelle,
                     Feldwoerter& feldwoerter);

// przSprache of the main window, with the "Sprache" value that the settings
// reader last read. With "" nothing changes: the controls keep their texts and
// the field words their values.
void przSprache(QWidget* fenster, const sys::Services& services, const QString& sprache, Feldwoerter& feldwoerter);

// The targets of `tabelle` that `fenster` does not have, so that a window can
// check its table against its controls.
QStringList fehlendeZiele(QWidget* fenster, std::span<const Sprachzeile> tabelle);

// The window's own control, menu or menu entry of that objectName, or nullptr.
QObject* sprachZiel(QWidget* fenster, const QString& objectName);

// The message keys of [Hauptfenster] that the main window's procedures read
// ("Fehler1", "FehlerText6", "Frage1", "FrageText1", ...).
enum class OhneDatei {
    Leer,       // without a language file the text is ""
    Eingebaut,  // without a language file the program's own German text
};
QString meldung(const sys::Services& services, const QString& sprache, const QString& schluessel,
                OhneDatei ohne = OhneDatei::Leer);
QString fehler(const sys::Services& services, const QString& sprache, int n, OhneDatei ohne = OhneDatei::Leer);
QString fehlerText(const sys::Services& services, const QString& sprache, int n, OhneDatei ohne = OhneDatei::Leer);
QString frage(const sys::Services& services, const QString& sprache, int n, OhneDatei ohne = OhneDatei::Leer);
QString frageText(const sys::Services& services, const QString& sprache, int n, OhneDatei ohne = OhneDatei::Leer);

// The built-in German text of a message key; "" for a key it does not know.
QString eingebauteMeldung(const QString& schluessel);
// The message keys that have a built-in text.
QStringList eingebauteMeldungen();

}  // namespace frame
