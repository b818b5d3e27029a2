#include "catalogue/frmFilme.h"
#include "tests/catalogue/Filmkatalog.h"
#include "frame/Katalogschema.h"
#include "frame/frmSplash.h"
#include "platform/db/Database.h"
#include "platform/ini/IniFile.h"
#include "tests/support/Doubles.h"
#include "tests/support/FileSystemFaults.h"
#include "tests/support/TempFolder.h"
#include "tests/support/ZweistelligeJahre.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <gtest/gtest.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include "tests/Quellordner.h"

using namespace testing_support;

namespace {

// A program folder with a current catalogue and the given Cd.ini lines.
struct Programmordner {
    explicit Programmordner(const QByteArray& cdIni = {}, const QString& version = frame::schema::AktuelleVersion)
        : fake(folder.path())
    {
        cdIniSchreiben(folder, cdIni);
        auto d = db::Database::create(folder.file("filme.mdb"));
        frame::schema::anlegen(*d, version);
    }
    QString ini(const char* section, const char* key) const
    {
        return ini::IniFile(folder.file("Cd.ini")).read(section, key);
    }
    TempFolder folder;
    FakeServices fake;
};

}  // namespace

TEST(Start, WritesTheListDefaultsMakesTheBackupAndOpensTheCatalogue)
{
    Programmordner p;
    frmFilme f(p.fake.services);
    bool zweite = true;
    ASSERT_TRUE(f.Form_Load(&zweite));
    EXPECT_FALSE(zweite);
    EXPECT_EQ(p.ini("Funktionen", "Sortierung"), "KF");
    EXPECT_EQ(p.ini("Funktionen", "6tes Feld"), "W");
    EXPECT_EQ(p.ini("Design", "Backcolor"), "16777215");
    EXPECT_TRUE(QFile::exists(p.folder.file("Backup/09.12.2026 filme.bak")));
    EXPECT_TRUE(f.datenbank);
    EXPECT_TRUE(f.rsFilme && f.rsVersion && f.rsUnterordner);
    EXPECT_EQ(f.tfDBName(), "filme");
    EXPECT_EQ(f.c.lfListe->count(), 0) << "the list stays empty until the user picks a view";
    EXPECT_TRUE(p.fake.singleInstance.served);
    EXPECT_EQ(f.tabStops, (std::array<int, 6>{150, 160, 225, 235, 245, 255}));
}

TEST(Start, ALaterStartBringsTheMinimizedMainWindowToTheFrontWithTheFocus)
{
    Programmordner p;
    frmFilme f(p.fake.services);
    ASSERT_TRUE(f.Form_Load());
    ASSERT_TRUE(p.fake.singleInstance.raiseHandler);
    f.show();
    QWidget andere;
    andere.show();
    andere.activateWindow();
    const auto warten = [](const std::function<bool()>& done) {
        for (int i = 0; i < 300 && !done(); ++i)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        return done();
    };
    ASSERT_TRUE(warten([&] { return andere.isActiveWindow(); }));
    f.showMinimized();

    p.fake.singleInstance.raiseHandler({"rondavex-1-rechner_TIME99", "token"});
    EXPECT_TRUE(warten([&] { return f.isActiveWindow(); }));
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(f.isMinimized());
    EXPECT_EQ(QApplication::activeWindow(), &f);
}

TEST(Start, ValuesThatArePresentAreNeverOverwritten)
{
    Programmordner p("[Funktionen]\r\nSortierung=FK\r\n6tes Feld=A\r\n");
    frmFilme f(p.fake.services);
    ASSERT_TRUE(f.Form_Load());
    EXPECT_EQ(p.ini("Funktionen", "Sortierung"), "FK");
    EXPECT_EQ(p.ini("Funktionen", "6tes Feld"), "A");
    EXPECT_EQ(f.c.lbWer(1)->text(), "Anzahl");
}

TEST(Start, ACdIniThatTakesNoWriteStartsWithTheDefaultsInMemory)
{
    Programmordner gewohnt;
    frmFilme vergleich(gewohnt.fake.services);
    ASSERT_TRUE(vergleich.Form_Load());

    Programmordner p;
    const QByteArray vorher = p.folder.read("Cd.ini");
    // A folder in the place of the lock file: no write to "Cd.ini" gets through (a full disk, a read-only folder).
    ASSERT_TRUE(QDir().mkpath(p.folder.file("Cd.ini.lock")));
    frmFilme f(p.fake.services);
    ASSERT_TRUE(f.Form_Load());
    EXPECT_TRUE(f.datenbank);
    EXPECT_EQ(f.c.lbWer(1)->text(), vergleich.c.lbWer(1)->text());
    EXPECT_TRUE(p.fake.messages.shown.empty());
    EXPECT_EQ(p.folder.read("Cd.ini"), vorher);
}

TEST(Start, ASecondStartMakesItsBackupAndHandsOverWithoutOpeningTheCatalogue)
{
    Programmordner p({}, "1.4");
    p.fake.singleInstance.running = true;
    frmFilme f(p.fake.services);
    bool zweite = false;
    EXPECT_FALSE(f.Form_Load(&zweite));
    EXPECT_TRUE(zweite);
    EXPECT_TRUE(QFile::exists(p.folder.file("Backup/09.12.2026 filme.bak")));
    EXPECT_TRUE(p.fake.messages.shown.empty()) << "no upgrade ran";
    EXPECT_EQ(db::Database::open(p.folder.file("filme.mdb"))->scalar("SELECT nr FROM Version").toString(), "1.4");
    EXPECT_FALSE(f.isVisible());
}

TEST(Start, ACatalogueThatCannotBeOpenedEndsTheStartKeepingTheKeysWritten)
{
    Programmordner p;
    QFile::remove(p.folder.file("filme.mdb"));
    frmFilme f(p.fake.services);
    EXPECT_FALSE(f.Form_Load());
    ASSERT_EQ(p.fake.messages.shown.size(), 1u);
    EXPECT_TRUE(p.fake.messages.shown[0].prompt.contains(p.folder.file("filme.mdb")));
    EXPECT_EQ(p.ini("Funktionen", "Sortierung"), "KF");
    EXPECT_EQ(p.ini("Design", "Backcolor"), "16777215");
}

class DamagedCatalogueStart : public testing::TestWithParam<Damage> {};

TEST_P(DamagedCatalogueStart, NamesTheDamageAndTheNewestBackupAndKeepsTheDaysGoodCopy)
{
    Programmordner p;
    {
        auto d = db::Database::open(p.folder.file("filme.mdb"));
        db::Database::Transaction t(*d);
        for (int i = 0; i < 300; ++i)
            d->execute("INSERT INTO Filme (Titel, Info) VALUES (?, ?)",
                       {QStringLiteral("Titel %1").arg(i), QString(150, QLatin1Char('a' + i % 26))});
        t.commit();
    }
    {
        frmFilme morgens(p.fake.services);
        ASSERT_TRUE(morgens.Form_Load());
    }
    const QString backup = p.folder.file("Backup/09.12.2026 filme.bak");
    const QByteArray gut = p.folder.read("Backup/09.12.2026 filme.bak");
    p.folder.write("filme.mdb", damaged(p.folder.read("filme.mdb"), GetParam()));
    const QByteArray kaputt = p.folder.read("filme.mdb");

    frmFilme f(p.fake.services);
    EXPECT_FALSE(f.Form_Load());
    ASSERT_EQ(p.fake.messages.shown.size(), 1u);
    const auto& m = p.fake.messages.shown[0];
    EXPECT_TRUE(m.prompt.startsWith("Die Datenbank \"" + p.folder.file("filme.mdb") + "\" ist beschädigt"))
        << m.prompt.toStdString();
    EXPECT_TRUE(m.prompt.contains("Die neueste Sicherung ist \"" + backup + "\".")) << m.prompt.toStdString();
    EXPECT_TRUE(m.prompt.contains("Eine Kopie der beschädigten Datei liegt unter \""
                                  + p.folder.file("Backup/09.12.2026 filme.defekt") + "\"."));
    EXPECT_EQ(m.flags, sys::mb::Critical);
    EXPECT_FALSE(f.datenbank);
    EXPECT_EQ(p.folder.read("filme.mdb"), kaputt);
    EXPECT_EQ(p.folder.read("Backup/09.12.2026 filme.bak"), gut);
    EXPECT_EQ(p.folder.read("Backup/09.12.2026 filme.defekt"), kaputt);
}

INSTANTIATE_TEST_SUITE_P(Damages, DamagedCatalogueStart,
                         testing::Values(Damage::CutToHalf, Damage::CutInTheHeader, Damage::Empty,
                                         Damage::BrokenPagesInTheMiddle),
                         [](const testing::TestParamInfo<Damage>& i) { return damageName(i.param); });

TEST(Start, AReadOnlyCatalogueIsNamedOnceAndOpensForReading)
{
    Programmordner p;
    const QString pfad = p.folder.file("filme.mdb");
    std::unique_ptr<ImmutableFile> fest;
    if (::geteuid() == 0) {
        fest = std::make_unique<ImmutableFile>(pfad);
        if (!fest->ok())
            GTEST_SKIP() << "cannot mark the catalogue immutable here";
    } else {
        ASSERT_EQ(::chmod(QFile::encodeName(pfad).constData(), 0444), 0);
    }
    const QByteArray vorher = p.folder.read("filme.mdb");

    frmFilme f(p.fake.services);
    ASSERT_TRUE(f.Form_Load());
    ASSERT_EQ(p.fake.messages.shown.size(), 1u);
    const auto& m = p.fake.messages.shown[0];
    EXPECT_EQ(m.prompt, "Die Datenbank \"" + pfad + "\" ist schreibgeschützt.\n\n"
                        "Änderungen können nicht gespeichert werden.");
    EXPECT_EQ(m.flags, sys::mb::Exclamation);
    ASSERT_TRUE(f.datenbank && f.rsFilme);
    EXPECT_TRUE(f.datenbank->readOnly());
    EXPECT_TRUE(QFile::exists(p.folder.file("Backup/09.12.2026 filme.bak")));
    f.przAktualisieren();
    EXPECT_EQ(p.fake.messages.shown.size(), 1u) << "a refresh tells it no more";
    EXPECT_EQ(p.folder.read("filme.mdb"), vorher);
}

TEST(Start, UpgradeMessagesComeBeforeAnyWindowAndTheSplashShowsTheMainWindowAfterItsTimer)
{
    Programmordner p({}, "1.3");
    frmFilme f(p.fake.services);
    frmSplash splash(&f, [&] { return f.Form_Load(); });
    ASSERT_TRUE(splash.Form_Load());
    EXPECT_EQ(p.fake.messages.prompts(),
              QStringList({"DB erfolgreich auf Version 1.3.4 gepatcht.", "DB erfolgreich auf Version 1.4 gepatcht.",
                           "DB erfolgreich auf Version 1.4.1 gepatcht."}));
    EXPECT_TRUE(splash.isVisible());
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(splash.tmrSplash->interval(), 2000);
    splash.tmrSplash_Timer();
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(splash.isVisible());
}

struct Schluesselfall {
    const char* name;  // the case's name in the test list
    QByteArray cdIni;
    bool speichernAn;
    bool sortKnoepfe;
    QString sechsteSpalte;  // lbWer(1) after the start
};

void PrintTo(const Schluesselfall& fall, std::ostream* os)
{
    *os << fall.name;
}

class przDBOeffnenRegeln : public ::testing::TestWithParam<Schluesselfall> {};

TEST_P(przDBOeffnenRegeln, FollowTheStoredValuesExactly)
{
    const auto fall = GetParam();
    Programmordner p("[Design]\r\nSprache=deutsch.lng\r\n" + fall.cdIni);
    p.folder.write("deutsch.lng", "[Hauptfenster]\r\nLabel6=Leiher\r\n");
    frmFilme f(p.fake.services);
    ASSERT_TRUE(f.Form_Load());
    EXPECT_EQ(f.c.Speichern->isEnabled(), fall.speichernAn);
    for (QWidget* w : {static_cast<QWidget*>(f.c.optFormat), static_cast<QWidget*>(f.c.optQualität),
                       static_cast<QWidget*>(f.c.optMappe), static_cast<QWidget*>(f.c.optCat),
                       static_cast<QWidget*>(f.c.cmdClear)})
        EXPECT_EQ(w->isVisibleTo(&f), fall.sortKnoepfe) << w->objectName().toStdString();
    EXPECT_EQ(f.c.lbWer(1)->text(), fall.sechsteSpalte);
}

INSTANTIATE_TEST_SUITE_P(
    Schluessel, przDBOeffnenRegeln,
    ::testing::Values(
        Schluesselfall{"EditMode1", "[Funktionen]\r\nEdit Mode=1\r\n", false, false, "Leiher"},
        Schluesselfall{"EditMode0", "[Funktionen]\r\nEdit Mode=0\r\n", true, false, "Leiher"},
        Schluesselfall{"EditModeJa", "[Funktionen]\r\nEdit Mode=ja\r\n", true, false, "Leiher"},
        Schluesselfall{"Sortierungsfunktion", "[Funktionen]\r\nSortierungsfunktion=1\r\n", true, true, "Leiher"},
        Schluesselfall{"SortierungsfunktionUndFormatfilter",
                       "[Funktionen]\r\nSortierungsfunktion=1\r\nFormatfilter=1\r\n", true, false, "Leiher"},
        Schluesselfall{"Formatfilter", "[Funktionen]\r\nFormatfilter=1\r\n", true, false, "Leiher"},
        Schluesselfall{"SechstesFeldA", "[Funktionen]\r\n6tes Feld=A\r\n", true, false, "Anzahl"}),
    [](const ::testing::TestParamInfo<Schluesselfall>& fall) { return std::string(fall.param.name); });

TEST(Start, WithoutLanguageFileTheSixthHeaderIsEmpty)
{
    Programmordner p("[Design]\r\nSprache=\r\n");
    frmFilme f(p.fake.services);
    ASSERT_TRUE(f.Form_Load());
    EXPECT_EQ(f.c.lbWer(1)->text(), "");
}

TEST(Start, TheStoredSortOrderIsRestoredAndWrittenBack)
{
    struct Fall {
        const char* gespeichert;
        const char* eintrag;  // objectName of the checked entry, "" = none
        const char* sortFeld;
    };
    const Fall faelle[] = {
        {"Format", "mnuFormat", "Format"}, {"Kategorie", "mnuKategorie", "Cat"}, {"Date-", "mnuDateAb", "Datum DESC"},
        {"Date+", "mnuDateAuf", "Datum"},  {"Datum", "", ""},                    {"", "", ""},
    };
    for (const auto& fall : faelle) {
        Programmordner p("[Funktionen]\r\nSortierung3=" + QByteArray(fall.gespeichert) + "\r\n");
        frmFilme f(p.fake.services);
        ASSERT_TRUE(f.Form_Load());
        QStringList checked;
        for (QAction* a : {f.c.mnuFormat, f.c.mnuQualität, f.c.mnuMappe, f.c.mnuKategorie, f.c.mnuDateAb, f.c.mnuDateAuf})
            if (a->isChecked())
                checked << a->objectName();
        EXPECT_EQ(checked.join(','), QString::fromUtf8(fall.eintrag)) << fall.gespeichert;
        EXPECT_EQ(f.SortFeld, QString::fromUtf8(fall.sortFeld)) << fall.gespeichert;
        EXPECT_EQ(p.ini("Funktionen", "Sortierung3"), QString::fromUtf8(fall.gespeichert));
    }
}

TEST(Sortierung, MenuTogglesStoreTheirChoiceAndResetClearsIt)
{
    Programmordner p;
    frmFilme f(p.fake.services);
    ASSERT_TRUE(f.Form_Load());
    f.c.mnuMappe->trigger();
    EXPECT_TRUE(f.c.mnuMappe->isChecked());
    EXPECT_EQ(f.SortFeld, "Mappe");
    EXPECT_EQ(p.ini("Funktionen", "Sortierung3"), "Mappe");
    f.c.mnuDateAb->trigger();
    EXPECT_FALSE(f.c.mnuMappe->isChecked()) << "at most one entry is checked";
    EXPECT_EQ(f.SortFeld, "Datum DESC");
    f.c.mnuDateAb->trigger();
    EXPECT_FALSE(f.c.mnuDateAb->isChecked());
    EXPECT_EQ(f.SortFeld, "");
    EXPECT_EQ(p.ini("Funktionen", "Sortierung3"), "Date-") << "unchecking stores nothing";
    f.c.mnuClear->trigger();
    EXPECT_EQ(p.ini("Funktionen", "Sortierung3"), "");

    f.c.optQualität->setChecked(true);
    EXPECT_EQ(f.SortFeld, "Qualität");
    f.c.cmdClear->click();
    EXPECT_FALSE(f.c.optQualität->isChecked());
    EXPECT_EQ(f.SortFeld, "");
}

TEST(Erinnerung, OverdueLendingsAreFoundByDateWhateverTheTextOrder)
{
    struct Fall {
        const char* erinnerung;
        bool liste;
    };
    const Fall faelle[] = {{"1", true}, {" 1", true}, {"01", true}, {"1,0", true}, {"ja", false}, {"", false}, {"2", false}};
    for (const auto& fall : faelle) {
        Programmordner p("[Funktionen]\r\nErinnerungsintervall=14\r\nErinnerungsfunktion=" + QByteArray(fall.erinnerung)
                         + "\r\n");
        {
            auto d = db::Database::open(p.folder.file("filme.mdb"));
            const char* const zeilen[][4] = {
                {"Alien", "Bert", "30.01.2026", nullptr},   // overdue, but "30.01" sorts after "25.11" as text
                {"Matrix", "Anna", "20.11.2026", nullptr},  // overdue
                {"Zorro", "Anna", "05.12.2026", nullptr},   // within the interval
                {"Heat", "Carl", "01.01.2026", "03.01.2026"},  // returned
            };
            for (const auto& z : zeilen)
                d->execute("INSERT INTO Ausleihe (Titel, Wer, AusDT, EinDT) VALUES (?,?,?,?)",
                           {z[0], z[1], z[2], z[3] ? QVariant(z[3]) : QVariant()});
        }
        frmFilme f(p.fake.services);
        ASSERT_TRUE(f.Form_Load());
        QStringList zeilen;
        for (int i = 0; i < f.c.lfListe->count(); ++i)
            zeilen << f.c.lfListe->item(i)->text();
        if (fall.liste) {
            EXPECT_EQ(zeilen, QStringList({"Matrix\tAnna           \t20.11.2026\t", "Alien\tBert           \t30.01.2026\t"}))
                << fall.erinnerung;
        } else {
            EXPECT_TRUE(zeilen.isEmpty()) << fall.erinnerung;
        }
    }
}

// A lending that an old catalogue stored with a two-digit year: the reminder
// at start reads it as the typed date is read, so one of 1998 is overdue
// and one of 2029 is not.
class ErinnerungZweistellig : public testing::TestWithParam<testing_support::Zweistellig> {};

TEST_P(ErinnerungZweistellig, ListsTheLendingWhenItsDayIsBeforeTheCutoff)
{
    const testing_support::Zweistellig& fall = GetParam();
    Programmordner p("[Funktionen]\r\nErinnerungsintervall=14\r\nErinnerungsfunktion=1\r\n");
    {
        auto d = db::Database::open(p.folder.file("filme.mdb"));
        d->execute("INSERT INTO Ausleihe (Titel, Wer, AusDT) VALUES ('Alien', 'Anna', ?)", {fall.text});
        d->execute("INSERT INTO Ausleihe (Titel, Wer, AusDT) VALUES ('Matrix', 'Bert', '24.11.2026')");
    }
    frmFilme f(p.fake.services);
    ASSERT_TRUE(f.Form_Load());
    QStringList zeilen;
    for (int i = 0; i < f.c.lfListe->count(); ++i)
        zeilen << f.c.lfListe->item(i)->text();
    const QString alien = "Alien\tAnna           \t" + QString::fromUtf8(fall.text) + "\t";
    const QString matrix = "Matrix\tBert           \t24.11.2026\t";
    // Today is 09.12.2026: the cutoff 25.11.2026.
    EXPECT_EQ(zeilen, fall.tag < QDate(2026, 11, 25) ? QStringList({alien, matrix}) : QStringList({matrix}));
}

INSTANTIATE_TEST_SUITE_P(Jahrhundert, ErinnerungZweistellig, testing::ValuesIn(testing_support::ZweistelligeJahre),
                         [](const auto& fall) { return testing_support::zweistelligName(fall.param); });

TEST(Erinnerung, AnIntervalThatIsNoWholeNumberGivesNoListAndTheStartGoesOn)
{
    for (const char* intervall : {"abc", "1e300", "-1e300", "2147483648"}) {
        Programmordner p("[Funktionen]\r\nErinnerungsfunktion=1\r\nErinnerungsintervall=" + QByteArray(intervall)
                         + "\r\n");
        db::Database::open(p.folder.file("filme.mdb"))
            ->execute("INSERT INTO Ausleihe (Titel, Wer, AusDT) VALUES ('Matrix', 'Anna', '20.11.2026')");
        frmFilme f(p.fake.services);
        ASSERT_TRUE(f.Form_Load()) << intervall;
        EXPECT_EQ(f.c.lfListe->count(), 0) << intervall;
        EXPECT_TRUE(p.fake.messages.shown.empty()) << intervall;
    }
}

TEST(Menue, InfoWithoutRecordWarnsAndHelpOpensTheHelpPage)
{
    Programmordner p;
    frmFilme f(p.fake.services);
    ASSERT_TRUE(f.Form_Load());
    f.c.tfTitel->setText("");
    f.c.cmdInfo->click();
    ASSERT_EQ(p.fake.messages.shown.size(), 1u);
    EXPECT_EQ(p.fake.messages.shown[0].prompt, "Kein Datensatz!");
    EXPECT_EQ(p.fake.messages.shown[0].title, "Datensatz-Info");
    EXPECT_EQ(p.fake.messages.shown[0].flags, 48);
    f.c.tfTitel->setText("Matrix");
    f.c.cmdInfo->click();
    EXPECT_TRUE(f.c.tfInfo->isVisibleTo(&f));

    f.c.mnuHilfe->trigger();
    EXPECT_EQ(p.fake.shell.opened, QStringList({p.folder.file("help.html")}));
}

TEST(Menue, ToolsThatCannotStartKeepTheMainWindowOpen)
{
    Programmordner p;
    frmFilme f(p.fake.services);
    ASSERT_TRUE(f.Form_Load());
    f.show();
    p.fake.shell.succeed = false;
    f.c.mnuTools->trigger();
    EXPECT_EQ(p.fake.shell.started, QStringList({p.folder.file("tools")}));
    EXPECT_EQ(p.fake.messages.shown.size(), 1u);
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.datenbank);

    p.fake.shell.succeed = true;
    f.c.mnuTools->trigger();
    EXPECT_FALSE(f.isVisible());
    EXPECT_FALSE(f.datenbank) << "tools works on the catalogue alone";
}

TEST(Hauptfenster, TheCloseBoxClosesTheCatalogue)
{
    Programmordner p;
    frmFilme f(p.fake.services);
    ASSERT_TRUE(f.Form_Load());
    f.show();
    f.close();
    EXPECT_FALSE(f.datenbank);
    EXPECT_FALSE(f.rsFilme);
}

TEST(Hauptfenster, TheWindowIsDraggedByItsSurfaceWithTheLeftButtonOnly)
{
    Programmordner p;
    frmFilme f(p.fake.services);
    ASSERT_TRUE(f.Form_Load());
    f.show();
    f.move(100, 100);
    // A free spot of the surface: a point with no control under it.
    QWidget* flaeche = f.centralWidget();
    QPoint frei;
    for (int y = flaeche->height() - 2; y > 0 && frei.isNull(); y -= 7)
        for (int x = flaeche->width() - 2; x > 0; x -= 7)
            if (!flaeche->childAt(x, y)) {
                frei = QPoint(x, y);
                break;
            }
    ASSERT_FALSE(frei.isNull());
    const QPoint start = f.pos();
    auto ziehen = [&](QPoint bei, Qt::MouseButtons tasten, QPoint um) {
        const QPoint lokal = flaeche->mapTo(&f, bei);
        QMouseEvent press(QEvent::MouseButtonPress, lokal, f.mapToGlobal(lokal), Qt::LeftButton, tasten, {});
        QApplication::sendEvent(&f, &press);
        QMouseEvent move(QEvent::MouseMove, lokal + um, f.mapToGlobal(lokal) + um, Qt::NoButton, tasten, {});
        QApplication::sendEvent(&f, &move);
    };
    ziehen(frei, Qt::RightButton, {30, 20});
    EXPECT_EQ(f.pos(), start);
    ziehen(frei, Qt::LeftButton | Qt::RightButton, {30, 20});
    EXPECT_EQ(f.pos(), start);
    ziehen(frei, Qt::LeftButton, {30, 20});
    EXPECT_EQ(f.pos(), start + QPoint(30, 20));
}

TEST(Menue, OptionsAboutAndCreditsOpenTheirWindowOnce)
{
    Programmordner p;
    frmFilme f(p.fake.services);
    ASSERT_TRUE(f.Form_Load());
    for (QAction* a : {f.c.mnuOptionen, f.c.mnuAbout, f.c.mnuCredits}) {
        a->trigger();
        a->trigger();
    }
    for (const char* name : {"frmOptionen", "frmAbout", "frmCredits"}) {
        int offen = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            offen += w->objectName() == QLatin1String(name) && w->isVisible();
        EXPECT_EQ(offen, 1) << name;
    }
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != &f)
            w->close();
}

TEST(Menue, APictureEntryStoresItsShippedPicture)
{
    Programmordner p;
    frmFilme f(p.fake.services);
    ASSERT_TRUE(f.Form_Load());
    auto* eintrag = f.findChild<QAction*>("picDesert");
    ASSERT_TRUE(eintrag);
    eintrag->trigger();
    EXPECT_EQ(p.ini("Design", "Bild"), p.folder.file("bilder/desert.jpg"));
}

// A fresh installation names the shipped "deutsch.lng": with it the window
// must read as its design does, tooltips included.
TEST(Sprache, TheShippedFileKeepsTheMainWindowsDesignTexts)
{
    Programmordner p;
    ASSERT_TRUE(QFile::copy(QStringLiteral(RDX_SOURCE_DIR "/data/deutsch.lng"), p.folder.file("deutsch.lng")));
    frmFilme f(p.fake.services);
    auto text = [&](const frame::Sprachzeile& z) -> QString {
        if (z.eigenschaft == frame::Eigenschaft::Feldwort)
            return {};
        QObject* o = frame::sprachZiel(&f, QString::fromUtf8(z.ziel));
        if (z.eigenschaft == frame::Eigenschaft::Tooltip) {
            if (auto* w = qobject_cast<QWidget*>(o))
                return w->toolTip();
            return qobject_cast<QAction*>(o)->toolTip();
        }
        if (auto* m = qobject_cast<QMenu*>(o))
            return m->title();
        if (auto* a = qobject_cast<QAction*>(o))
            return a->text();
        if (auto* b = qobject_cast<QAbstractButton*>(o))
            return b->text();
        return qobject_cast<QLabel*>(o)->text();
    };
    QStringList design;
    for (const auto& z : frame::hauptfensterTabelle())
        design << text(z);

    frame::Feldwoerter woerter;
    frame::przSprache(&f, p.fake.services, QStringLiteral("deutsch.lng"), woerter);

    // Where the key rules themselves change the design text.
    const QStringList anders = {
        "Label11Text chkdat", "Label12Text chkausleih",  // the check boxes share the labels' tooltips
        "Menu34 mnuAbout",                               // the entry takes the menu's caption
        "cmb1 cmbQualität1",                             // joined with two blanks
        "cmb1 cmbAnzahl1",                               // joined with the field word "Anzahl CDs"
    };
    int i = 0;
    for (const auto& z : frame::hauptfensterTabelle()) {
        const QString zeile = QString::fromUtf8(z.schluessel) + ' ' + QString::fromUtf8(z.ziel);
        if (z.eigenschaft != frame::Eigenschaft::Feldwort && !anders.contains(zeile)) {
            EXPECT_EQ(text(z), design[i]) << zeile.toStdString();
        }
        ++i;
    }
}

TEST(Sortierung, ARefreshKeepsTheStoredOrder)
{
    Programmordner p("[Funktionen]\r\nSortierung3=Date-\r\n");
    frmFilme f(p.fake.services);
    ASSERT_TRUE(f.Form_Load());
    ASSERT_TRUE(f.c.mnuDateAb->isChecked());
    for (int i = 0; i < 2; ++i) {
        f.przAktualisieren();
        EXPECT_TRUE(f.c.mnuDateAb->isChecked());
        EXPECT_EQ(f.SortFeld, "Datum DESC");
    }
    // An order the user turned off comes back at the next refresh, as it is still stored.
    f.c.mnuDateAb->trigger();
    EXPECT_EQ(f.SortFeld, "");
    f.przAktualisieren();
    EXPECT_TRUE(f.c.mnuDateAb->isChecked());
    EXPECT_EQ(f.SortFeld, "Datum DESC");
}

// The title bar names the open catalogue, also after a refresh opens another.
TEST(Start, TheWindowTitleNamesTheOpenCatalogue)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    EXPECT_EQ(f.windowTitle(), "Rondavex - CD/DVD Katalog - filme");
    ASSERT_TRUE(QFile::copy(k.folder.file("filme.mdb"), k.folder.file("Sammlung 2.mdb")));
    ASSERT_TRUE(ini::IniFile(k.folder.file("Cd.ini")).write("DB", "DB Name0", "Sammlung 2"));
    f.c.mnuAktualisieren->trigger();
    EXPECT_EQ(f.windowTitle(), "Rondavex - CD/DVD Katalog - Sammlung 2");
}
