#include "tests/scan/Scanfenster.h"

#include "platform/vb/HiddenListBox.h"
#include "platform/vb/VbControls.h"
#include "scan/frmCDeinlesen.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPushButton>

#include <gtest/gtest.h>

namespace testing_support {

QStringList zeilenVon(const vb::ListBox* liste)
{
    return liste->rows();
}

QStringList zeilenVon(const vb::HiddenListBox* liste)
{
    QStringList z;
    for (int i = 0; i < liste->count(); ++i)
        z.append(liste->text(i));
    return z;
}

Scan::Scan(const QByteArray& cdIni) : k(cdIni)
{
    wurzelD = k.folder.path() + "/discD";
    wurzelC = k.folder.path() + "/platteC";
    QDir().mkpath(wurzelD);
    QDir().mkpath(wurzelC);
    k.fake.drives.discs = {
        {"C:", sys::drivetype::Fixed, true, "System", "ext4", 7, 1000000, 500, wurzelC},
        {"D:", sys::drivetype::CdRom, true, "MY_MOVIE_2", "udf", -5, 4700372992LL, 0, wurzelD},
        {"E:", sys::drivetype::Removable, true, "Stick", "vfat", 0, 100, 0, k.folder.path()},
    };
}

scan::frmCDeinlesen& Scan::oeffnen()
{
    frmFilme& f = k.fenster();
    f.przAlleListe();
    f.c.Neu->click();
    f.cmdCDeinlesen_Click();
    return *f.scanfenster();
}

void Scan::datei(const QString& name, qint64 groesse)
{
    k.folder.write("discD/" + name, QByteArray(static_cast<int>(groesse), 'x'));
}

void Scan::waehlen(scan::frmCDeinlesen& s, int zeile)
{
    s.List1->setCurrentRow(zeile);
    s.List1_Click();
}

void Scan::discWechseln(const QString& label, const std::vector<std::pair<QString, qint64>>& dateien)
{
    QDir(wurzelD).removeRecursively();
    QDir().mkpath(wurzelD);
    k.fake.drives.disc("D:")->label = label;
    for (const auto& [name, groesse] : dateien)
        datei(name, groesse);
}

void zeileKlicken(vb::ListBox* liste, int zeile)
{
    liste->window()->show();
    const vb::ListItem eintrag = liste->item(zeile);
    ASSERT_TRUE(eintrag) << zeile;
    liste->scrollToItem(eintrag);
    const QPoint mitte = liste->visualItemRect(eintrag).center();
    QWidget* flaeche = liste->viewport();
    for (const auto typ : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(typ, mitte, flaeche->mapToGlobal(mitte), Qt::LeftButton,
                      typ == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(flaeche, &e);
    }
}

void zeileKlicken(vb::ListBox* liste, const QString& text)
{
    const auto gefunden = liste->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(gefunden.size(), 1) << text.toStdString();
    zeileKlicken(liste, liste->row(gefunden.first()));
}

}  // namespace testing_support
