#pragma once
// The walk of a disc or folder: every entry in sorted order, the format guess
// from the names met, the listed entries with their own sizes and the byte
// sum. Plain code over strings; the scan window copies the result into its lists.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <utility>
#include <vector>

namespace scan {

// The format table: a name matching the pattern (case-sensitive, "*" any run)
// writes the format; over one name the last matching row wins.
struct Formatregel {
    const char16_t* muster;
    const char16_t* format;
};
extern const std::array<Formatregel, 13> Formatregeln;

// The format after the rules ran on one name; `bisher` when none matches.
QString formatNachRegeln(const QString& name, const QString& bisher);

// The listing rule: entries are held back while the format is "DVD", "VCD" or "Audio".
bool wirdGelistet(const QString& format);

// Whole megabytes in the form "###0" with a blank before: " 3", " 700".
// Halves round away from zero.
QString mbText(double bytes);
// The byte sum in the same form, without grouping: " 3145728".
QString byteText(double bytes);
// With the German grouping: "4.700.372.992".
QString gruppiert(qint64 zahl);

// How far a walk has come: the entries met so far and the folder being read.
struct Laufstand {
    qint64 ordner = 0;   // folders met
    qint64 dateien = 0;  // every other entry met
    QString ordnerPfad;  // the folder being read, named as the walk was given it
};

// Asked before each entry; the window lets pending events run from here, shows
// how far the walk is, and stops it when the user ended it.
class Laufbegleiter {
public:
    virtual ~Laufbegleiter() = default;
    virtual bool weiter(const Laufstand& stand) = 0;
};

struct Durchsuchung {
    QString format;         // the guess; "" for an empty disc
    bool erweitert = false;  // the window shows its lower part
    QStringList namen;      // the listed entries' names, in walk order
    QStringList eintraege;  // per listed entry: name, ":" and its size text
    QStringList groessen;   // per file, listed or not, in walk order: its size text
    double bytes = 0;       // all files
    bool abgebrochen = false;
};

// Walks `ordner` (a folder on disk, as its bytes) without leaving its file
// system and without following a symbolic link; unreadable folders are passed over.
Durchsuchung durchsuchen(const QByteArray& ordner, Laufbegleiter* begleiter = nullptr);
Durchsuchung durchsuchen(const QString& ordner, Laufbegleiter* begleiter = nullptr);

// The folders of a local disk, as its drive list shows them: every folder
// below the root in pre-order, each folder's sub-folders sorted as the folder
// list sorts them, no symbolic link followed and no other mount entered.
struct Ordnersuche {
    QStringList pfade;  // drive paths: "C:/home", "C:/home/anna"
    // The folder on disk of the rows whose name is no valid text, by row.
    std::vector<std::pair<qsizetype, QByteArray>> roh;
    bool abgebrochen = false;
};

// Walks `wurzel` (a folder on disk), naming the folders below it after its
// drive path `laufwerkspfad` ("C:/", "C:/home"). The companion is asked before
// each folder, with the folders found so far and the drive path of the folder
// being read.
Ordnersuche ordnerSuchen(const QByteArray& wurzel, const QString& laufwerkspfad,
                         Laufbegleiter* begleiter = nullptr);

// The first row of `liste` equal to `text`, or -1.
int przZeileFinden(const QStringList& liste, const QString& text);

// Removes the visible row `zeile` of the scan window's lists and the main
// window's hand-over: the two name lists lose that row, the two name-and-size
// lists their first entry equal to the row's entry text. False when there is no such row.
struct Eintragslisten {
    QStringList& sichtbar;     // lfListeCDeinlesen of the scan window
    QStringList& alles;        // lfListeCDeinlesenAlles
    QStringList& hauptMitGroesse;  // the main window's lfListeCDeinlesen
    QStringList& hauptNamen;   // the main window's lfListeCDEinlesenOhneGroesse
};
bool eintragEntfernen(Eintragslisten listen, int zeile);

// Proper case, character by character: lower case, then upper case after
// blank, tab, LF, VT, FF, CR and NUL and at the start.
QString PCase(const QString& text);

}  // namespace scan
