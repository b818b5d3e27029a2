#include "frame/Katalogschema.h"
#include "frame/Schemaupgrade.h"
#include "platform/db/Database.h"
#include "platform/ini/IniFile.h"
#include "tests/frame/Katalogfixture.h"
#include "tests/support/Doubles.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include <sqlite3.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

using namespace testing_support;
using frame::schema::Herkunft;

namespace {

const QStringList AlleMeldungen = {
    "DB erfolgreich auf Version 1.0.9 gepatcht.", "DB erfolgreich auf Version 1.0.9.1 gepatcht.",
    "DB erfolgreich auf Version 1.1.0 gepatcht.", "DB erfolgreich auf Version 1.1.1 gepatcht.",
    "DB erfolgreich auf Version 1.1.6 gepatcht.", "DB erfolgreich auf Version 1.3 gepatcht.",
    "DB erfolgreich auf Version 1.3.4 gepatcht.", "DB erfolgreich auf Version 1.4 gepatcht.",
    "DB erfolgreich auf Version 1.4.1 gepatcht.",
};

QString cdIniWert(const TempFolder& folder, const char* section, const char* key)
{
    return ini::IniFile(folder.file("Cd.ini")).read(section, key);
}

void expectCurrentSchema(db::Database& upgraded, const TempFolder& folder)
{
    auto fresh = db::Database::create(folder.file("vergleich.mdb"));
    frame::schema::anlegen(*fresh, frame::schema::AktuelleVersion);
    for (const QString& t : QStringList{"Filme", "Version", "Ausleihe", "Unterordner"})
        EXPECT_EQ(spaltenBeschreibung(upgraded, t), spaltenBeschreibung(*fresh, t)) << t.toStdString();
    EXPECT_FALSE(upgraded.hasTable("Design"));
    EXPECT_EQ(upgraded.scalar("SELECT nr FROM Version").toString(), "1.4.1");
    EXPECT_EQ(upgraded.scalar("SELECT count(*) FROM Version").toInt(), 1);
}

}  // namespace

struct Start {
    const char* version;
    Herkunft herkunft;
    int schritte;
};

void PrintTo(const Start& start, std::ostream* os)
{
    *os << start.version;
}

class UpgradeFromEachVersion : public ::testing::TestWithParam<Start> {};

TEST_P(UpgradeFromEachVersion, ReachesTheCurrentSchemaKeepingEveryTitleWithOneMessagePerStep)
{
    const Start start = GetParam();
    TempFolder folder;
    const bool festerName = frame::schema::versionsIndex(start.version) <= frame::schema::versionsIndex("1.1.6")
                            && start.herkunft == Herkunft::Hauptprogramm;
    // Old catalogues were always "filme"; from 1.1.6 on the configured name counts.
    const QString name = festerName ? "filme" : "sammlung";
    folder.write("Cd.ini", "[DB]\r\nDB Name0=" + name.toUtf8() + "\r\n");
    katalogAnlegen(folder.file(name + ".mdb"), start.version, start.herkunft);
    FakeServices fake(folder.path());

    frame::Schemaupgrade upgrade(fake.services, name);
    ASSERT_TRUE(upgrade.przDBVersion());
    EXPECT_EQ(upgrade.gelesenVersion(), start.version);

    EXPECT_EQ(fake.messages.prompts(), AlleMeldungen.mid(AlleMeldungen.size() - start.schritte));
    for (const auto& m : fake.messages.shown) {
        EXPECT_EQ(m.title, "DB Konvertierung");
        EXPECT_EQ(m.flags, 0);
    }

    auto datenbank = upgrade.takeDatabase();
    ASSERT_TRUE(datenbank);
    EXPECT_EQ(datenbank->path(), folder.file(name + ".mdb"));
    expectCurrentSchema(*datenbank, folder);

    int n = 0;
    const Titel* titel = beispielTitel(&n);
    for (int i = 0; i < n; ++i) {
        const db::Result r = datenbank->query("SELECT * FROM Filme WHERE Titel = ?", {QString::fromUtf8(titel[i].titel)});
        ASSERT_EQ(r.size(), 1) << titel[i].titel;
        EXPECT_EQ(r.value(0, "Anzahl").toDouble(), titel[i].anzahl);
        EXPECT_EQ(r.value(0, "Info").toString(), QString::fromUtf8(titel[i].info));
        EXPECT_EQ(r.value(0, "AusDatum").toString(), "-");
        if (start.schritte >= 5) {
            EXPECT_EQ(r.value(0, "Cover").toString(), "-");
        }
        if (start.schritte >= 4) {
            EXPECT_EQ(r.value(0, "Size").toString(), "0");
        }
        EXPECT_EQ(r.value(0, "Unterordner").toString(), "-");
    }
    if (start.schritte >= 8) {
        EXPECT_EQ(datenbank->scalar("SELECT group_concat(Cat) FROM Filme").toString(), "-,-,-");
    }

    EXPECT_EQ(cdIniWert(folder, "Version", "Nr"), "Rondavex 1.4");
    EXPECT_EQ(cdIniWert(folder, "Version", "DB Version"), "1.4.1");
    EXPECT_EQ(cdIniWert(folder, "DB", "DB Name0"), name);

    // The ".old" copy holds the file as it was before the last step.
    auto alt = db::Database::open(folder.file(name + ".old"));
    EXPECT_EQ(alt->scalar("SELECT nr FROM Version").toString(), "1.4");
    EXPECT_FALSE(alt->columnNames("Unterordner").contains("Mappe"));
}

INSTANTIATE_TEST_SUITE_P(Versions, UpgradeFromEachVersion,
                         ::testing::Values(Start{"1.0.8", Herkunft::Hauptprogramm, 9},
                                           Start{"1.0.9", Herkunft::Hauptprogramm, 8},
                                           Start{"1.0.91", Herkunft::Hauptprogramm, 7},
                                           Start{"1.1.0", Herkunft::Hauptprogramm, 6},
                                           Start{"1.1.1", Herkunft::Hauptprogramm, 5},
                                           Start{"1.1.6", Herkunft::Tools, 4}, Start{"1.3", Herkunft::Hauptprogramm, 3},
                                           Start{"1.3.4", Herkunft::Hauptprogramm, 2},
                                           Start{"1.4", Herkunft::Hauptprogramm, 1}),
                         [](const ::testing::TestParamInfo<Start>& fall) {
                             return "von_" + QString::fromUtf8(fall.param.version).replace('.', '_').toStdString();
                         });

// A catalogue of a version before 1.1.6 under another name (one that tools
// took over): upgraded as itself; the "filme.mdb" beside it stays as it was.
TEST(Upgrade, AnOldCatalogueUnderAnotherNameIsUpgradedAsItself)
{
    TempFolder folder;
    folder.write("Cd.ini", "[DB]\r\nDB Name0=Alte Filme\r\n");
    katalogAnlegen(folder.file("Alte Filme.mdb"), "1.0.8");
    katalogAnlegen(folder.file("filme.mdb"), "1.4.1");
    const QByteArray filme = folder.read("filme.mdb");
    FakeServices fake(folder.path());
    frame::Schemaupgrade upgrade(fake.services, "Alte Filme");
    ASSERT_TRUE(upgrade.przDBVersion()) << fake.messages.prompts().join('|').toStdString();
    EXPECT_EQ(fake.messages.prompts(), AlleMeldungen);
    auto datenbank = upgrade.takeDatabase();
    ASSERT_TRUE(datenbank);
    expectCurrentSchema(*datenbank, folder);
    EXPECT_EQ(folder.read("filme.mdb"), filme);
    EXPECT_EQ(cdIniWert(folder, "DB", "DB Name0"), "Alte Filme");
    EXPECT_EQ(cdIniWert(folder, "Design", "Label6"), "Ausleiher");
}

TEST(Upgrade, MovesTableDesignIntoCdIni)
{
    TempFolder folder;
    katalogAnlegen(folder.file("filme.mdb"), "1.0.8");
    FakeServices fake(folder.path());
    frame::Schemaupgrade upgrade(fake.services, "filme");
    ASSERT_TRUE(upgrade.przDBVersion());

    EXPECT_EQ(cdIniWert(folder, "Design", "Bild"), folder.file("bilder/space.jpg"));
    const char* const labels[] = {"Mappe", "Qualität", "Format", "Titel", "Anzahl", "Ausleiher", "Kategorie"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(cdIniWert(folder, "Design", QByteArray("Label" + QByteArray::number(i + 1)).constData()),
                  QString::fromUtf8(labels[i]));
    EXPECT_EQ(cdIniWert(folder, "Design", "TextFarbe"), "16777215");
    EXPECT_EQ(cdIniWert(folder, "Design", "TextFont"), "Microsoft Sans Serif");
    EXPECT_EQ(cdIniWert(folder, "Design", "TextBold"), "0");
    EXPECT_EQ(cdIniWert(folder, "Design", "TextSize"), "9,75");
    EXPECT_EQ(cdIniWert(folder, "DB", "DB Version"), "1.1.6");
}

TEST(Upgrade, BackgroundPictureOfTheDesignRow)
{
    struct Fall {
        const char* bild;
        const char* laden;
        QString erwartet;  // relative to the folder unless absolute; "" = no key
    };
    const Fall faelle[] = {
        {"voyager", "-", "bilder/Voyager.jpg"},
        {"desert", "-", "bilder/desert.jpg"},
        {"Space", "-", ""},
        {"space", "/home/anna/Bilder/Urlaub.jpg", "/home/anna/Bilder/Urlaub.jpg"},
    };
    for (const auto& f : faelle) {
        TempFolder folder;
        katalogAnlegen(folder.file("filme.mdb"), "1.1.1", Herkunft::Hauptprogramm, f.bild, f.laden);
        FakeServices fake(folder.path());
        frame::Schemaupgrade upgrade(fake.services, "filme");
        ASSERT_TRUE(upgrade.przDBVersion());
        const QString erwartet =
            f.erwartet.isEmpty() || f.erwartet.startsWith('/') ? f.erwartet : folder.file(f.erwartet);
        EXPECT_EQ(cdIniWert(folder, "Design", "Bild"), erwartet) << f.bild << " " << f.laden;
        EXPECT_EQ(cdIniWert(folder, "Design", "TextFarbe"), "255") << "values of the row are moved as they are";
        EXPECT_EQ(cdIniWert(folder, "Design", "TextBold"), "1");
        EXPECT_EQ(cdIniWert(folder, "Design", "Label7"), "Genre");
    }
}

TEST(Upgrade, CurrentOrUnknownVersionsRunNoStep)
{
    for (const char* v : {"1.4.1", "2.0", "1.4.1 "}) {
        TempFolder folder;
        auto datenbank = katalogAnlegen(folder.file("filme.mdb"), "1.4.1");
        datenbank->execute("UPDATE Version SET nr = ?", {QString::fromUtf8(v)});
        datenbank.reset();
        const QByteArray vorher = folder.read("filme.mdb");
        FakeServices fake(folder.path());
        frame::Schemaupgrade upgrade(fake.services, "filme");
        EXPECT_TRUE(upgrade.przDBVersion()) << v;
        EXPECT_TRUE(fake.messages.shown.empty()) << v;
        EXPECT_TRUE(upgrade.takeDatabase()) << v;
        EXPECT_FALSE(QFile::exists(folder.file("Cd.ini"))) << v;
        EXPECT_FALSE(QFile::exists(folder.file("filme.old"))) << v;
        EXPECT_EQ(folder.read("filme.mdb"), vorher) << v;
    }
}

TEST(Upgrade, AStartThatCannotReadTheVersionShowsOneMessageNamingTheFileAndLeavesItAlone)
{
    struct Fall {
        const char* name;
        QByteArray inhalt;      // written as <name>.mdb unless empty and `fehlt`
        bool fehlt;
        const char* sql;        // run on a current catalogue first, when given
    };
    const Fall faelle[] = {
        {"filme", {}, true, nullptr},
        {"", {}, true, nullptr},
        {"filme", "Titel;Format\r\nMatrix;DVD\r\n", false, nullptr},
        {"filme", QByteArray("\x00\x01\x00\x00Standard Jet DB\x00", 20) + QByteArray(2028, '\0'), false, nullptr},
        {"filme", QByteArray(), false, nullptr},
        {"filme", {}, false, "DROP TABLE Version"},
        {"filme", {}, false, "DELETE FROM Version"},
        {"filme", {}, false, "UPDATE Version SET nr = NULL"},
        {"filme", {}, false, "ALTER TABLE Version RENAME COLUMN nr TO nummer"},
    };
    for (const auto& f : faelle) {
        TempFolder folder;
        const QString name = QString::fromUtf8(f.name);
        const QString pfad = folder.file(name + ".mdb");
        if (f.sql) {
            auto datenbank = katalogAnlegen(pfad, "1.4.1");
            datenbank->execute(QString::fromUtf8(f.sql));
        } else if (!f.fehlt) {
            folder.write(name + ".mdb", f.inhalt);
        }
        const QByteArray vorher = folder.read(name + ".mdb");
        FakeServices fake(folder.path());
        frame::Schemaupgrade upgrade(fake.services, name);
        EXPECT_FALSE(upgrade.przDBVersion()) << f.name << (f.sql ? f.sql : "");
        ASSERT_EQ(fake.messages.shown.size(), 1u);
        const auto& m = fake.messages.shown.front();
        EXPECT_TRUE(m.prompt.contains(pfad)) << m.prompt.toStdString();
        EXPECT_EQ(m.flags, sys::mb::Critical);
        EXPECT_FALSE(upgrade.takeDatabase());
        EXPECT_EQ(folder.read(name + ".mdb"), vorher);
        EXPECT_EQ(QFile::exists(pfad), !f.fehlt);
    }
}

TEST(Upgrade, AFailing116StepKeepsTableDesignAndVersionAndWritesNoVersionKeys)
{
    TempFolder folder;
    {
        auto datenbank = katalogAnlegen(folder.file("filme.mdb"), "1.1.1");
        // A column that the step is about to add makes its last statement fail.
        datenbank->execute("ALTER TABLE Filme ADD COLUMN Cover TEXT");
    }
    FakeServices fake(folder.path());
    frame::Schemaupgrade upgrade(fake.services, "filme");
    EXPECT_FALSE(upgrade.przDBVersion());
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_TRUE(fake.messages.shown[0].prompt.startsWith("DB konnte nicht auf Version 1.1.6 gepatcht werden."));
    EXPECT_EQ(fake.messages.shown[0].flags, sys::mb::Critical);

    auto datenbank = db::Database::open(folder.file("filme.mdb"));
    EXPECT_TRUE(datenbank->hasTable("Design"));
    EXPECT_EQ(datenbank->scalar("SELECT nr FROM Version").toString(), "1.1.1");
    // Nothing of the step reached Cd.ini; the next start moves the settings then.
    EXPECT_EQ(cdIniWert(folder, "Version", "Nr"), "");
    EXPECT_EQ(cdIniWert(folder, "DB", "DB Version"), "");
    EXPECT_EQ(cdIniWert(folder, "Design", "Label6"), "");
}

TEST(Upgrade, AStepWhoseCopyOrVersionFailsSaysSoAndEndsTheChain)
{
    enum class Stoerung { OldIsAFolder, VersionRefused };
    for (const Stoerung s : {Stoerung::OldIsAFolder, Stoerung::VersionRefused}) {
        TempFolder folder;
        {
            auto datenbank = katalogAnlegen(folder.file("sammlung.mdb"), "1.3");
            if (s == Stoerung::VersionRefused)
                datenbank->execute("CREATE TRIGGER nein BEFORE UPDATE ON Version "
                                   "WHEN NEW.nr = '1.4' BEGIN SELECT RAISE(ABORT, 'gesperrt'); END");
        }
        if (s == Stoerung::OldIsAFolder)
            QDir().mkpath(folder.file("sammlung.old/inhalt"));
        FakeServices fake(folder.path());
        frame::Schemaupgrade upgrade(fake.services, "sammlung");
        EXPECT_FALSE(upgrade.przDBVersion());

        auto datenbank = db::Database::open(folder.file("sammlung.mdb"));
        if (s == Stoerung::OldIsAFolder) {
            EXPECT_EQ(fake.messages.prompts().size(), 1);
            EXPECT_TRUE(fake.messages.shown.back().prompt.startsWith("DB konnte nicht auf Version 1.3.4 gepatcht werden."));
            EXPECT_EQ(datenbank->scalar("SELECT nr FROM Version").toString(), "1.3");
            EXPECT_FALSE(datenbank->hasTable("Ausleihe"));
            EXPECT_EQ(cdIniWert(folder, "Version", "DB Version"), "");
        } else {
            EXPECT_EQ(fake.messages.prompts().size(), 2);
            EXPECT_EQ(fake.messages.shown.front().prompt, "DB erfolgreich auf Version 1.3.4 gepatcht.");
            EXPECT_TRUE(fake.messages.shown.back().prompt.startsWith("DB konnte nicht auf Version 1.4 gepatcht werden."));
            EXPECT_TRUE(fake.messages.shown.back().prompt.contains("gesperrt"));
            EXPECT_EQ(datenbank->scalar("SELECT nr FROM Version").toString(), "1.3.4");
            // The step's other statements went with it.
            EXPECT_FALSE(datenbank->hasTable("Unterordner"));
            EXPECT_FALSE(datenbank->columnNames("Filme").contains("Unterordner"));
            EXPECT_EQ(cdIniWert(folder, "Version", "DB Version"), "1.3.4");
        }
        EXPECT_EQ(fake.messages.shown.back().flags, sys::mb::Critical);
    }
}

TEST(Upgrade, AFileOpenInAnotherProgramIsLeftAloneAndTheStartSaysSoOnce)
{
    TempFolder folder;
    const QString pfad = folder.file("filme.mdb");
    katalogAnlegen(pfad, "1.4");
    auto andere = db::Database::open(pfad);
    const QByteArray vorher = folder.read("filme.mdb");
    FakeServices fake(folder.path());
    frame::Schemaupgrade upgrade(fake.services, "filme");
    EXPECT_FALSE(upgrade.przDBVersion());

    ASSERT_EQ(fake.messages.shown.size(), 1u);
    const auto& m = fake.messages.shown.front();
    EXPECT_TRUE(m.prompt.startsWith("DB konnte nicht auf Version 1.4.1 gepatcht werden.")) << m.prompt.toStdString();
    EXPECT_TRUE(m.prompt.contains(pfad));
    EXPECT_TRUE(m.prompt.contains("in einem anderen Programm geöffnet"));
    EXPECT_EQ(m.flags, sys::mb::Critical);
    EXPECT_FALSE(upgrade.takeDatabase());
    EXPECT_EQ(folder.read("filme.mdb"), vorher);
    EXPECT_FALSE(QFile::exists(folder.file("filme.old")));
    EXPECT_FALSE(QFile::exists(folder.file("Cd.ini")));
    EXPECT_EQ(andere->scalar("SELECT nr FROM Version").toString(), "1.4");
}

namespace {

// Runs something of the test's while the first message box is open.
class MeldungenMitZwischenfall : public FakeMessages {
public:
    int msgBox(const QString& prompt, int flags, const QString& title) override
    {
        const int antwort = FakeMessages::msgBox(prompt, flags, title);
        if (auto zwischenfall = std::exchange(beimErsten, {}))
            zwischenfall();
        return antwort;
    }
    std::function<void()> beimErsten;
};

// What a stock SQLite client says of the file: pages, records and index order.
QString integritaet(const QString& pfad)
{
    sqlite3* h = nullptr;
    QString antwort = "nicht zu öffnen";
    if (sqlite3_open_v2(QFile::encodeName(pfad).constData(), &h, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(h, "pragma integrity_check", -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            antwort = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
    }
    sqlite3_close(h);
    return antwort;
}

}  // namespace

TEST(Upgrade, ASecondStartWhileTheFirstWaitsAtItsMessageRunsNoStepAndAnUpgradedFileIsNotUpgradedAgain)
{
    TempFolder folder;
    const QString pfad = folder.file("filme.mdb");
    katalogAnlegen(pfad, "1.3.4");
    FakeServices erste(folder.path());
    MeldungenMitZwischenfall meldungen;
    erste.services.messages = &meldungen;
    FakeServices zweite(folder.path());
    bool zweiteGehtWeiter = true;
    meldungen.beimErsten = [&] {
        frame::Schemaupgrade upgrade(zweite.services, "filme");
        zweiteGehtWeiter = upgrade.przDBVersion();
    };

    frame::Schemaupgrade upgrade(erste.services, "filme");
    ASSERT_TRUE(upgrade.przDBVersion());
    EXPECT_EQ(meldungen.prompts(),
              QStringList({"DB erfolgreich auf Version 1.4 gepatcht.", "DB erfolgreich auf Version 1.4.1 gepatcht."}));
    EXPECT_FALSE(zweiteGehtWeiter);
    ASSERT_EQ(zweite.messages.shown.size(), 1u);
    EXPECT_TRUE(zweite.messages.shown[0].prompt.contains(pfad)) << zweite.messages.shown[0].prompt.toStdString();
    EXPECT_EQ(zweite.messages.shown[0].flags, sys::mb::Critical);

    // Sub-entries made since then keep their flags at every later start.
    auto datenbank = upgrade.takeDatabase();
    ASSERT_TRUE(datenbank);
    datenbank->execute("UPDATE Filme SET Unterordner = '+' WHERE Titel = 'Matrix'");
    datenbank.reset();
    const QByteArray vorher = folder.read("filme.mdb");
    FakeServices dritte(folder.path());
    frame::Schemaupgrade nochmal(dritte.services, "filme");
    ASSERT_TRUE(nochmal.przDBVersion());
    EXPECT_TRUE(dritte.messages.shown.empty());
    nochmal.takeDatabase().reset();
    EXPECT_EQ(folder.read("filme.mdb"), vorher);
    EXPECT_EQ(db::Database::open(pfad)->scalar("SELECT Unterordner FROM Filme WHERE Titel = 'Matrix'").toString(), "+");
    EXPECT_EQ(integritaet(pfad), "ok");
}

TEST(Upgrade, OfSeveralStartsAtTheSameMomentOneRunsEachStepOnceAndEveryOtherOneWaitsOrSaysSo)
{
    TempFolder folder;
    const QString pfad = folder.file("filme.mdb");
    katalogAnlegen(pfad, "1.3");
    folder.write("Cd.ini", "[DB]\r\nDB Name0=filme\r\n");

    constexpr int N = 6;
    std::vector<std::unique_ptr<QProcess>> starts;
    for (int i = 0; i < N; ++i) {
        starts.push_back(std::make_unique<QProcess>());
        starts.back()->start(QStringLiteral(RDX_UPGRADE_START), {folder.path(), "filme"});
    }
    QStringList erfolge;
    for (const auto& p : starts) {
        ASSERT_TRUE(p->waitForFinished(30000));
        ASSERT_EQ(p->exitStatus(), QProcess::NormalExit);
        const QStringList zeilen = QString::fromUtf8(p->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        if (p->exitCode() == 0) {
            for (const QString& z : zeilen) {
                EXPECT_TRUE(z.startsWith("0|DB erfolgreich auf Version ")) << z.toStdString();
                erfolge << z.mid(2);
            }
        } else {
            EXPECT_EQ(p->exitCode(), 1);
            ASSERT_EQ(zeilen.size(), 1) << zeilen.join(" / ").toStdString();
            EXPECT_TRUE(zeilen[0].startsWith("16|")) << zeilen[0].toStdString();
            EXPECT_TRUE(zeilen[0].contains(pfad)) << zeilen[0].toStdString();
        }
    }
    EXPECT_EQ(erfolge, AlleMeldungen.mid(AlleMeldungen.size() - 3)) << "each step once, by one start";

    auto datenbank = db::Database::open(pfad);
    EXPECT_EQ(datenbank->scalar("SELECT nr FROM Version").toString(), "1.4.1");
    EXPECT_EQ(datenbank->scalar("SELECT count(*) FROM Filme").toInt(), 3);
    EXPECT_EQ(cdIniWert(folder, "Version", "DB Version"), "1.4.1");
    datenbank.reset();
    EXPECT_EQ(integritaet(pfad), "ok");
}

// Cd.ini that cannot be written at all: as root no permission bit stops a
// write, but a folder in the file's place does.
struct OhneCdIni {
    const char* von;
    int gelungen;          // steps that need no Cd.ini and succeed first
    const char* scheitert; // the step that fails
    const char* bleibt;    // the version the file keeps
};

void PrintTo(const OhneCdIni& fall, std::ostream* os)
{
    *os << "von " << fall.von;
}

class AStepWhoseCdIniKeysCannotBeWritten : public ::testing::TestWithParam<OhneCdIni> {};

TEST_P(AStepWhoseCdIniKeysCannotBeWritten, FailsAndLeavesTheFileAtItsVersion)
{
    const OhneCdIni fall = GetParam();
    TempFolder folder;
    const QString pfad = folder.file("filme.mdb");
    katalogAnlegen(pfad, fall.von);
    ASSERT_TRUE(QDir().mkpath(folder.file("Cd.ini/gesperrt")));
    ASSERT_FALSE(ini::IniFile(folder.file("Cd.ini")).write("Probe", "Schluessel", "Wert"));

    FakeServices fake(folder.path());
    frame::Schemaupgrade upgrade(fake.services, "filme");
    EXPECT_FALSE(upgrade.przDBVersion());
    EXPECT_FALSE(upgrade.takeDatabase());

    ASSERT_EQ(int(fake.messages.shown.size()), fall.gelungen + 1);
    const auto& m = fake.messages.shown.back();
    EXPECT_TRUE(m.prompt.startsWith(QStringLiteral("DB konnte nicht auf Version %1 gepatcht werden.").arg(fall.scheitert)))
        << m.prompt.toStdString();
    EXPECT_TRUE(m.prompt.contains(folder.file("Cd.ini"))) << m.prompt.toStdString();
    EXPECT_EQ(m.flags, sys::mb::Critical);

    auto datenbank = db::Database::open(pfad);
    EXPECT_EQ(datenbank->scalar("SELECT nr FROM Version").toString(), fall.bleibt);
    if (frame::schema::versionsIndex(fall.bleibt) < frame::schema::versionsIndex("1.1.6")) {
        EXPECT_TRUE(datenbank->hasTable("Design")) << "the look and the field words are still there";
    }
    if (QString(fall.scheitert) == "1.4.1") {
        EXPECT_FALSE(datenbank->columnNames("Unterordner").contains("Mappe")) << "the step's statements went with it";
    }
    datenbank.reset();
    EXPECT_EQ(integritaet(pfad), "ok");
}

INSTANTIATE_TEST_SUITE_P(Upgrade, AStepWhoseCdIniKeysCannotBeWritten,
                         ::testing::Values(OhneCdIni{"1.0.8", 4, "1.1.6", "1.1.1"},
                                           OhneCdIni{"1.1.1", 0, "1.1.6", "1.1.1"},
                                           OhneCdIni{"1.3", 0, "1.3.4", "1.3"},
                                           OhneCdIni{"1.4", 0, "1.4.1", "1.4"}),
                         [](const ::testing::TestParamInfo<OhneCdIni>& fall) {
                             return "von_" + QString::fromUtf8(fall.param.von).replace('.', '_').toStdString();
                         });

namespace {

// Right after a take-over: the steps in one box that lists them, and in the
// take-over's report beside the catalogue.
TEST(UpgradeNachUebernahme, ZeigtDieSchritteInEinerMeldungUndSchreibtSieInDenBericht)
{
    TempFolder folder;
    folder.write("Cd.ini", "[DB]\r\nDB Name0=filme\r\n");
    katalogAnlegen(folder.file("filme.mdb"), "1.0.8");
    folder.write("filme.import.txt", "Übernahme des Windows-Katalogs\n");
    FakeServices fake(folder.path());
    frame::Schemaupgrade upgrade(fake.services, "filme");
    upgrade.nachUebernahme();
    ASSERT_TRUE(upgrade.przDBVersion());
    ASSERT_TRUE(upgrade.takeDatabase());

    ASSERT_EQ(fake.messages.shown.size(), 1u) << fake.messages.prompts().join('|').toStdString();
    EXPECT_EQ(fake.messages.shown[0].prompt,
              "Der übernommene Katalog ist jetzt auf der Version 1.4.1:\n\n" + AlleMeldungen.join('\n'));
    EXPECT_EQ(fake.messages.shown[0].title, "DB Konvertierung");
    EXPECT_EQ(fake.messages.shown[0].flags, sys::mb::OkOnly);
    QString bericht = "Übernahme des Windows-Katalogs\n\nSchritte auf die Version 1.4.1 nach der Übernahme:\n";
    for (const QString& m : AlleMeldungen)
        bericht += "  " + m + "\n";
    EXPECT_EQ(QString::fromUtf8(folder.read("filme.import.txt")), bericht);
    EXPECT_EQ(cdIniWert(folder, "Version", "Nr"), "Rondavex 1.4");
}

TEST(UpgradeNachUebernahme, EinAktuellerKatalogZeigtNichtsUndLaesstDenBericht)
{
    TempFolder folder;
    katalogAnlegen(folder.file("filme.mdb"), "1.4.1");
    folder.write("filme.import.txt", "Bericht\n");
    FakeServices fake(folder.path());
    frame::Schemaupgrade upgrade(fake.services, "filme");
    upgrade.nachUebernahme();
    ASSERT_TRUE(upgrade.przDBVersion());
    EXPECT_TRUE(fake.messages.shown.empty());
    EXPECT_EQ(folder.read("filme.import.txt"), "Bericht\n");
}

// A step that fails: one box naming the steps done before it and the
// failure, which the report holds too.
TEST(UpgradeNachUebernahme, EinFehlschlagNenntDieSchritteDavor)
{
    TempFolder folder;
    {
        auto datenbank = katalogAnlegen(folder.file("filme.mdb"), "1.3");
        datenbank->execute("CREATE TRIGGER nein BEFORE UPDATE ON Version "
                           "WHEN NEW.nr = '1.4' BEGIN SELECT RAISE(ABORT, 'gesperrt'); END");
    }
    folder.write("filme.import.txt", "Bericht\n");
    FakeServices fake(folder.path());
    frame::Schemaupgrade upgrade(fake.services, "filme");
    upgrade.nachUebernahme();
    EXPECT_FALSE(upgrade.przDBVersion());

    ASSERT_EQ(fake.messages.shown.size(), 1u) << fake.messages.prompts().join('|').toStdString();
    const QString meldung = fake.messages.shown[0].prompt;
    EXPECT_TRUE(meldung.startsWith("Schon ausgeführt:\nDB erfolgreich auf Version 1.3.4 gepatcht.\n\n"
                                   "DB konnte nicht auf Version 1.4 gepatcht werden."))
        << meldung.toStdString();
    EXPECT_TRUE(meldung.contains("gesperrt"));
    EXPECT_EQ(fake.messages.shown[0].flags, sys::mb::Critical);
    const QString bericht = QString::fromUtf8(folder.read("filme.import.txt"));
    EXPECT_TRUE(bericht.startsWith("Bericht\n\nSchritte auf die Version 1.4.1 nach der Übernahme:\n"
                                   "  DB erfolgreich auf Version 1.3.4 gepatcht.\n"
                                   "  DB konnte nicht auf Version 1.4 gepatcht werden: "))
        << bericht.toStdString();
    EXPECT_TRUE(bericht.contains("gesperrt"));
}

}  // namespace

namespace {

TEST(UpgradeNachUebernahme, EinBerichtDerSichNichtErgaenzenLaesstWirdGenannt)
{
    TempFolder folder;
    katalogAnlegen(folder.file("filme.mdb"), "1.4");
    ASSERT_TRUE(QDir().mkpath(folder.file("filme.import.txt")));
    FakeServices fake(folder.path());
    frame::Schemaupgrade upgrade(fake.services, "filme");
    upgrade.nachUebernahme();
    ASSERT_TRUE(upgrade.przDBVersion());
    ASSERT_EQ(fake.messages.shown.size(), 1u);
    EXPECT_TRUE(fake.messages.shown[0].prompt.startsWith(
        "Der übernommene Katalog ist jetzt auf der Version 1.4.1:\n\nDB erfolgreich auf Version 1.4.1 gepatcht.\n\n"
        "Der Bericht \"" + folder.file("filme.import.txt") + "\" lässt sich nicht ergänzen: "))
        << fake.messages.shown[0].prompt.toStdString();
    EXPECT_EQ(upgrade.gelesenVersion(), "1.4");
}

}  // namespace
