// Printing the list: its rows as they are shown, or the records of the list
// query in the columns of the layout that "6tes Feld" and "Sortierung" choose;
// and the printer dialog.
#include "catalogue/frmFilme.h"

#include "platform/db/RowReader.h"
#include "platform/vb/VbRuntime.h"

#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>

namespace {

// The hourglass while a list prints; put back however the printing ends.
class Sanduhr {
public:
    Sanduhr() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Sanduhr() { QGuiApplication::restoreOverrideCursor(); }
    Sanduhr(const Sanduhr&) = delete;
    Sanduhr& operator=(const Sanduhr&) = delete;
};

struct Druckspalte {
    int spalte;
    const char* kopf;
    const char* feld;
    int breite;  // 0: whole
};

using Drucklayout = std::array<Druckspalte, 6>;

// The layouts in the order they are tried: "6tes Feld", "Sortierung", columns.
struct Layoutwahl {
    const char* sechstesFeld;
    const char* sortierung;
    Drucklayout spalten;
};

const Layoutwahl Layouts[] = {
    {"W", "KF", {{{1, "Titel", "Titel", 0}, {55, "Kategorie", "Cat", 18}, {71, "Format", "Format", 14},
                  {85, "Qualität", "Qualität", 4}, {96, "Mappe", "Mappe", 18}, {110, "Wer", "Wer", 15}}}},
    {"A", "KF", {{{1, "Titel", "Titel", 0}, {55, "Kategorie", "Cat", 18}, {75, "Format", "Format", 14},
                  {90, "Qualität", "Qualität", 4}, {100, "Mappe", "Mappe", 18}, {115, "Anzahl", "Anzahl", 15}}}},
    {"W", "FK", {{{1, "Titel", "Titel", 0}, {55, "Format", "Format", 14}, {70, "Kategorie", "Cat", 18},
                  {88, "Qualität", "Qualität", 4}, {98, "Mappe", "Mappe", 18}, {115, "Wer", "Wer", 15}}}},
    {"A", "FK", {{{1, "Titel", "Titel", 0}, {55, "Format", "Format", 14}, {70, "Kategorie", "Cat", 18},
                  {88, "Qualität", "Qualität", 4}, {98, "Mappe", "Mappe", 18}, {115, "Anzahl", "Anzahl", 10}}}},
};

// A value in its default text form, cut or padded to the width.
QString druckwert(const QVariant& wert, int breite)
{
    QString text;
    if (!wert.isNull())
        text = wert.typeId() == QMetaType::Double || wert.typeId() == QMetaType::LongLong
                       || wert.typeId() == QMetaType::Int
                   ? vb::cstr(wert.toDouble())
                   : wert.toString();
    // A stored line break must not break the printed line.
    text = vb::singleLine(text);
    return breite > 0 ? text.left(breite).leftJustified(breite, u' ') : text;
}

// With no printer set up the job never started: the user is told so and where
// to choose one, in the menu's captions as shown (without access-key marks).
void druckfehler(const sys::Services& services, const FilmeControls& c)
{
    QString text = QStringLiteral("unbekannter Fehler!");
    if (!services.printer->eingerichtet())
        text = QStringLiteral("Es ist kein Drucker eingerichtet.\nUnter \"%1\" im Menü \"%2\" können Sie einen Drucker "
                              "wählen oder in eine PDF-Datei drucken.")
                   .arg(c.mnuDruckSetup->iconText(), c.mnuDatei->menuAction()->iconText());
    services.messages->msgBox(text, sys::mb::Exclamation, QStringLiteral("Drucken"));
}

}  // namespace

void frmFilme::druckVerbinden()
{
    connect(c.cmdPrint, &QPushButton::clicked, this, &frmFilme::cmdPrint_Click);
    connect(c.mnuDrucken, &QAction::triggered, this, [this] { mnuDrucken_Click(); });
    connect(c.mnuDruckSetup, &QAction::triggered, this, [this] { mnuDruckSetup_Click(); });
}

// The rows' tabs go to the list's own stops, measured in the printer's font;
// each row is one printed line, as the list shows it.
void frmFilme::cmdPrint_Click()
{
    sys::Printer& drucker = *m_services.printer;
    const QTextOption layout = c.lfListe->textOption(drucker.font());
    for (int i = 0; i < c.lfListe->count(); ++i) {
        if (!drucker.print(1, vb::singleLine(c.lfListe->shownText(i), true), layout) || !drucker.newLine()) {
            druckfehler(m_services, c);
            break;
        }
    }
    drucker.endDoc();
}

// A query without rows prints nothing; one that lacks a printed column (the
// lending history) prints it blank.
void frmFilme::mnuDrucken_Click()
{
    sys::Printer& drucker = *m_services.printer;
    const Layoutwahl* wahl = nullptr;
    for (const Layoutwahl& l : Layouts) {
        if (ini.sechstesFeld == QLatin1String(l.sechstesFeld) && ini.sortierung == QLatin1String(l.sortierung)) {
            wahl = &l;
            break;
        }
    }
    bool gescheitert = false;
    if (wahl && datenbank && !ListenSQL.isEmpty()) {
        Sanduhr sanduhr;
        try {
            db::RowReader zeilen(*datenbank, ListenSQL, ListenWerte);
            std::array<int, 6> spalten{};
            for (size_t i = 0; i < spalten.size(); ++i) {
                const QString feld = QString::fromUtf8(wahl->spalten[i].feld);
                spalten[i] = -1;
                for (int s = 0; s < zeilen.columns().size(); ++s) {
                    if (zeilen.columns()[s].compare(feld, Qt::CaseInsensitive) == 0) {
                        spalten[i] = s;
                        break;
                    }
                }
            }
            bool erste = true;
            while (!gescheitert && zeilen.next()) {
                if (erste) {
                    for (const Druckspalte& s : wahl->spalten)
                        gescheitert = gescheitert || !drucker.print(s.spalte, QString::fromUtf8(s.kopf));
                    gescheitert = gescheitert || !drucker.newLine() || !drucker.newLine();
                    erste = false;
                }
                for (size_t i = 0; i < spalten.size() && !gescheitert; ++i) {
                    const Druckspalte& s = wahl->spalten[i];
                    const QVariant wert = spalten[i] < 0 ? QVariant() : zeilen.value(spalten[i]);
                    gescheitert = !drucker.print(s.spalte, druckwert(wert, s.breite));
                }
                gescheitert = gescheitert || !drucker.newLine();
            }
        } catch (const db::DbError&) {
            // A list query that cannot be read prints nothing more.
        }
    }
    drucker.endDoc();
    if (gescheitert)
        druckfehler(m_services, c);
}

// The choice of the dialog holds for later jobs; ending the empty document
// brings out no page.
void frmFilme::mnuDruckSetup_Click()
{
    sys::Printer& drucker = *m_services.printer;
    if (drucker.setup() == sys::Printer::Einrichtung::Fehler)
        m_services.messages->msgBox(QStringLiteral("Sorry - ein Fehler ist aufgetreten."), sys::mb::Exclamation,
                                    QStringLiteral("Drucksetup"));
    drucker.endDoc();
}
