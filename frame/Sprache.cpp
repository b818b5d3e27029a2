#include "frame/Sprache.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>

namespace frame {

namespace {

using E = Eigenschaft;

constexpr const char* H = "Hauptfenster";

// przSprache of the main window. The reading order is the order of the rows.
const Sprachzeile Hauptfenster[] = {
    // Field words.
    {H, "Label1", "", E::Feldwort, 1},
    {H, "Label2", "", E::Feldwort, 2},
    {H, "Label3", "", E::Feldwort, 3},
    {H, "Label4", "", E::Feldwort, 4},
    {H, "Label5", "", E::Feldwort, 5},
    {H, "Label6", "", E::Feldwort, 6},
    {H, "Label7", "", E::Feldwort, 7},

    // Labels and check boxes.
    {H, "Label8", "Label4", E::Beschriftung},
    {H, "Label9", "Label3", E::Beschriftung},
    {H, "Label10", "Label5", E::Beschriftung},
    {H, "Label11", "chkdat", E::Beschriftung},
    {H, "Label11Text", "Datum", E::Tooltip},
    {H, "Label11Text", "chkdat", E::Tooltip},
    {H, "Label12", "chkausleih", E::Beschriftung},
    {H, "Label12Text", "Ausgeliehen", E::Tooltip},
    {H, "Label12Text", "chkausleih", E::Tooltip},

    // Menus and menu entries. No access key is added: an ampersand must be in the value.
    {H, "Menu1", "mnuDatei", E::Beschriftung},
    {H, "Menu2", "mnuCDeinlesen", E::Beschriftung},
    {H, "Menu3", "mnuExport", E::Beschriftung},
    {H, "Menu3a", "mnuHTML", E::Beschriftung},
    {H, "Menu4", "mnuDrucken", E::Beschriftung},
    {H, "Menu5", "mnuDruckSetup", E::Beschriftung},
    {H, "Menu5a", "mnuUnterverzeichnis", E::Beschriftung},
    {H, "Menu5b", "mnuUnterverzeichnisExcelListe", E::Beschriftung},
    {H, "Menu6", "mnuBeenden", E::Beschriftung},
    {H, "Menu7", "mnuExcell", E::Beschriftung},
    {H, "Menu8", "mnuText", E::Beschriftung},
    {H, "Menu9", "mnuAnsicht", E::Beschriftung},
    {H, "Menu10", "mnuAktualisieren", E::Beschriftung},
    {H, "Menu11", "picload", E::Beschriftung},
    {H, "Menu12", "picchoose", E::Beschriftung},
    {H, "Menu13", "mnuSuchen", E::Beschriftung},
    {H, "Menu14", "mnuVolltextsucheTitel", E::Beschriftung},
    {H, "Menu15", "mnuVolltextsucheInfo", E::Beschriftung},
    {H, "Menu16", "mnuOhneCover", E::Beschriftung},
    {H, "Menu17", "mnuOhneInfo", E::Beschriftung},
    {H, "Menu18", "mnuDSAusgeliehen", E::Beschriftung},
    {H, "Menu19", "mnuDSnachDatum", E::Beschriftung},
    {H, "Menu20", "mnuDSDtEn", E::Beschriftung},
    {H, "Menu21", "mnuDSDt", E::Beschriftung},
    {H, "Menu22", "mnuDSEn", E::Beschriftung},
    {H, "Menu23", "mnuDSOhneSprache", E::Beschriftung},
    {H, "Menu24", "mnuDSohneSize", E::Beschriftung},
    {H, "Menu25", "mnuDSOhneCat", E::Beschriftung},
    {H, "Menu26", "mnuSortierung", E::Beschriftung},
    {H, "Menu27", "mnuDateAb", E::Beschriftung},
    {H, "Menu27b", "mnuDateAuf", E::Beschriftung},
    {H, "Menu28", "mnuClear", E::Beschriftung},
    {H, "Menu29", "mnuStatistik", E::Beschriftung},
    {H, "Menu30", "mnuZahlenStatistik", E::Beschriftung},
    {H, "Menu31", "mnuAusleiheStatistik", E::Beschriftung},
    {H, "Menu32", "mnuOptionen", E::Beschriftung},
    {H, "Menu33", "mnuTools", E::Beschriftung},
    {H, "Menu34", "About", E::Beschriftung},
    {H, "Menu35", "mnuHilfe", E::Beschriftung},
    {H, "Menu36", "mnuCredits", E::Beschriftung},
    {H, "Menu34", "mnuAbout", E::Beschriftung},  // the menu and its entry share the text

    // Buttons: ButtonN the caption, TextButtonN the tooltip.
    {H, "TextButton1", "cmdCDeinlesen", E::Tooltip},
    {H, "Button2", "Neu", E::Beschriftung},
    {H, "TextButton2", "Neu", E::Tooltip},
    {H, "Button3", "Speichern", E::Beschriftung},
    {H, "TextButton3", "Speichern", E::Tooltip},
    {H, "Button4", "cmdEdit", E::Beschriftung},
    {H, "TextButton4", "cmdEdit", E::Tooltip},
    {H, "Button5", "Löschen", E::Beschriftung},
    {H, "TextButton5", "Löschen", E::Tooltip},
    {H, "Button6", "cmdZurück", E::Beschriftung},
    {H, "TextButton6", "cmdZurück", E::Tooltip},
    {H, "Button7", "cmdVor", E::Beschriftung},
    {H, "TextButton7", "cmdVor", E::Tooltip},
    {H, "Button8", "cmdVolltextsucheTitel", E::Beschriftung},
    {H, "TextButton8", "cmdVolltextsucheTitel", E::Tooltip},
    {H, "Button9", "Anzeige", E::Beschriftung},
    {H, "TextButton9", "Anzeige", E::Tooltip},
    {H, "Button10", "cmdMappe", E::Beschriftung, 1, " "},
    {H, "TextButton10", "cmdMappe", E::Tooltip},
    {H, "Button11", "cmdAusgeliehen", E::Beschriftung},
    {H, "TextButton11", "cmdAusgeliehen", E::Tooltip},
    {H, "Button12", "cmddten", E::Beschriftung},
    {H, "TextButton12", "cmddten", E::Tooltip},
    {H, "Button13", "cmdInfo", E::Beschriftung},
    {H, "TextButton13", "cmdInfo", E::Tooltip},
    {H, "Button14", "cmdCover", E::Beschriftung},
    {H, "TextButton14", "cmdCover", E::Tooltip},
    {H, "Button15", "cmdSize", E::Beschriftung},
    {H, "TextButton15", "cmdSize", E::Tooltip},
    {H, "Button16", "cmdAusleihen", E::Beschriftung},
    {H, "TextButton16", "cmdAusleihen", E::Tooltip},
    {H, "Button17", "cmdspeichern", E::Beschriftung},
    {H, "TextButton17", "cmdspeichern", E::Tooltip},
    {H, "Button18", "cmdHTML", E::Beschriftung},
    {H, "TextButton18", "cmdHTML", E::Tooltip},
    {H, "Button19", "Alle", E::Beschriftung},
    {H, "TextButton19", "Alle", E::Tooltip},
    {H, "Button20", "ExcelSel", E::Beschriftung},
    {H, "TextButton20", "ExcelSel", E::Tooltip},
    {H, "Button21", "cmdPrint", E::Beschriftung},
    {H, "TextButton21", "cmdPrint", E::Tooltip},
    {H, "TextButton22", "cmdFilminfo", E::Tooltip},

    // Entry fields.
    {H, "Feld1", "tfTitel", E::Tooltip},
    {H, "Feld2", "tfFormat", E::Tooltip},
    {H, "Feld3", "tfQualität", E::Tooltip},
    {H, "Feld4", "tfMappe", E::Tooltip},
    {H, "Feld5", "tfAnzahl", E::Tooltip},
    {H, "Feld6", "tfCat", E::Tooltip},
    {H, "Feld7", "tfdten", E::Tooltip},
    {H, "Feld8", "tfSize", E::Tooltip},
    {H, "Feld9", "tfDatum", E::Tooltip},
    {H, "Feld10", "tfDatumAusleihe", E::Tooltip},

    // Combo boxes: the value after a field word. The quality boxes join with
    // two blanks (edit box) and with none (filter box), as the design has it.
    {H, "cmb1", "cmbFormat1", E::Tooltip, 3, " "},
    {H, "cmb1", "cmbQualität1", E::Tooltip, 2, "  "},
    {H, "cmb1", "cmbMappe1", E::Tooltip, 1, " "},
    {H, "cmb1", "cmbAnzahl1", E::Tooltip, 5, " "},
    {H, "cmb1", "cmbCat1", E::Tooltip, 7, " "},
    {H, "cmb2", "cmbDten1", E::Tooltip},
    {H, "cmb3", "cmbWer1", E::Tooltip},
    {H, "cmb4", "cmbFormat", E::Tooltip, 3, " "},
    {H, "cmb4", "cmbMappe", E::Tooltip, 1, " "},
    {H, "cmb4", "cmbCat", E::Tooltip, 7, " "},
    {H, "cmb4", "cmbWer", E::Tooltip, 6, " "},
    {H, "cmb5", "cmbQualität", E::Tooltip, 2, ""},
};

struct Eingebaut {
    const char* schluessel;
    const char* text;
};

// The German message texts for a program without a language file; the same
// as the shipped "deutsch.lng".
const Eingebaut Meldungen[] = {
    {"Fehler1", "Kein Datensatz!"},
    {"Fehler4", "Zu diesem Titel gibt es keine Unterordner."},
    {"FehlerText1", "Speichern"},
    {"FehlerText2", "Editieren"},
    {"FehlerText3", "Löschen"},
    {"FehlerText6", "CD ausleihen"},
    {"FehlerText7", "Ausleihe"},
    {"FehlerText8", "Diese CD ist bereits ausgeliehen!"},
    {"Frage1", "wirklich löschen?"},
    {"FrageText1", "löschen"},
};

// The window that an object belongs to: its nearest window ancestor, passing
// over menus, which are windows of their own.
const QWidget* eigenesFenster(const QObject* o)
{
    for (; o; o = o->parent()) {
        const auto* w = qobject_cast<const QWidget*>(o);
        if (w && w->isWindow() && !qobject_cast<const QMenu*>(w))
            return w;
    }
    return nullptr;
}

void setzeBeschriftung(QObject* ziel, const QString& text)
{
    if (auto* menu = qobject_cast<QMenu*>(ziel))
        menu->setTitle(text);
    else if (auto* aktion = qobject_cast<QAction*>(ziel))
        aktion->setText(text);
    else if (auto* knopf = qobject_cast<QAbstractButton*>(ziel))
        knopf->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(ziel))
        label->setText(text);
    else if (auto* rahmen = qobject_cast<QGroupBox*>(ziel))
        rahmen->setTitle(text);
    else if (auto* w = qobject_cast<QWidget*>(ziel); w && w->isWindow())
        w->setWindowTitle(text);
}

void setzeTooltip(QObject* ziel, const QString& text)
{
    if (auto* w = qobject_cast<QWidget*>(ziel))
        w->setToolTip(text);
    else if (auto* aktion = qobject_cast<QAction*>(ziel))
        aktion->setToolTip(text);
}

QObject* zielVon(QWidget* fenster, const Sprachzeile& zeile)
{
    if (*zeile.ziel == '\0')
        return fenster;
    return sprachZiel(fenster, QString::fromUtf8(zeile.ziel));
}

}  // namespace

Sprachdatei::Sprachdatei(const sys::Services& services, const QString& sprache, int puffer) : m_puffer(puffer)
{
    if (!sprache.isEmpty())
        m_datei.emplace(services.file(sprache));
}

QString Sprachdatei::text(const QString& sektion, const QString& schluessel) const
{
    return m_datei ? m_datei->read(sektion, schluessel, m_puffer) : QString();
}

QString sprachText(const sys::Services& services, const QString& sprache, const QString& sektion,
                   const QString& schluessel, int puffer)
{
    return Sprachdatei(services, sprache, puffer).text(sektion, schluessel);
}

std::span<const Sprachzeile> hauptfensterTabelle()
{
    return Hauptfenster;
}

QObject* sprachZiel(QWidget* fenster, const QString& objectName)
{
    // A window that the main window parents (a report or lending window) has
    // controls of the same names; only the window's own ones count.
    const auto kandidaten = fenster->findChildren<QObject*>(objectName);
    for (QObject* o : kandidaten)
        if (eigenesFenster(o) == fenster)
            return o;
    return nullptr;
}

void spracheAnwenden(QWidget* fenster, const Sprachdatei& datei, std::span<const Sprachzeile> tabelle,
                     Feldwoerter& feldwoerter)
{
    for (const Sprachzeile& zeile : tabelle) {
        QString text = datei.text(QString::fromUtf8(zeile.sektion), QString::fromUtf8(zeile.schluessel));
        if (zeile.eigenschaft == Eigenschaft::Feldwort) {
            feldwoerter.label.at(static_cast<std::size_t>(zeile.wort - 1)) = text;
            continue;
        }
        if (zeile.wort > 0)
            text = feldwoerter.wort(zeile.wort) + QString::fromUtf8(zeile.zwischen) + text;

        QObject* ziel = zielVon(fenster, zeile);
        if (!ziel)
            continue;
        switch (zeile.eigenschaft) {
        case Eigenschaft::Beschriftung: setzeBeschriftung(ziel, text); break;
        case Eigenschaft::Tooltip: setzeTooltip(ziel, text); break;
        case Eigenschaft::Fenstertitel:
            if (auto* w = qobject_cast<QWidget*>(ziel))
                w->setWindowTitle(text);
            break;
        case Eigenschaft::Feldwort: break;
        }
    }
}

void przSprache(QWidget* fenster, const sys::Services& services, const QString& sprache, Feldwoerter& feldwoerter)
{
    if (sprache.isEmpty())
        return;
    spracheAnwenden(fenster, Sprachdatei(services, sprache, HauptfensterPuffer), hauptfensterTabelle(), feldwoerter);
}

QStringList fehlendeZiele(QWidget* fenster, std::span<const Sprachzeile> tabelle)
{
    QStringList fehlend;
    for (const Sprachzeile& zeile : tabelle) {
        if (zeile.eigenschaft == Eigenschaft::Feldwort || zielVon(fenster, zeile))
            continue;
        const QString name = QString::fromUtf8(zeile.ziel);
        if (!fehlend.contains(name))
            fehlend << name;
    }
    return fehlend;
}

QString eingebauteMeldung(const QString& schluessel)
{
    for (const Eingebaut& m : Meldungen)
        if (schluessel.compare(QLatin1String(m.schluessel), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(m.text);
    return {};
}

QStringList eingebauteMeldungen()
{
    QStringList schluessel;
    for (const Eingebaut& m : Meldungen)
        schluessel << QString::fromUtf8(m.schluessel);
    return schluessel;
}

QString meldung(const sys::Services& services, const QString& sprache, const QString& schluessel, OhneDatei ohne)
{
    if (sprache.isEmpty())
        return ohne == OhneDatei::Eingebaut ? eingebauteMeldung(schluessel) : QString();
    return sprachText(services, sprache, HauptfensterSektion, schluessel, HauptfensterPuffer);
}

QString fehler(const sys::Services& services, const QString& sprache, int n, OhneDatei ohne)
{
    return meldung(services, sprache, QStringLiteral("Fehler%1").arg(n), ohne);
}

QString fehlerText(const sys::Services& services, const QString& sprache, int n, OhneDatei ohne)
{
    return meldung(services, sprache, QStringLiteral("FehlerText%1").arg(n), ohne);
}

QString frage(const sys::Services& services, const QString& sprache, int n, OhneDatei ohne)
{
    return meldung(services, sprache, QStringLiteral("Frage%1").arg(n), ohne);
}

QString frageText(const sys::Services& services, const QString& sprache, int n, OhneDatei ohne)
{
    return meldung(services, sprache, QStringLiteral("FrageText%1").arg(n), ohne);
}

}  // namespace frame
