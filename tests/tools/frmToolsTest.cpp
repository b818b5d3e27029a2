// The tools window: start-up lists, switch, rename, look, start and end.
#include "platform/db/FileRename.h"
#include "platform/db/LockFile.h"
#include "platform/system/Dateigrund.h"
#include "tests/support/FileSystemFaults.h"
#include "tests/tools/ToolsFixture.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>

using namespace testing_support;

namespace {

const QString Sechzig = QStringLiteral("abcdefghij").repeated(6);

// ---- Start-up lists ---------------------------------------------------------

struct Start {
    const char* name;
    QByteArray cdIni;
    QStringList liste;   // both combo boxes
    QString quelle;      // tfDB1
};

void PrintTo(const Start& p, std::ostream* os)
{
    *os << p.name;
}

class Startliste : public testing::TestWithParam<Start> {};

TEST_P(Startliste, ListsBothNamesInBothBoxes)
{
    const Start& s = GetParam();
    Programmordner o(s.cdIni);
    auto f = o.starten();
    EXPECT_EQ(einträge(f->cmbDB), s.liste);
    EXPECT_EQ(einträge(f->cmbDBU), s.liste);
    EXPECT_EQ(f->tfDB1->text(), s.quelle);
    EXPECT_EQ(f->tfDB(0)->text(), s.liste.value(0));
    EXPECT_EQ(f->tfDB(1)->text(), s.liste.value(1));
    // No entry is picked: the box shows its design text and nothing is the working catalogue.
    EXPECT_EQ(f->cmbDBU->currentIndex(), -1);
    EXPECT_EQ(f->cmbDBU->placeholderText(), QStringLiteral("DB wählen"));
    EXPECT_TRUE(f->arbeitsName().isEmpty());
    // The boxes of the old and the new value show nothing until a field is chosen.
    for (const vb::ComboBox* box : {f->cmbCombo, f->cmbCombo1}) {
        EXPECT_EQ(box->text(), QString()) << box->objectName().toStdString();
        EXPECT_EQ(box->lineEdit()->text(), QString()) << box->objectName().toStdString();
        EXPECT_EQ(box->count(), 0) << box->objectName().toStdString();
    }
    EXPECT_TRUE(o.fake.messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    CdIni, Startliste,
    testing::Values(Start{"ZweiNamen", "[DB]\r\nDB Name0=filme\r\nDB Name1=musik\r\n", {"filme", "musik"}, "filme"},
                    Start{"OhneDB", "[Design]\r\nDefault=0\r\n", {"", ""}, ""},
                    Start{"SechzigZeichen", "[DB]\r\nDB Name0=" + Sechzig.toUtf8() + "\r\n",
                          {Sechzig.left(49), ""}, Sechzig.left(49)}),
    [](const testing::TestParamInfo<Start>& fall) { return std::string(fall.param.name); });

// ---- Switch ---------------------------------------------------------------

struct Wechsel {
    const char* name;
    QString name0, name1;
    int wahl;  // index in cmbDB
    QString nachher0, nachher1;
};

void PrintTo(const Wechsel& p, std::ostream* os)
{
    *os << p.name;
}

class Umschalten : public testing::TestWithParam<Wechsel> {};

TEST_P(Umschalten, WritesTheKeysAsTheRuleSays)
{
    const Wechsel& w = GetParam();
    Programmordner o(("[DB]\r\nDB Name0=" + w.name0 + "\r\nDB Name1=" + w.name1 + "\r\n").toUtf8());
    auto f = o.starten();
    for (const QString& name : einträge(f->cmbDB)) {
        if (!name.isEmpty())
            o.katalog(name);
    }
    f->cmbDB->setCurrentIndex(w.wahl);
    emit f->cmbDB->activated(w.wahl);
    EXPECT_EQ(o.ini("DB", "DB Name0"), w.nachher0);
    EXPECT_EQ(o.ini("DB", "DB Name1"), w.nachher1);
    EXPECT_TRUE(o.fake.messages.shown.empty());
    // Nothing on screen is refreshed.
    EXPECT_EQ(f->tfDB1->text(), w.name0.left(49));
    EXPECT_EQ(f->tfDB(0)->text(), w.name0.left(49));
}

INSTANTIATE_TEST_SUITE_P(
    Wahl, Umschalten,
    testing::Values(Wechsel{"ZweiteTauscht", "filme", "musik", 1, "musik", "filme"},
                    Wechsel{"AktuelleBleibt", "filme", "musik", 0, "filme", "musik"},
                    Wechsel{"OhneZweiteNichts", "filme", "", 1, "filme", ""},
                    Wechsel{"LangeNamenMit49", Sechzig, QStringLiteral("x") + Sechzig, 1,
                            QStringLiteral("x") + Sechzig.left(48), Sechzig.left(49)}),
    [](const testing::TestParamInfo<Wechsel>& fall) { return std::string(fall.param.name); });

TEST(Umschalten, ACatalogueThatIsGoneNeverBecomesTheCurrentOne)
{
    Programmordner o("[DB]\r\nDB Name0=filme\r\nDB Name1=weg\r\n");
    o.katalog("filme");
    const QByteArray iniVorher = o.folder.read("Cd.ini");
    auto f = o.starten();
    wählen(f->cmbDB, QStringLiteral("weg"));
    ASSERT_EQ(o.fake.messages.prompts(),
              QStringList{"Die Datenbank \"" + o.folder.file("weg.mdb")
                          + "\" gibt es nicht, Rondavex könnte sie nicht öffnen. Die aktuelle Datenbank bleibt "
                            "\"filme\"."});
    EXPECT_EQ(o.fake.messages.shown[0].flags, sys::mb::Exclamation);
    EXPECT_EQ(o.folder.read("Cd.ini"), iniVorher);
    EXPECT_FALSE(QFile::exists(o.folder.file("weg.mdb")));
}

TEST(Umschalten, PickingInTheFirstBoxOnlyChoosesTheWorkingCatalogue)
{
    Programmordner o("[DB]\r\nDB Name0=filme\r\nDB Name1=musik\r\n");
    auto f = o.starten();
    wählen(f->cmbDBU, QStringLiteral("musik"));
    EXPECT_EQ(f->arbeitsName(), QStringLiteral("musik"));
    EXPECT_EQ(f->arbeitsPfad(), o.folder.file("musik.mdb"));
    EXPECT_EQ(o.ini("DB", "DB Name0"), QStringLiteral("filme"));
    EXPECT_FALSE(QFile::exists(o.folder.file("musik.mdb"))) << "nothing is opened or created";
}

// ---- The lists after a creation, a rename and a compaction ------------------

struct Auffrischung {
    const char* name;
    void (*tun)(frmTools& f, Programmordner& o);
    QStringList liste;    // both combo boxes and tfDB(0), tfDB(1) after
    QString quelle;       // tfDB1 after
    QString arbeitsName;  // the working catalogue after
    QString meldung;      // the action's message
};

void PrintTo(const Auffrischung& a, std::ostream* os)
{
    *os << a.name;
}

class Auffrischen : public testing::TestWithParam<Auffrischung> {};

TEST_P(Auffrischen, RefillsEveryListOfCatalogues)
{
    const Auffrischung& a = GetParam();
    Programmordner o("[DB]\r\nDB Name0=filme\r\nDB Name1=musik\r\n");
    o.katalog("filme");
    o.katalog("musik");
    auto f = o.starten();
    f->show();
    wählen(f->cmbDBU, QStringLiteral("filme"));
    a.tun(*f, o);

    EXPECT_EQ(o.fake.messages.prompts(), QStringList{a.meldung});
    EXPECT_EQ(einträge(f->cmbDB), a.liste);
    EXPECT_EQ(einträge(f->cmbDBU), a.liste);
    EXPECT_EQ(f->tfDB(0)->text(), a.liste.value(0));
    EXPECT_EQ(f->tfDB(1)->text(), a.liste.value(1));
    EXPECT_EQ(f->tfDB1->text(), a.quelle);
    EXPECT_EQ(f->arbeitsName(), a.arbeitsName);
    EXPECT_EQ(f->cmbDBU->currentText(), a.arbeitsName) << "the box shows the working catalogue";
    for (const QString& name : a.liste)
        EXPECT_TRUE(QFile::exists(o.folder.file(name + ".mdb"))) << "listed but gone: " << name.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Aktionen, Auffrischen,
    testing::Values(
        Auffrischung{"NeueDB",
                     [](frmTools& f, Programmordner&) {
                         f.cmdCreateDB->click();
                         tippenImFokus(f.neuDB()->tfDBNameNeu, QStringLiteral("jazz\r"));
                     },
                     {"filme", "jazz"}, "filme", "filme",
                     "Datenbank erfolgreich generiert! Bitte wechseln Sie die DB wenn Sie die Neue benutzen wollen."},
        Auffrischung{"Umbenennen",
                     [](frmTools& f, Programmordner&) {
                         f.tfDB0->setText(QStringLiteral("neu"));
                         f.cmdDBrename->click();
                     },
                     {"neu", "musik"}, "neu", "", "DB erfolgreich umbennannt."},
        Auffrischung{"Komprimieren",
                     [](frmTools& f, Programmordner& o) {
                         // Meanwhile the main program switched the second catalogue.
                         o.folder.write("Cd.ini", "[DB]\r\nDB Name0=filme\r\nDB Name1=jazz\r\n");
                         o.katalog("jazz");
                         f.cmdKomp->click();
                     },
                     {"filme", "jazz"}, "filme", "filme", "DB erfolgreich komprimiert"}),
    [](const testing::TestParamInfo<Auffrischung>& fall) { return std::string(fall.param.name); });

TEST(Auffrischen, AfterARenameTheOldNameCannotBeChosen)
{
    Programmordner o("[DB]\r\nDB Name0=filme\r\nDB Name1=musik\r\n");
    o.katalog("filme");
    o.katalog("musik");
    auto f = o.starten();
    f->tfDB0->setText(QStringLiteral("neu"));
    f->cmdDBrename->click();
    ASSERT_EQ(o.fake.messages.prompts(), QStringList{"DB erfolgreich umbennannt."});
    EXPECT_FALSE(einträge(f->cmbDB).contains(QStringLiteral("filme")));
    wählen(f->cmbDB, QStringLiteral("musik"));
    EXPECT_EQ(o.ini("DB", "DB Name0"), QStringLiteral("musik"));
    EXPECT_EQ(o.ini("DB", "DB Name1"), QStringLiteral("neu"));
    // A second rename starts from the name the file has now.
    o.fake.messages.shown.clear();
    f->tfDB0->setText(QStringLiteral("zwei"));
    f->cmdDBrename->click();
    EXPECT_EQ(o.fake.messages.prompts(), QStringList{"DB erfolgreich umbennannt."});
    EXPECT_EQ(o.dateien().filter(QStringLiteral(".mdb")), (QStringList{"musik.mdb", "zwei.mdb"}));
    EXPECT_EQ(o.ini("DB", "DB Name0"), QStringLiteral("musik"));
    EXPECT_EQ(o.ini("DB", "DB Name1"), QStringLiteral("zwei"));
}

// "DB Name1" follows its file: the lists name it, and it can be made current.
TEST(Umbenennen, TheSecondCatalogueRenamedIsStillTheSecondOne)
{
    Programmordner o("[DB]\r\nDB Name0=filme\r\nDB Name1=musik\r\n");
    o.katalog("filme");
    o.katalog("musik");
    auto f = o.starten();
    f->tfDB1->setText(QStringLiteral("musik"));
    f->tfDB0->setText(QStringLiteral("jazz"));
    f->cmdDBrename->click();
    ASSERT_EQ(o.fake.messages.prompts(), QStringList{"DB erfolgreich umbennannt."});
    EXPECT_EQ(o.ini("DB", "DB Name0"), QStringLiteral("filme"));
    EXPECT_EQ(o.ini("DB", "DB Name1"), QStringLiteral("jazz"));
    EXPECT_EQ(einträge(f->cmbDB), (QStringList{"filme", "jazz"}));
    EXPECT_EQ(einträge(f->cmbDBU), (QStringList{"filme", "jazz"}));
    wählen(f->cmbDB, QStringLiteral("jazz"));
    EXPECT_EQ(o.fake.messages.prompts(), QStringList{"DB erfolgreich umbennannt."}) << "no message at the switch";
    EXPECT_EQ(o.ini("DB", "DB Name0"), QStringLiteral("jazz"));
    EXPECT_EQ(o.ini("DB", "DB Name1"), QStringLiteral("filme"));
}

// ---- Rename ---------------------------------------------------------------

struct Umbenennung {
    const char* name;
    QString alt, neu;
    QStringList vorhanden;  // catalogues in the folder before
    bool gesperrt;          // another program holds the old one
    QString meldung;        // the start of the one message ("" = none)
    QString titel;
    QStringList nachher;    // .mdb files after
    QString name0;          // "DB Name0" after
    QString name1 = QStringLiteral("musik");  // "DB Name1" after
};

void PrintTo(const Umbenennung& p, std::ostream* os)
{
    *os << p.name;
}

class Umbenennen : public testing::TestWithParam<Umbenennung> {};

TEST_P(Umbenennen, RenamesOnlyWhatIsSafe)
{
    const Umbenennung& u = GetParam();
    Programmordner o("[DB]\r\nDB Name0=filme\r\nDB Name1=musik\r\n");
    for (const QString& k : u.vorhanden)
        o.katalog(k);
    std::unique_ptr<db::LockFile> fremd;
    if (u.gesperrt)
        fremd = db::LockFile::acquire(o.folder.file(u.alt + ".mdb"), db::LockFile::Mode::Shared);
    auto f = o.starten();
    f->tfDB1->setText(u.alt);
    f->tfDB0->setText(u.neu);
    const QByteArray musikVorher = o.folder.read("musik.mdb");
    f->cmdDBrename->click();

    if (u.meldung.isEmpty()) {
        EXPECT_TRUE(o.fake.messages.shown.empty());
    } else {
        ASSERT_EQ(o.fake.messages.shown.size(), 1u) << o.fake.messages.prompts().join('|').toStdString();
        EXPECT_TRUE(o.fake.messages.shown[0].prompt.startsWith(u.meldung))
            << o.fake.messages.shown[0].prompt.toStdString();
        EXPECT_EQ(o.fake.messages.shown[0].title, u.titel);
    }
    QStringList mdb = o.dateien().filter(QStringLiteral(".mdb"));
    EXPECT_EQ(mdb, u.nachher);
    EXPECT_EQ(o.ini("DB", "DB Name0"), u.name0);
    EXPECT_EQ(o.ini("DB", "DB Name1"), u.name1);
    if (u.nachher.contains(QStringLiteral("musik.mdb"))) {
        EXPECT_EQ(o.folder.read("musik.mdb"), musikVorher) << "another catalogue is never replaced";
    }
}

const QString Erfolg = QStringLiteral("DB erfolgreich umbennannt.");
const QString Titel = QStringLiteral("Umbennennen");

INSTANTIATE_TEST_SUITE_P(
    Faelle, Umbenennen,
    testing::Values(
        Umbenennung{"Erfolg", "filme", "neu", {"filme"}, false, Erfolg, Titel, {"neu.mdb"}, "neu"},
        // The second catalogue keeps its place under its new name.
        Umbenennung{"ZweiteBleibtDieZweite", "musik", "jazz", {"filme", "musik"}, false, Erfolg, Titel,
                    {"filme.mdb", "jazz.mdb"}, "filme", "jazz"},
        // A file that neither key names becomes the current one, as ever.
        Umbenennung{"AndereWirdAktuell", "video", "jazz", {"filme", "musik", "video"}, false, Erfolg, Titel,
                    {"filme.mdb", "jazz.mdb", "musik.mdb"}, "jazz"},
        Umbenennung{"ZielVorhanden", "filme", "musik", {"filme", "musik"}, false,
                    "Die Datenbank \"" /* names the target */, Titel, {"filme.mdb", "musik.mdb"}, "filme"},
        Umbenennung{"QuelleFehlt", "filme", "neu", {}, false, "Die Datenbank \"", Titel, {}, "filme"},
        Umbenennung{"QuelleGeoeffnet", "filme", "neu", {"filme"}, true, "Die Datenbank \"", Titel, {"filme.mdb"},
                    "filme"},
        Umbenennung{"SchraegstrichImNamen", "filme", "../weg", {"filme"}, false, "\"../weg\" ist kein", Titel,
                    {"filme.mdb"}, "filme"},
        Umbenennung{"PunktPunkt", "filme", "..", {"filme"}, false, "\"..\" ist kein", Titel, {"filme.mdb"},
                    "filme"},
        Umbenennung{"BlanksUmDenNamen", "filme", " neu  ", {"filme"}, false, Erfolg, Titel, {"neu.mdb"}, "neu"},
        Umbenennung{"NeuerNameNurBlanks", "filme", "   ", {"filme"}, false, "Sie sollten schon einen neuen DB Namen",
                    "neuen DB Namen eingeben bitte!", {"filme.mdb"}, "filme"},
        Umbenennung{"NeuerNameLeer", "filme", "", {"filme"}, false, "Sie sollten schon einen neuen DB Namen",
                    "neuen DB Namen eingeben bitte!", {"filme.mdb"}, "filme"},
        Umbenennung{"AlterNameLeer", "", "neu", {"filme"}, false, "Sie sollten schon den alten DB Namen",
                    "alten DB Namen eingeben bitte!", {"filme.mdb"}, "filme"},
        // Names that "Cd.ini" cannot give back as typed: refused before the file is touched.
        Umbenennung{"Zeilenumbruch", "filme", "neu\nname", {"filme"}, false, "\"neu\nname\" ist kein", Titel,
                    {"filme.mdb"}, "filme"},
        Umbenennung{"Wagenruecklauf", "filme", "neu\rname", {"filme"}, false, "\"neu\rname\" ist kein", Titel,
                    {"filme.mdb"}, "filme"},
        Umbenennung{"Tabulator", "filme", "neu\tname", {"filme"}, false, "\"neu\tname\" ist kein", Titel,
                    {"filme.mdb"}, "filme"},
        Umbenennung{"Steuerzeichen", "filme", QStringLiteral("neu") + QChar(0x1b), {"filme"}, false,
                    QStringLiteral("\"neu") + QChar(0x1b) + QStringLiteral("\" ist kein"), Titel, {"filme.mdb"},
                    "filme"},
        Umbenennung{"InAnfuehrungszeichen", "filme", "\"neu\"", {"filme"}, false, "\"\"neu\"\" ist kein", Titel,
                    {"filme.mdb"}, "filme"},
        Umbenennung{"InHochkommas", "filme", "'neu'", {"filme"}, false, "\"'neu'\" ist kein", Titel, {"filme.mdb"},
                    "filme"},
        Umbenennung{"HochkommaImNamen", "filme", "Anna's", {"filme"}, false, Erfolg, Titel, {"Anna's.mdb"},
                    "Anna's"}),
    [](const testing::TestParamInfo<Umbenennung>& fall) { return std::string(fall.param.name); });

TEST(Umbenennen, MessagesNameTheFileAndTheCause)
{
    Programmordner o("[DB]\r\nDB Name0=filme\r\n");
    o.katalog("filme");
    o.katalog("musik");
    auto f = o.starten();
    f->tfDB0->setText(QStringLiteral("musik"));
    f->cmdDBrename->click();
    ASSERT_EQ(o.fake.messages.shown.size(), 1u);
    EXPECT_TRUE(o.fake.messages.shown[0].prompt.contains(o.folder.file("musik.mdb")));
    EXPECT_EQ(o.fake.messages.shown[0].flags, sys::mb::Exclamation);
}

// "DB Name0" that cannot take the new name: the file goes back to its old name,
// and the one message names the settings file and the cause.
struct Unschreibbar {
    const char* name;
    QByteArray cdIni;
    QString neu;
    bool schreibschutz;  // Cd.ini made read-only
    QString alt = QStringLiteral("filme");  // the catalogue renamed
};

void PrintTo(const Unschreibbar& p, std::ostream* os)
{
    *os << p.name;
}

class UmbenennenOhneCdIni : public testing::TestWithParam<Unschreibbar> {};

TEST_P(UmbenennenOhneCdIni, RenamesTheFileBackAndNamesTheCause)
{
    const Unschreibbar& u = GetParam();
    Programmordner o(u.cdIni);
    o.katalog(u.alt);
    const QByteArray katalogVorher = o.folder.read(u.alt + ".mdb");
    const QString cdIni = o.folder.file("Cd.ini");
    int ursache = EILSEQ;
    std::unique_ptr<ImmutableFile> fest;
    if (u.schreibschutz) {
        // Modes do not bind root; an immutable file binds everyone.
        if (::geteuid() == 0) {
            fest = std::make_unique<ImmutableFile>(cdIni);
            if (!fest->ok())
                GTEST_SKIP() << "cannot mark the settings file immutable here";
            ursache = EPERM;
        } else {
            ASSERT_TRUE(QFile::setPermissions(cdIni, QFile::ReadOwner));
            ursache = EACCES;
        }
    }
    auto f = o.starten();
    ASSERT_EQ(f->tfDB1->text(), QStringLiteral("filme"));
    f->tfDB1->setText(u.alt);
    f->tfDB0->setText(u.neu);
    f->cmdDBrename->click();
    fest.reset();

    ASSERT_EQ(o.fake.messages.shown.size(), 1u) << o.fake.messages.prompts().join('|').toStdString();
    const ShownMessage& m = o.fake.messages.shown[0];
    EXPECT_TRUE(m.prompt.startsWith("Der neue Name konnte nicht in \"" + cdIni + "\" gespeichert werden:"))
        << m.prompt.toStdString();
    EXPECT_TRUE(m.prompt.contains(sys::dateigrund(ursache))) << m.prompt.toStdString();
    EXPECT_TRUE(m.prompt.contains("wurde nicht umbenannt")) << m.prompt.toStdString();
    EXPECT_EQ(m.flags, sys::mb::Exclamation);
    EXPECT_EQ(m.title, QStringLiteral("Umbennennen"));
    EXPECT_EQ(o.dateien().filter(QStringLiteral(".mdb")), QStringList{u.alt + ".mdb"});
    EXPECT_EQ(o.folder.read(u.alt + ".mdb"), katalogVorher);
    EXPECT_EQ(o.folder.read("Cd.ini"), u.cdIni);
    EXPECT_EQ(o.ini("DB", "DB Name0"), QStringLiteral("filme"));
}

INSTANTIATE_TEST_SUITE_P(
    Ursachen, UmbenennenOhneCdIni,
    testing::Values(
        // A Windows-1252 file has no letter for the Greek capital.
        Unschreibbar{"ZeichenFehltDerKodierung", "; K\xe4se\r\n[DB]\r\nDB Name0=filme\r\n", QStringLiteral("Ωmega"),
                     false},
        Unschreibbar{"Schreibgeschuetzt", "[DB]\r\nDB Name0=filme\r\n", QStringLiteral("neu"), true},
        // "DB Name1" for the second catalogue, with the same rule.
        Unschreibbar{"ZweiterOhneZeichen", "; K\xe4se\r\n[DB]\r\nDB Name0=filme\r\nDB Name1=musik\r\n",
                     QStringLiteral("Ωmega"), false, QStringLiteral("musik")}),
    [](const testing::TestParamInfo<Unschreibbar>& fall) { return std::string(fall.param.name); });

TEST(Umbenennen, WithoutAStoredCurrentNameStopsSilently)
{
    Programmordner o("[Design]\r\nDefault=0\r\n");
    o.katalog("filme");
    auto f = o.starten();
    f->tfDB1->setText(QStringLiteral("filme"));
    f->tfDB0->setText(QStringLiteral("neu"));
    f->cmdDBrename->click();
    EXPECT_TRUE(o.fake.messages.shown.empty());
    EXPECT_TRUE(QFile::exists(o.folder.file("filme.mdb")));
    EXPECT_TRUE(o.ini("DB", "DB Name0").isEmpty());
}

// ---- Look -----------------------------------------------------------------

QColor hintergrund(const QWidget* w)
{
    return w->palette().color(w->backgroundRole());
}

QColor textfarbe(const QWidget* w)
{
    return w->palette().color(QPalette::Active, w->foregroundRole());
}

TEST(Aussehen, UserColoursOnWhiteDrawTheLinesBlack)
{
    // 255 is red, 16777215 white.
    Programmordner o("[Design]\r\nDefault=1\r\nBackcolor=16777215\r\nTextFarbe=255\r\n[DB]\r\nDB Name0=filme\r\n");
    auto f = o.starten();
    EXPECT_EQ(hintergrund(f.get()), QColor(Qt::white));
    ASSERT_NE(f->neuDB(), nullptr) << "the look loads the creation window";
    EXPECT_FALSE(f->neuDB()->isVisible());
    EXPECT_EQ(hintergrund(f->neuDB()), QColor(Qt::white));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(textfarbe(f->Label1(i)), QColor(Qt::red)) << i;
    for (QRadioButton* opt : {f->optFormat, f->optMappe, f->optCat, f->optQualität, f->optDatum}) {
        EXPECT_EQ(hintergrund(opt), QColor(Qt::white));
        EXPECT_EQ(textfarbe(opt), QColor(Qt::red));
    }
    for (QFrame* l : {f->Line1, f->Line2, f->Line3, f->Line4})
        EXPECT_EQ(l->palette().color(QPalette::WindowText), QColor(Qt::black)) << l->objectName().toStdString();
}

TEST(Aussehen, DefaultLookAndUnreadableColoursKeepTheDesign)
{
    Programmordner standard("[Design]\r\nDefault=0\r\nBackcolor=255\r\nTextFarbe=255\r\n");
    auto a = standard.starten();
    const QColor design = QWidget().palette().color(QPalette::Window);
    EXPECT_EQ(hintergrund(a.get()), design);
    EXPECT_EQ(a->neuDB(), nullptr);

    Programmordner kaputt("[Design]\r\nDefault=1\r\nBackcolor=blau\r\nTextFarbe=\r\n");
    auto b = kaputt.starten();
    EXPECT_EQ(hintergrund(b.get()), design);
    EXPECT_NE(textfarbe(b->Label1(0)), QColor(Qt::red));
    EXPECT_TRUE(kaputt.fake.messages.shown.empty());
}

TEST(Aussehen, TheCreationWindowLosesTheColourOnceClosed)
{
    Programmordner o("[Design]\r\nDefault=1\r\nBackcolor=65280\r\n");
    auto f = o.starten();
    f->cmdCreateDB->click();
    ASSERT_TRUE(f->neuDB()->isVisible());
    EXPECT_EQ(hintergrund(f->neuDB()), QColor(Qt::green));
    f->neuDB()->close();
    f->cmdCreateDB->click();
    ASSERT_TRUE(f->neuDB()->isVisible());
    EXPECT_NE(hintergrund(f->neuDB()), QColor(Qt::green));
}

// ---- Start of the main program and the end ---------------------------------

class Hauptprogramm : public testing::TestWithParam<bool> {};

TEST_P(Hauptprogramm, RvxStartsItAndEndsTools)
{
    Programmordner o;
    o.fake.shell.succeed = GetParam();
    auto f = o.starten();
    f->show();
    f->cmdOK->click();
    EXPECT_EQ(o.fake.shell.started, QStringList{o.folder.file("Rondavex")});
    EXPECT_FALSE(f->isVisible());
    EXPECT_TRUE(o.fake.messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Start, Hauptprogramm, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& fall) {
                             return fall.param ? std::string("Gelingt") : std::string("Misslingt");
                         });

TEST(Ende, ClosesEveryWindowAndEveryConnection)
{
    Programmordner o;
    o.katalog("filme");
    auto f = o.starten();
    f->show();
    wählen(f->cmbDBU, QStringLiteral("filme"));
    f->optMappe->click();
    f->cmdDBAnsicht->click();
    f->cmdCreateDB->click();
    ASSERT_TRUE(f->hatGridverbindung());
    ASSERT_TRUE(QFile::exists(o.folder.file("filme.ldb")));
    f->cmdEnde->click();
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(f->datagrid(), nullptr);
    EXPECT_EQ(f->neuDB(), nullptr);
    EXPECT_FALSE(f->hatGridverbindung());
    EXPECT_FALSE(QFile::exists(o.folder.file("filme.ldb")));
}

}  // namespace
