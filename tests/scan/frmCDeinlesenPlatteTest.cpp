// The scan window over a real labelled ext4 disk, found by the real drives
// service with "mit HDD" on, through to the saved title (root only).
#include "platform/system/LinuxDrives.h"
#include "scan/frmCDeinlesen.h"
#include "tests/catalogue/Bearbeitung.h"
#include "tests/catalogue/Filmkatalog.h"
#include "tests/support/FileSystemFaults.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// The real drives, with the letter of one mount pinned: other tests mount and
// unmount in parallel, which moves the pseudo letters between two calls.
class FesterBuchstabe : public sys::Drives {
public:
    FesterBuchstabe(sys::Drives& echt, QString einhaengepunkt) : m_echt(echt), m_punkt(std::move(einhaengepunkt))
    {
        m_buchstabe = aktuell();
    }
    const QString& buchstabe() const { return m_buchstabe; }

    QList<sys::Drive> list() override
    {
        QList<sys::Drive> alle;
        for (sys::Drive d : m_echt.list()) {
            if (d.mountPoint == m_punkt)
                d.letter = m_buchstabe;
            else if (d.letter == m_buchstabe)
                continue;
            alle.append(d);
        }
        return alle;
    }
    sys::DriveDetails details(const QString& letter) override { return m_echt.details(umsetzen(letter)); }
    QString folderOf(const QString& drivePath) override { return m_echt.folderOf(umsetzen(drivePath)); }
    void openTray(const QString& letter) override { m_echt.openTray(umsetzen(letter)); }
    void closeTray(const QString& letter) override { m_echt.closeTray(umsetzen(letter)); }

private:
    QString aktuell()
    {
        for (const sys::Drive& d : m_echt.list())
            if (d.mountPoint == m_punkt)
                return d.letter;
        return {};
    }
    QString umsetzen(const QString& text)
    {
        if (m_buchstabe.isEmpty() || !text.startsWith(m_buchstabe.left(1)))
            return text;
        return aktuell().left(1) + text.mid(1);
    }

    sys::Drives& m_echt;
    QString m_punkt;
    QString m_buchstabe;
};

}  // namespace

TEST(CDeinlesenPlatte, AFolderOfARealDiskIsReadTakenOverAndSaved)
{
    Filmkatalog k("[Funktionen]\r\nmit HDD=1\r\n");
    MountedExt4 platte(k.folder.file("platte"), "FILME_3");
    if (!platte.ok())
        GTEST_SKIP() << "cannot make or mount an ext4 loop image here (needs root and mkfs.ext4)";
    QDir().mkpath(platte.folder() + "/Serie_eins/Staffel 1");
    QDir().mkpath(platte.folder() + "/fremd");
    for (const auto& [name, groesse] : {std::pair{"Serie_eins/Staffel 1/Folge 1.avi", 3 << 20},
                                        std::pair{"Serie_eins/Staffel 1/Folge 2.avi", 1 << 20},
                                        std::pair{"Serie_eins/Titel.txt", 100}}) {
        QFile datei(platte.folder() + '/' + QString::fromUtf8(name));
        ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
        ASSERT_TRUE(datei.resize(groesse));
    }
    MountedTmpfs fremd(platte.folder() + "/fremd", "size=1m");
    ASSERT_TRUE(fremd.ok());
    QDir().mkpath(platte.folder() + "/fremd/nicht betreten");

    sys::LinuxDrives echt;
    FesterBuchstabe laufwerke(echt, platte.folder());
    k.fake.services.drives = &laufwerke;
    const QString buchstabe = laufwerke.buchstabe();
    ASSERT_FALSE(buchstabe.isEmpty());

    frmFilme& f = k.fenster();
    f.przAlleListe();
    f.c.Neu->click();
    f.cmdCDeinlesen_Click();
    scan::frmCDeinlesen& s = *f.scanfenster();
    const QString zeile = buchstabe + " \tLokaler Datenträger";
    const auto gefunden = s.List1->findItems(zeile, Qt::MatchExactly);
    ASSERT_EQ(gefunden.size(), 1);
    s.List1->setCurrentItem(gefunden.first());
    s.List1_Click();

    QStringList ordner;
    for (int i = 0; i < s.List1->count(); ++i)
        if (s.List1->item(i)->text().startsWith(buchstabe + "/"))
            ordner << s.List1->item(i)->text();
    EXPECT_EQ(ordner, (QStringList{buchstabe + "/lost+found", buchstabe + "/Serie_eins",
                                   buchstabe + "/Serie_eins/Staffel 1"}))
        << "the tmpfs mounted inside is another drive";

    const auto serie = s.List1->findItems(buchstabe + "/Serie_eins", Qt::MatchExactly);
    ASSERT_EQ(serie.size(), 1);
    s.List1->setCurrentItem(serie.first());
    s.List1_Click();
    EXPECT_EQ(s.tfCDName->text(), "Serie Eins");
    EXPECT_EQ(s.Label1[7]->text(), " 4");
    EXPECT_EQ(s.tfCDFormat->text(), "XVID");
    s.optUnterordner->setChecked(true);
    s.cmdCDÜbernehmen->click();
    f.c.Speichern->click();

    const auto zeilen = roh(k.folder.file("filme.mdb"),
                            "SELECT Titel2, Size FROM Unterordner WHERE Titel = 'Serie Eins' ORDER BY rowid");
    const std::vector<QStringList> erwartet = {
        {"Staffel 1: 4", " 4"}, {"Folge 1", " 3"}, {"Folge 2", " 1"}, {"Titel", " 0"}};
    EXPECT_EQ(zeilen, erwartet);
    EXPECT_EQ(spalte(k, "Filme", "Size", "Serie Eins"), " 4");
    EXPECT_EQ(integrität(k), "ok");
}
