// What holds a catalogue: tools only while it works on it, its grid while it
// is open; and a catalogue that may not be written, named as such.
#include "tests/frame/Katalogfixture.h"
#include "tests/support/FileSystemFaults.h"
#include "tests/tools/ToolsFixture.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const QString Komprimiert = QStringLiteral("DB erfolgreich komprimiert");
const QString Umbenannt = QStringLiteral("DB erfolgreich umbennannt.");

std::unique_ptr<frmTools> gewählt(Programmordner& o)
{
    auto f = o.starten();
    wählen(f->cmbDBU, QStringLiteral("filme"));
    return f;
}

void umbenennen(frmTools& f, const QString& alt, const QString& neu)
{
    f.tfDB1->setText(alt);
    f.tfDB0->setText(neu);
    f.cmdDBrename->click();
}

// ---- Earlier work of the same run blocks nothing ----------------------------

struct Vorarbeit {
    const char* name;
    void (*tun)(frmTools& f, Programmordner& o);
};

void PrintTo(const Vorarbeit& v, std::ostream* os)
{
    *os << v.name;
}

class EigeneVorarbeit : public testing::TestWithParam<Vorarbeit> {};

TEST_P(EigeneVorarbeit, LeavesTheCatalogueFreeForCompactionAndRename)
{
    Programmordner o;
    const QString pfad = o.katalog("filme");
    auto f = gewählt(o);
    f->show();
    GetParam().tun(*f, o);
    EXPECT_FALSE(QFile::exists(o.folder.file("filme.ldb"))) << "tools holds the catalogue after its work";
    o.fake.messages.shown.clear();

    f->cmdKomp->click();
    EXPECT_EQ(o.fake.messages.prompts(), QStringList{Komprimiert});
    o.fake.messages.shown.clear();
    umbenennen(*f, QStringLiteral("filme"), QStringLiteral("neu"));
    EXPECT_EQ(o.fake.messages.prompts(), QStringList{Umbenannt});
    EXPECT_EQ(o.dateien(), (QStringList{"Cd.ini", "filme.mdb.bak", "neu.mdb"}));
    EXPECT_EQ(o.ini("DB", "DB Name0"), QStringLiteral("neu"));
    EXPECT_EQ(rohWert(o.folder.file("neu.mdb"), "PRAGMA integrity_check"), QStringLiteral("ok"));
}

INSTANTIATE_TEST_SUITE_P(
    Schritte, EigeneVorarbeit,
    testing::Values(
        Vorarbeit{"Werteliste", [](frmTools& f, Programmordner&) { f.optFormat->click(); }},
        Vorarbeit{"Ersetzung",
                  [](frmTools& f, Programmordner& o) {
                      f.optFormat->click();
                      f.cmbCombo->setText(QStringLiteral("DVD"));
                      f.cmbCombo1->setText(QStringLiteral("DVD-R"));
                      o.fake.messages.answer(sys::mb::Ok);
                      f.cmdÄndern->click();
                      ASSERT_EQ(o.fake.messages.prompts().value(1), QStringLiteral("Aktion erfolgreich ausgeführt"));
                  }},
        Vorarbeit{"AbgewieseneErsetzung",
                  [](frmTools& f, Programmordner& o) {
                      f.optMappe->click();
                      f.cmbCombo->setText(QStringLiteral("%"));
                      f.cmbCombo1->setText(QStringLiteral("M1"));
                      f.cmdÄndern->click();
                      ASSERT_EQ(o.fake.messages.shown.size(), 1u);
                  }},
        Vorarbeit{"GeschlosseneTabellenAnsicht",
                  [](frmTools& f, Programmordner&) {
                      f.cmdDBAnsicht->click();
                      ASSERT_NE(f.datagrid(), nullptr);
                      f.datagrid()->close();
                  }}),
    [](const testing::TestParamInfo<Vorarbeit>& fall) { return std::string(fall.param.name); });

TEST(TabellenAnsicht, WhileOpenItHoldsTheCatalogueAndSaysSo)
{
    Programmordner o;
    o.katalog("filme");
    const QByteArray vorher = o.folder.read("filme.mdb");
    auto f = gewählt(o);
    f->show();
    f->cmdDBAnsicht->click();
    ASSERT_TRUE(f->hatGridverbindung());

    const QString offen = "Die Datenbank \"" + o.folder.file("filme.mdb")
                          + "\" ist in der Tabellen-Ansicht geöffnet. Bitte erst die Tabellen-Ansicht schließen!";
    f->cmdKomp->click();
    umbenennen(*f, QStringLiteral("filme"), QStringLiteral("neu"));
    ASSERT_EQ(o.fake.messages.prompts(), (QStringList{offen, offen}));
    EXPECT_EQ(o.fake.messages.shown[0].title, QStringLiteral("DB Komprimieren"));
    EXPECT_EQ(o.fake.messages.shown[1].title, QStringLiteral("Umbennennen"));
    EXPECT_EQ(o.folder.read("filme.mdb"), vorher);
    EXPECT_EQ(o.ini("DB", "DB Name0"), QStringLiteral("filme"));

    // Closed, the grid lets go at once.
    f->datagrid()->close();
    EXPECT_FALSE(QFile::exists(o.folder.file("filme.ldb")));
    o.fake.messages.shown.clear();
    umbenennen(*f, QStringLiteral("filme"), QStringLiteral("neu"));
    EXPECT_EQ(o.fake.messages.prompts(), QStringList{Umbenannt});
}

// ---- A catalogue that may not be written -------------------------------------

enum class Schritt { Komprimieren, Umbenennen, Ersetzen };
enum class Geschuetzt { Datei, Ordner };

struct Schutzfall {
    const char* name;
    Schritt schritt;
    Geschuetzt was;
};

void PrintTo(const Schutzfall& s, std::ostream* os)
{
    *os << s.name;
}

class Schreibschutz : public testing::TestWithParam<Schutzfall> {};

TEST_P(Schreibschutz, IsNamedAsTheCauseAndNothingChanges)
{
    const Schutzfall& s = GetParam();
    Programmordner o;
    const QString pfad = o.katalog("filme");
    const QByteArray vorher = o.folder.read("filme.mdb");
    const QByteArray iniVorher = o.folder.read("Cd.ini");
    auto f = gewählt(o);
    if (s.schritt == Schritt::Ersetzen) {
        f->optFormat->click();
        f->cmbCombo->setText(QStringLiteral("DVD"));
        f->cmbCombo1->setText(QStringLiteral("DVD-R"));
    }
    // Modes do not bind root; an immutable file or folder binds everyone.
    ImmutableFile fest(s.was == Geschuetzt::Datei ? pfad : o.folder.path());
    if (!fest.ok())
        GTEST_SKIP() << "cannot mark files immutable here";
    switch (s.schritt) {
    case Schritt::Komprimieren: f->cmdKomp->click(); break;
    case Schritt::Umbenennen: umbenennen(*f, QStringLiteral("filme"), QStringLiteral("neu")); break;
    case Schritt::Ersetzen: f->cmdÄndern->click(); break;
    }

    const QString grund = s.was == Geschuetzt::Datei
                              ? QStringLiteral("Die Datenbank ist schreibgeschützt.")
                              : "Der Ordner \"" + o.folder.path() + "\" ist schreibgeschützt.";
    const QString anfang = s.schritt == Schritt::Komprimieren ? "Die Datenbank \"" + pfad + "\" wurde nicht komprimiert:"
                           : s.schritt == Schritt::Umbenennen
                               ? "Die Datenbank \"" + pfad + "\" kann nicht umbenannt werden:"
                               : "Die Werte der Datenbank \"" + pfad + "\" können nicht geändert werden:";
    const QString titel = s.schritt == Schritt::Komprimieren ? QStringLiteral("DB Komprimieren")
                          : s.schritt == Schritt::Umbenennen ? QStringLiteral("Umbennennen")
                                                             : QStringLiteral("Datenfelder ändern");
    ASSERT_EQ(o.fake.messages.prompts(), QStringList{anfang + "\r\n" + grund});
    EXPECT_EQ(o.fake.messages.shown[0].title, titel);
    EXPECT_EQ(o.fake.messages.shown[0].flags, sys::mb::Exclamation);
    EXPECT_EQ(o.folder.read("filme.mdb"), vorher);
    EXPECT_EQ(o.folder.read("Cd.ini"), iniVorher);
    EXPECT_EQ(o.dateien(), (QStringList{"Cd.ini", "filme.mdb"}));
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Schreibschutz,
    testing::Values(Schutzfall{"KomprimierenDatei", Schritt::Komprimieren, Geschuetzt::Datei},
                    Schutzfall{"KomprimierenOrdner", Schritt::Komprimieren, Geschuetzt::Ordner},
                    Schutzfall{"UmbenennenDatei", Schritt::Umbenennen, Geschuetzt::Datei},
                    Schutzfall{"UmbenennenOrdner", Schritt::Umbenennen, Geschuetzt::Ordner},
                    Schutzfall{"ErsetzenDatei", Schritt::Ersetzen, Geschuetzt::Datei},
                    Schutzfall{"ErsetzenOrdner", Schritt::Ersetzen, Geschuetzt::Ordner}),
    [](const testing::TestParamInfo<Schutzfall>& fall) { return std::string(fall.param.name); });

}  // namespace
