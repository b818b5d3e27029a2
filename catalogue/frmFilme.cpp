#include "catalogue/frmFilme.h"

#include "catalogue/frmSucheInfo.h"
#include "catalogue/frmSucheTitel.h"
#include "frame/Fensterplatz.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>

frmFilme::frmFilme(const sys::Services& services, QWidget* parent)
    : QMainWindow(parent),
      m_services(services),
      m_frmSucheTitel(services.singleWindows.slot<frmSucheTitel>()),
      m_frmSucheInfo(services.singleWindows.slot<frmSucheInfo>()),
      m_frmCDeinlesen(services.singleWindows.slot<scan::frmCDeinlesen>()),
      m_frmCover(services.singleWindows.slot<scan::frmCover>()),
      m_frmCover2(services.singleWindows.slot<scan::frmCover>(2))
{
    setObjectName(QStringLiteral("frmFilme"));
    aufbauen();
    menüVerbinden();
    listeVerbinden();
    bilderVerbinden();
    bearbeitenVerbinden();
    scanVerbinden();
}

frmFilme::~frmFilme()
{
    przclose();
}

QString frmFilme::tfDBName() const
{
    return c.tfDBName->text();
}

// The close box ends the program like "Beenden": databases closed, every window closed.
void frmFilme::closeEvent(QCloseEvent* event)
{
    if (m_entladen || programmBeenden())
        event->accept();
    else
        event->ignore();
}

bool frmFilme::programmBeenden()
{
    if (!änderungenKlären())
        return false;
    frame::fensterplatzSichern(this, m_services.userStore, frame::HauptfensterPlatz);
    przclose();
    m_entladen = true;
    QApplication::closeAllWindows();
    QApplication::quit();
    return true;
}

// The window is dragged by its own surface with exactly the left button; the
// grabbed point stays under the cursor.
void frmFilme::mousePressEvent(QMouseEvent* event)
{
    QWidget* flaeche = centralWidget();
    const QPoint p = flaeche ? flaeche->mapFrom(this, event->position().toPoint()) : QPoint();
    m_zieht = flaeche && flaeche->rect().contains(p) && !flaeche->childAt(p);
    if (m_zieht)
        m_ziehPunkt = event->globalPosition().toPoint() - frameGeometry().topLeft();
    QMainWindow::mousePressEvent(event);
}

void frmFilme::mouseMoveEvent(QMouseEvent* event)
{
    if (m_zieht && m_ziehPunkt && event->buttons() == Qt::LeftButton)
        move(event->globalPosition().toPoint() - *m_ziehPunkt);
    QMainWindow::mouseMoveEvent(event);
}

void frmFilme::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}
