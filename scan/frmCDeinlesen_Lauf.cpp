// The walk of a disc or folder into the entry lists, the deletion of an entry,
// and the take-over into the main window.
#include "scan/frmCDeinlesen.h"

#include "frame/CdIni.h"
#include "frame/Einmalfenster.h"
#include "platform/vb/HiddenListBox.h"
#include "platform/vb/VbControls.h"
#include "platform/vb/VbRuntime.h"
#include "platform/vb/DirListBox.h"
#include "scan/Durchsuchung.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <utility>

namespace scan {

namespace {

// The bytes of "Inhalt in Byte" as a drive's details ("4.700.372.992") or a walk
// (" 1234") wrote them; 0 for an empty or other text.
qint64 byteZahl(QString text)
{
    text.remove(u'.');
    bool zahl = false;
    const qint64 bytes = text.trimmed().toLongLong(&zahl);
    return zahl ? bytes : 0;
}

}  // namespace

// The walk's companion: asked before each entry.
class frmCDeinlesen::Begleiter : public Laufbegleiter {
public:
    explicit Begleiter(frmCDeinlesen& fenster) : m_fenster(fenster) {}
    bool weiter(const Laufstand& stand) override { return m_fenster.ereignisseLaufenLassen(&stand); }

private:
    frmCDeinlesen& m_fenster;
};

frmCDeinlesen::Laufwache::Laufwache(frmCDeinlesen& fenster) : m_fenster(fenster)
{
    if (m_fenster.m_laufTiefe++ == 0)
        m_fenster.setProperty(frame::LaeuftEigenschaft, true);
}

frmCDeinlesen::Laufwache::~Laufwache()
{
    if (--m_fenster.m_laufTiefe == 0)
        m_fenster.laufEnde();
}

bool frmCDeinlesen::nachDemLauf(std::function<void()> handlung)
{
    if (m_inPumpe == 0)
        return false;
    m_abbrechen = true;
    if (!m_geschlossen)
        m_danach = std::move(handlung);
    return true;
}

void frmCDeinlesen::laufEnde()
{
    setProperty(frame::LaeuftEigenschaft, false);
    lbFortschritt->hide();
    if (std::exchange(m_abbrechen, false))
        vb::setMousePointer(0);
    // From the event loop, as if the user's action came only now; a window
    // closed before then runs nothing more.
    if (std::function<void()> danach = std::exchange(m_danach, nullptr))
        QTimer::singleShot(0, this, [this, danach = std::move(danach)] {
            if (!m_geschlossen)
                danach();
        });
}

bool frmCDeinlesen::ereignisseLaufenLassen(const Laufstand* stand, bool sofort)
{
    if (m_abbrechen)
        return false;
    const qint64 jetzt = m_laufUhr.elapsed();
    if (!sofort && jetzt - m_letzteRunde < takt.ereignisseMs)
        return true;
    m_letzteRunde = jetzt;
    if (stand && jetzt - m_letzteAnzeige >= takt.anzeigeMs) {
        m_letzteAnzeige = jetzt;
        fortschrittZeigen(*stand);
    }
    ++m_inPumpe;
    QCoreApplication::processEvents();
    --m_inPumpe;
    return !m_abbrechen;
}

// The display first shows once a walk has taken an interval: a short walk
// ends before anything could flicker.
void frmCDeinlesen::fortschrittBeginnen(bool ordnersuche, const QString& wurzel, const QString& laufwerkspfad)
{
    m_laufUhr.start();
    m_letzteRunde = 0;
    m_letzteAnzeige = 0;
    m_ordnersuche = ordnersuche;
    m_anzeigeWurzel = wurzel;
    while (m_anzeigeWurzel.size() > 1 && m_anzeigeWurzel.endsWith(u'/'))
        m_anzeigeWurzel.chop(1);
    m_anzeigeLaufwerk = laufwerkspfad;
    while (m_anzeigeLaufwerk.endsWith(u'/'))
        m_anzeigeLaufwerk.chop(1);
}

// What was read so far, and the folder being read, in the drive's own terms.
void frmCDeinlesen::fortschrittZeigen(const Laufstand& stand)
{
    QString ordner = stand.ordnerPfad;
    if (!m_anzeigeWurzel.isEmpty() && ordner.startsWith(m_anzeigeWurzel))
        ordner = m_anzeigeLaufwerk + ordner.mid(m_anzeigeWurzel.size());
    if (ordner.size() == 2 && ordner.at(1) == u':')
        ordner += u'/';
    const int breite = lbFortschritt->contentsRect().width() - 2 * lbFortschritt->margin();
    const QString zeilen[] = {
        m_ordnersuche ? QStringLiteral("Ordner werden gesucht …") : QStringLiteral("Einlesen läuft …"),
        m_ordnersuche ? gruppiert(stand.ordner) + QStringLiteral(" Ordner")
                      : gruppiert(stand.ordner) + QStringLiteral(" Ordner, ") + gruppiert(stand.dateien)
                            + (stand.dateien == 1 ? QStringLiteral(" Datei") : QStringLiteral(" Dateien")),
        lbFortschritt->fontMetrics().elidedText(ordner, Qt::ElideMiddle, breite),
    };
    lbFortschritt->setText(QStringList(std::begin(zeilen), std::end(zeilen)).join(u'\n'));
    if (lbFortschritt->isHidden()) {
        lbFortschritt->show();
        lbFortschritt->raise();
    }
}

void frmCDeinlesen::Dir1_Change()
{
    if (m_beschaeftigt == u"1" || m_durchsucht)
        return;
    Laufwache wache(*this);
    vb::setMousePointer(11);
    Label1[5]->clear();
    Label1[7]->clear();
    tfCDFormat->clear();
    tfCDName->clear();
    laufwerksinfo.clear();
    vb::setMousePointer(11);

    const QByteArray ordner = Dir1->ordnerAufPlatte();
    fortschrittBeginnen(false, QFile::decodeName(ordner), Dir1->Path());
    if (!ereignisseLaufenLassen(nullptr, true))
        return;
    Durchsuchung ergebnis;
    if (!ordner.isEmpty()) {
        m_durchsucht = true;
        Begleiter begleiter(*this);
        ergebnis = durchsuchen(ordner, &begleiter);
        m_durchsucht = false;
    }
    lbFortschritt->hide();
    if (m_abbrechen || ergebnis.abgebrochen)
        return;

    tfCDFormat->setText(ergebnis.format);
    if (ergebnis.erweitert)
        setzeHoehe(HoeheErweitert);
    // In batches, one insertion per list rather than a repaint per row; each
    // part of the result is let go once its lists hold it.
    const Uebergabefelder haupt = m_katalog.uebergabe();
    lfListeCDeinlesen->addItems(ergebnis.namen);
    haupt.lfListeCDEinlesenOhneGroesse->addItems(std::exchange(ergebnis.namen, {}));
    lfListeCDeinlesenGroesse->addItems(std::exchange(ergebnis.groessen, {}));
    // The hand-over held this window's entries when the drive was chosen.
    lfListeCDeinlesenAlles->addItems(ergebnis.eintraege);
    haupt.lfListeCDeinlesen->addItems(std::exchange(ergebnis.eintraege, {}));
    Label1[5]->setText(byteText(ergebnis.bytes));
    Label1[7]->setText(mbText(ergebnis.bytes));
    vb::setMousePointer(0);
}

// The main window's entries with sizes are those of this window, of every
// disc of a set read so far.
void frmCDeinlesen::uebergabeAngleichen()
{
    m_katalog.uebergabe().lfListeCDeinlesen->setRows(lfListeCDeinlesenAlles->rows());
}

// One List1 row per folder below Dir1's folder, in pre-order. The folders are
// read straight from the disk, not by moving the shown Dir1 through each of
// them (which listed, stat'ed and drew every folder and asked the drives for
// its place each time): Dir1 stays on the folder it shows. A row whose path
// holds a name that is no valid text keeps its folder's bytes. An ended
// search adds no row.
void frmCDeinlesen::FindDirectories()
{
    Laufwache wache(*this);
    fortschrittBeginnen(true, {}, {});
    const QByteArray wurzel = Dir1->ordnerAufPlatte();
    Ordnersuche suche;
    if (!Dir1->Path().isEmpty() && !wurzel.isEmpty()) {
        Begleiter begleiter(*this);
        suche = ordnerSuchen(wurzel, Dir1->Path(), &begleiter);
    }
    lbFortschritt->hide();
    if (m_abbrechen || suche.abgebrochen)
        return;
    const int anfang = List1->count();
    List1->addItems(std::move(suche.pfade));
    for (const auto& [zeile, ordner] : suche.roh)
        List1->item(anfang + int(zeile))->setData(OrdnerRolle, ordner);
}

// The selected row goes from the visible list and the main window's name
// list; the two name-and-size lists lose the entry of exactly that row.
void frmCDeinlesen::przEintragLöschen()
{
    const int zeile = lfListeCDeinlesen->currentRow();
    const QString text = zeile >= 0 ? lfListeCDeinlesen->item(zeile)->text() : QString();
    if (text.isEmpty())
        return;
    if (!m_services.messages
        || m_services.messages->msgBox(u'*' + text + QStringLiteral("*  löschen?"), sys::mb::OkCancel) != sys::mb::Ok)
        return;
    // The hidden lists' rows are edited where they lie, not copied.
    const Uebergabefelder haupt = m_katalog.uebergabe();
    QStringList sichtbar = lfListeCDeinlesen->rows();
    QStringList alles = lfListeCDeinlesenAlles->takeRows();
    QStringList hauptMitGroesse = haupt.lfListeCDeinlesen->takeRows();
    QStringList hauptNamen = haupt.lfListeCDEinlesenOhneGroesse->takeRows();
    const bool entfernt = eintragEntfernen({sichtbar, alles, hauptMitGroesse, hauptNamen}, zeile);
    lfListeCDeinlesenAlles->setRows(std::move(alles));
    haupt.lfListeCDeinlesen->setRows(std::move(hauptMitGroesse));
    haupt.lfListeCDEinlesenOhneGroesse->setRows(std::move(hauptNamen));
    if (!entfernt)
        return;
    // The visible list loses just that row.
    lfListeCDeinlesen->removeItem(zeile);
    lfListeCDeinlesen->setCurrentRow(std::min(zeile, lfListeCDeinlesen->count() - 1));
}

void frmCDeinlesen::cmdDel_Click()
{
    przEintragLöschen();
}

// Nothing of a walk under way can be taken over: the button waits for its end.
void frmCDeinlesen::cmdCDÜbernehmen_Click()
{
    if (laeuft())
        return;
    const Uebergabefelder haupt = m_katalog.uebergabe();
    m_katalog.przLöschen();
    QString laufwerk = tfCDROM->text();
    if (laufwerk.isEmpty() && !List1->selectedItems().isEmpty())
        laufwerk = List1->selectedItems().first()->text();
    const bool bereit = m_services.drives && !laufwerk.isEmpty()
                        && m_services.drives->details(laufwerk.left(1)).ready;
    if (bereit) {
        haupt.tfTitel->setText(tfCDName->text());
        haupt.tfSize->setText(Label1[7]->text());
    }
    const QString format = tfCDFormat->text();
    if (format == u"DVD" || format == u"PC")
        haupt.tfQualität->setText(QStringLiteral("1"));
    haupt.tfAnzahl->setText(tfAnzahl->text().isEmpty() ? QStringLiteral("1") : tfAnzahl->text());
    if (!tfCDMappe->text().isEmpty()) {
        haupt.tfMappe->setText(tfCDMappe->text());
        werte.mappe = tfCDMappe->text();
        if (!frame::cdIni(m_services).write(QStringLiteral("CDeinlesen"), QStringLiteral("Mappe"), werte.mappe))
            frame::nichtGespeichert(m_services, {frame::CdIniName});
    }
    haupt.tfSize->show();
    haupt.tfFormat->setText(format);
    if (format == u"Audio")
        haupt.tfQualität->setText(QStringLiteral("1"));
    if (optUnterordner->isChecked())
        haupt.tfUnterordner->setText(QStringLiteral("1"));
    if (optCDInfo->isChecked())
        haupt.tfCDInfo->setText(QStringLiteral("1"));
    const bool alsInfo = optCDInfo->isChecked();
    close();
    m_katalog.przCDVolltextsuche();
    m_katalog.przÜbernahmeFertig(alsInfo);
    haupt.cmdEdit->setEnabled(false);
}

void frmCDeinlesen::cmdPlus_Click()
{
    if (nachDemLauf([this] { cmdPlus_Click(); }) || !m_services.messages)
        return;
    if (m_services.messages->msgBox(QStringLiteral("Haben sie die CD gewechselt?"), sys::mb::OkCancel,
                                    QStringLiteral("CD wechseln bitte!"))
        != sys::mb::Ok)
        return;
    Laufwache wache(*this);
    double anzahl = vb::val(tfAnzahl->text());
    if (anzahl == 0)
        anzahl = 1;
    const double vorher = vb::val(Label1[7]->text());
    const qint64 bytesVorher = byteZahl(Label1[5]->text());
    List1_Click();
    if (m_abbrechen)
        return;
    const double nachher = vb::val(Label1[7]->text());
    Label1[7]->setText(QString::number(vorher + nachher, 'g', 15));
    // The bytes add up like the megabytes, in the form the last disc's were shown.
    const QString letzte = Label1[5]->text();
    const qint64 summe = bytesVorher + byteZahl(letzte);
    Label1[5]->setText(letzte.startsWith(u' ') ? byteText(double(summe)) : gruppiert(summe));
    tfAnzahl->setText(QString::number(anzahl + 1, 'g', 15));
}

}  // namespace scan
