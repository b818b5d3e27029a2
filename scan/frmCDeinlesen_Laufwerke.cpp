// The drive list, the drive selection and the tray.
#include "scan/frmCDeinlesen.h"

#include "frame/CdIni.h"
#include "platform/vb/HiddenListBox.h"
#include "platform/vb/VbControls.h"
#include "platform/vb/DirListBox.h"
#include "scan/Durchsuchung.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace scan {

namespace {

const QString Lokal = QStringLiteral("Lokaler Datenträger");
const QString CdRom = QStringLiteral("CD-ROM-Laufwerk");

// A row of FindDirectories: a drive path, "C:/home/anna".
bool istOrdnerzeile(const QString& zeile)
{
    return zeile.size() >= 3 && zeile.at(1) == u':' && zeile.at(2) == u'/';
}

}  // namespace

QString laufwerkstypText(int typ)
{
    switch (typ) {
    case sys::drivetype::Unknown: return QStringLiteral("Unbekannt");
    case sys::drivetype::Removable: return QStringLiteral("Wechseldatenträger");
    case sys::drivetype::Fixed: return Lokal;
    case sys::drivetype::Network: return QStringLiteral("Netzwerklaufwerk");
    case sys::drivetype::CdRom: return CdRom;
    case sys::drivetype::RamDisk: return QStringLiteral("Virtuelles Laufwerk");
    default: return {};
    }
}

void frmCDeinlesen::przLaufwerkeFüllen()
{
    if (!m_services.drives)
        return;
    for (const sys::Drive& laufwerk : m_services.drives->list()) {
        const QString typ = laufwerkstypText(laufwerk.type);
        if (typ != CdRom && !(werte.mitHDD == u"1" && typ == Lokal))
            continue;
        List1->addItem(laufwerk.letter + QStringLiteral(" \t") + typ);
        QString tipp = laufwerk.mountPoint;
        if (!laufwerk.label.isEmpty())
            tipp += (tipp.isEmpty() ? QString() : QStringLiteral(" ")) + u'(' + laufwerk.label + u')';
        List1->item(List1->count() - 1)->setToolTip(tipp);
    }
}

void frmCDeinlesen::List1_Click()
{
    if (nachDemLauf([this] { List1_Click(); }))
        return;
    Laufwache wache(*this);
    przFelderLeeren();
    // No disc of a set is dropped: the hand-over holds what this window lists.
    uebergabeAngleichen();
    m_katalog.uebergabe().lfListeCDeinlesen->hide();
    vb::setMousePointer(11);
    Dir1->show();

    const QList<vb::ListItem> gewaehlt = List1->selectedItems();
    QString zeile = gewaehlt.isEmpty() ? QString() : gewaehlt.first()->text();
    const auto ende = [this] {
        Timer1->stop();
        vb::setMousePointer(0);
    };
    if (istOrdnerzeile(zeile)) {
        ordnerLesen(zeile, gewaehlt.first()->data(OrdnerRolle).toByteArray());
        ende();
        return;
    }
    const bool lokal = zeile.size() > 4 && zeile.mid(4) == Lokal;
    if (!lokal && !tfCDROM->text().isEmpty()) {
        zeile = zeile.left(2);
        if (zeile == tfCDROM->text() || zeile.isEmpty())
            zeile = tfCDROM->text();
        else
            tfCDROM->setText(zeile);
    }
    if (lokal) {
        m_beschaeftigt = QStringLiteral("1");
        Dir1->setPath(zeile.left(2) + u'/');
        FindDirectories();
        vb::setMousePointer(0);
        m_beschaeftigt = QStringLiteral("0");
        return;
    }
    const QString laufwerk = zeile.left(2);
    if (laufwerk.isEmpty()) {
        ende();
        return;
    }
    laufwerkLesen(laufwerk);
    ende();
}

// A disc: the walk first, then the drive's details overwrite title, caption,
// info and the size labels.
void frmCDeinlesen::laufwerkLesen(const QString& laufwerk)
{
    Dir1->setPath(laufwerk + u'/');
    if (m_abbrechen)
        return;
    tfCDROM->setText(laufwerk);
    const sys::DriveDetails d = m_services.drives ? m_services.drives->details(laufwerk) : sys::DriveDetails{};
    const QString buchstabe = laufwerk.left(1);
    if (d.ready) {
        QString name = d.volumeName;
        tfCDName->setText(PCase(name.replace(u'_', u' ')));
        setWindowTitle(QStringLiteral("CD Einlesen - ") + tfCDName->text());
        const QString zeilenende = QStringLiteral("\r\n");
        laufwerksinfo = QStringLiteral("Laufwerk: ") + buchstabe + zeilenende + QStringLiteral("Bezeichnung: ")
                        + d.volumeName + zeilenende + QStringLiteral("Dateisystem: ") + d.fileSystem + zeilenende
                        + QStringLiteral("Serial-Nummer: ") + QString::number(d.serial) + zeilenende
                        + QStringLiteral("Speicherkapazität: ") + gruppiert(d.totalBytes) + QStringLiteral(" bytes")
                        + zeilenende + QStringLiteral("Freier Speicher: ") + gruppiert(d.freeBytes)
                        + QStringLiteral(" bytes");
        Label1[5]->setText(gruppiert(d.totalBytes));
        Label1[7]->setText(mbText(static_cast<double>(d.totalBytes)));
    } else {
        laufwerksinfo = QStringLiteral("Laufwerk ") + buchstabe + QStringLiteral(" nicht bereit!");
        // No disc, no size: not the sums of a walk over nothing.
        Label1[5]->clear();
        Label1[7]->clear();
        setWindowTitle(QStringLiteral("CD Einlesen - Laufwerk nicht bereit!"));
    }
    txtDriveInfo->setPlainText(laufwerksinfo);
}

// A folder of a local disk: its walk's sums stay, the title is its name.
void frmCDeinlesen::ordnerLesen(const QString& ordnerZeile, const QByteArray& ordner)
{
    Dir1->setPath(ordnerZeile, ordner);
    if (m_abbrechen)
        return;
    QString name = Dir1->Path().section(u'/', -1);
    tfCDName->setText(PCase(name.replace(u'_', u' ')));
    setWindowTitle(QStringLiteral("CD Einlesen - ") + tfCDName->text());
    laufwerksinfo.clear();
    txtDriveInfo->setPlainText(QString());
}

void frmCDeinlesen::cmdCDAuswerfen_Click()
{
    if (nachDemLauf([this] { cmdCDAuswerfen_Click(); }))
        return;
    setzeHoehe(HoeheEingeklappt);
    cmdDel->hide();
    lfListeCDeinlesen->clear();
    lfListeCDeinlesenAlles->clear();
    lfListeCDeinlesenGroesse->clear();
    const Uebergabefelder haupt = m_katalog.uebergabe();
    haupt.lfListeCDEinlesenOhneGroesse->clear();
    // The disc is gone: none of its entries may be saved.
    haupt.lfListeCDeinlesen->clear();
    setWindowTitle(QStringLiteral("CD einlesen"));
    List1->clear();
    przLaufwerkeFüllen();
    przFelderLeeren();
    przSchubladeÖffnen();
    Dir1->hide();
}

void frmCDeinlesen::cmdCDeinziehen_Click()
{
    if (nachDemLauf([this] { cmdCDeinziehen_Click(); }))
        return;
    List1->clear();
    przLaufwerkeFüllen();
    przFelderLeeren();
    przSchubladeSchließen();
    Timer1->setInterval(3000);
    Timer1->start();
}

void frmCDeinlesen::Timer1_Timer()
{
    Timer1->stop();
    List1_Click();
}

void frmCDeinlesen::przSchubladeÖffnen()
{
    if (m_services.drives)
        m_services.drives->openTray(tfCDROM->text());
}

void frmCDeinlesen::przSchubladeSchließen()
{
    if (m_services.drives)
        m_services.drives->closeTray(tfCDROM->text());
}

void frmCDeinlesen::chkHDD_Click()
{
    if (nachDemLauf([this] { chkHDD_Click(); }))
        return;
    if (!frame::cdIni(m_services).write(QStringLiteral("Funktionen"), QStringLiteral("mit HDD"),
                                        chkHDD->isChecked() ? QStringLiteral("1") : QStringLiteral("0")))
        frame::nichtGespeichert(m_services, {frame::CdIniName});
    przInilesen();
    txtDriveInfo->setPlainText(QString());
    List1->clear();
    przLaufwerkeFüllen();
    przFelderLeeren();
    tfCDROM->clear();
}

}  // namespace scan
