// The scan window's door into the main window.
#include "catalogue/frmFilme.h"

#include "catalogue/Scanliste.h"
#include "frame/Einmalfenster.h"
#include "scan/frmCDeinlesen.h"

scan::Uebergabefelder frmFilme::uebergabe()
{
    return {c.tfTitel, c.tfSize, c.tfQualität, c.tfAnzahl, c.tfMappe, c.tfFormat, c.tfUnterordner,
            c.tfCDInfo, c.cmdEdit, c.lfListeCDeinlesen, c.lfListeCDEinlesenOhneGroesse, c.tfCover, c.chkCover};
}

// What the info box shows is what the save stores: the disc's names go into
// it now, where the user sees them and may write on.
void frmFilme::przÜbernahmeFertig(bool alsInfo)
{
    if (alsInfo) {
        c.tfInfo->setPlainText(katalog::infoText(c.lfListeCDEinlesenOhneGroesse->rows()));
        c.tfInfo->setVisible(true);
    }
    m_neuanlage = Neuanlage::Titel;
    m_geladen = leererStand();
}

// Shown without blocking: the main window stays usable while a disc is read.
void frmFilme::cmdCDeinlesen_Click()
{
    frame::einmalZeigen(m_frmCDeinlesen, [this] { return new scan::frmCDeinlesen(m_services, *this, this); });
}

void frmFilme::mnuCDeinlesen_Click()
{
    cmdCDeinlesen_Click();
}

void frmFilme::scanVerbinden()
{
    connect(c.cmdCDeinlesen, &QPushButton::clicked, this, &frmFilme::cmdCDeinlesen_Click);
    connect(c.mnuCDeinlesen, &QAction::triggered, this, &frmFilme::mnuCDeinlesen_Click);
    connect(c.cmdCover, &QPushButton::clicked, this, &frmFilme::cmdCover_Click);
    connect(c.cmdCover2, &QPushButton::clicked, this, &frmFilme::cmdCover2_Click);
    connect(c.cmdFilminfo, &QPushButton::clicked, this, &frmFilme::cmdFilminfo_Click);
    connect(c.cmdFilminfogoogle, &QPushButton::clicked, this, &frmFilme::cmdFilminfogoogle_Click);
    connect(c.lfCover, &vb::ListBox::itemClicked, this, &frmFilme::lfCover_Click);
    c.WebBrowser1->setWeb(m_services.web);
}
