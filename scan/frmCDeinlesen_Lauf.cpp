// The walk of a disc or folder into the entry lists, the deletion of an entry,
// and the take-over into the main window.
#include "scan/frmCDeinlesen.h"

#include "frame/CdIni.h"
#include "platform/vb/VbControls.h"
#include "platform/vb/VbRuntime.h"
#include "platform/vb/DirListBox.h"
#include "scan/Durchsuchung.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace scan {

namespace {

QStringList texte(const QListWidget* liste)
{
    QStringList zeilen;
    zeilen.reserve(liste->count());
    for (int i = 0; i < liste->count(); ++i)
        zeilen.append(liste->item(i)->text());
    return zeilen;
}

void ersetzen(QListWidget* liste, const QStringList& zeilen)
{
    liste->clear();
    liste->addItems(zeilen);
}

class Fensterbegleiter : public Laufbegleiter {
public:
    explicit Fensterbegleiter(std::function<bool()> weiterFrage) : m_frage(std::move(weiterFrage)) {}
    bool weiter() override { return m_frage(); }

private:
    std::function<bool()> m_frage;
};

}  // namespace

void frmCDeinlesen::ereignisseLaufenLassen(bool sofort)
{
    const qint64 jetzt = QDateTime::currentMSecsSinceEpoch();
    if (!sofort && jetzt - m_letzteRunde < 100)
        return;
    m_letzteRunde = jetzt;
    QCoreApplication::processEvents();
}

void frmCDeinlesen::Dir1_Change()
{
    if (m_beschaeftigt == u"1" || m_laeuft)
        return;
    vb::setMousePointer(11);
    Label1[5]->clear();
    Label1[7]->clear();
    tfCDFormat->clear();
    tfCDName->clear();
    laufwerksinfo.clear();
    vb::setMousePointer(11);

    const QByteArray ordner = Dir1->ordnerAufPlatte();
    m_laeuft = true;
    m_abbrechen = false;
    ereignisseLaufenLassen(true);
    Durchsuchung ergebnis;
    if (!ordner.isEmpty() && !m_abbrechen) {
        Fensterbegleiter begleiter([this] {
            ereignisseLaufenLassen();
            return !m_abbrechen;
        });
        ergebnis = durchsuchen(ordner, &begleiter);
    }
    m_laeuft = false;
    if (m_abbrechen || ergebnis.abgebrochen) {
        vb::setMousePointer(0);
        close();
        return;
    }

    tfCDFormat->setText(ergebnis.format);
    if (ergebnis.erweitert)
        setzeHoehe(HoeheErweitert);
    // In batches: one insertion per list, not a repaint per row.
    const Uebergabefelder haupt = m_katalog.uebergabe();
    lfListeCDeinlesen->addItems(ergebnis.namen);
    haupt.lfListeCDEinlesenOhneGroesse->addItems(ergebnis.namen);
    lfListeCDeinlesenGroesse->addItems(ergebnis.groessen);
    lfListeCDeinlesenAlles->addItems(ergebnis.eintraege);
    uebergabeAngleichen();
    Label1[5]->setText(byteText(ergebnis.bytes));
    Label1[7]->setText(mbText(ergebnis.bytes));
    vb::setMousePointer(0);
}

// The main window's entries with sizes are those of this window, of every
// disc of a set read so far.
void frmCDeinlesen::uebergabeAngleichen()
{
    ersetzen(m_katalog.uebergabe().lfListeCDeinlesen, texte(lfListeCDeinlesenAlles));
}

// One List1 row per folder of the disk, in pre-order. Dir1 moves through the
// folders; the busy flag keeps it from starting walks. Each row keeps its
// folder's bytes, as a name need not be valid text.
void frmCDeinlesen::FindDirectories()
{
    std::vector<Ordnerzeile> zeilen;
    ordnerSammeln(zeilen, 0);
    for (const Ordnerzeile& z : zeilen) {
        auto* zeile = new QListWidgetItem(z.pfad);
        zeile->setData(OrdnerRolle, z.ordner);
        List1->addItem(zeile);
    }
}

void frmCDeinlesen::ordnerSammeln(std::vector<Ordnerzeile>& zeilen, int tiefe)
{
    // Folders below 4096 levels cannot be named in a path anyway.
    if (tiefe > 4096 || m_abbrechen)
        return;
    std::vector<Ordnerzeile> unterordner;
    for (int i = 0; i < Dir1->ListCount(); ++i)
        unterordner.push_back({Dir1->List(i), Dir1->ListOrdner(i)});
    for (const Ordnerzeile& u : unterordner) {
        Dir1->setPath(u.pfad, u.ordner);
        zeilen.push_back({Dir1->Path(), Dir1->ordnerAufPlatte()});
        ordnerSammeln(zeilen, tiefe + 1);
    }
    Dir1->setPath(Dir1->Path() + QStringLiteral("/.."));
    ereignisseLaufenLassen();
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
    const Uebergabefelder haupt = m_katalog.uebergabe();
    QStringList sichtbar = texte(lfListeCDeinlesen);
    QStringList alles = texte(lfListeCDeinlesenAlles);
    QStringList hauptMitGroesse = texte(haupt.lfListeCDeinlesen);
    QStringList hauptNamen = texte(haupt.lfListeCDEinlesenOhneGroesse);
    if (!eintragEntfernen({sichtbar, alles, hauptMitGroesse, hauptNamen}, zeile))
        return;
    ersetzen(lfListeCDeinlesen, sichtbar);
    ersetzen(lfListeCDeinlesenAlles, alles);
    ersetzen(haupt.lfListeCDeinlesen, hauptMitGroesse);
    ersetzen(haupt.lfListeCDEinlesenOhneGroesse, hauptNamen);
    lfListeCDeinlesen->setCurrentRow(std::min(zeile, lfListeCDeinlesen->count() - 1));
}

void frmCDeinlesen::cmdDel_Click()
{
    przEintragLöschen();
}

void frmCDeinlesen::cmdCDÜbernehmen_Click()
{
    if (m_laeuft)
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
    close();
    m_katalog.przCDVolltextsuche();
    haupt.cmdEdit->setEnabled(false);
}

void frmCDeinlesen::cmdPlus_Click()
{
    if (m_laeuft || !m_services.messages)
        return;
    if (m_services.messages->msgBox(QStringLiteral("Haben sie die CD gewechselt?"), sys::mb::OkCancel,
                                    QStringLiteral("CD wechseln bitte!"))
        != sys::mb::Ok)
        return;
    double anzahl = vb::val(tfAnzahl->text());
    if (anzahl == 0)
        anzahl = 1;
    const double vorher = vb::val(Label1[7]->text());
    List1_Click();
    if (m_abbrechen)
        return;
    const double nachher = vb::val(Label1[7]->text());
    Label1[7]->setText(QString::number(vorher + nachher, 'g', 15));
    tfAnzahl->setText(QString::number(anzahl + 1, 'g', 15));
}

}  // namespace scan
