// Creating, editing and deleting titles through the main window: what the
// catalogue holds afterwards (read by a stock SQLite connection), what the
// user was told, and that a refused change leaves the catalogue as it was.
#include "tests/catalogue/Bearbeitung.h"

#include "catalogue/Scanliste.h"

#include "tests/support/FileSystemFaults.h"
#include "tests/support/Kombis.h"
#include "tests/support/ZweistelligeJahre.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

#include <functional>

using namespace testing_support;

namespace {

const ShownMessage& letzte(const Filmkatalog& k)
{
    static const ShownMessage keine;
    return k.fake.messages.shown.empty() ? keine : k.fake.messages.shown.back();
}

// A new record typed after Neu.
frmFilme& neu(Filmkatalog& k, const QString& titel)
{
    frmFilme& f = k.fenster();
    f.przAlleListe();
    f.c.Neu->click();
    f.c.tfTitel->setText(titel);
    return f;
}

}  // namespace

TEST(Speichern, ATitleAloneIsStoredWithTheEmptyMarkersAndTheDayOfEntry)
{
    Filmkatalog k;
    frmFilme& f = neu(k, "Neuer Film");
    f.c.Speichern->click();
    EXPECT_EQ(letzte(k).prompt, "'Neuer Film' wurde gespeichert!");
    EXPECT_EQ(letzte(k).flags, sys::mb::OkOnly);
    EXPECT_EQ(letzte(k).title, "Speichern");
    const QStringList erwartet = {"Neuer Film", "0.0", "-", "-", "-", "-", "-", "-", "2026-12-09", "-", "-", "-",
                                  "0", "-"};
    const auto zeilen = roh(k.folder.file("filme.mdb"),
                            "SELECT Titel, Anzahl, Format, Qualität, Mappe, Wer, Info, Dten, Datum, Cat, AusDatum, "
                            "Cover, Size, Unterordner FROM Filme WHERE Titel = 'Neuer Film'");
    ASSERT_EQ(zeilen.size(), 1u);
    EXPECT_EQ(zeilen[0], erwartet);
    EXPECT_EQ(integrität(k), "ok");
    EXPECT_EQ(f.c.tfTitel->text(), "Neuer Film") << "the stored title is shown";
    EXPECT_TRUE(k.titel().contains("Neuer Film")) << "the whole list is shown again";
    EXPECT_EQ(f.c.lbAnzahlF->text(), "15");
}

TEST(Speichern, TheLendingRuleOfANewTitle)
{
    Filmkatalog k;
    frmFilme& f = neu(k, "Geliehen");
    f.c.tfWer->setText("Anna");
    f.c.Speichern->click();
    EXPECT_EQ(spalte(k, "Filme", "AusDatum", "Geliehen"), "09.12.2026") << "a borrower without a date: today";

    f.c.Neu->click();
    f.c.tfTitel->setText("Nur Datum");
    tippenImFokus(f.c.tfDatumAusleihe, "1.12.26");
    f.c.tfAnzahl->setText("2,5");
    f.c.Speichern->click();
    EXPECT_EQ(spalte(k, "Filme", "Wer", "Nur Datum"), "-");
    EXPECT_EQ(spalte(k, "Filme", "AusDatum", "Nur Datum"), "01.12.2026") << "a typed date as day.month.year";
    EXPECT_EQ(spalte(k, "Filme", "Anzahl", "Nur Datum"), "2.5") << "a German number";
}

TEST(Speichern, AScannedDiscBecomesSubEntriesOfTheNewTitle)
{
    Filmkatalog k;
    frmFilme& f = neu(k, "Konzert");
    f.c.tfFormat->setText("DVD");
    scanÜbergeben(f,
                  {"Film.avi:700 ", "Extras:12 ", "Clip.mpeg:5", "", "Akt 1: Anfang.avi:9", "Ohne Doppelpunkt",
                   ".ab:1"},
                  true);
    f.c.Speichern->click();
    EXPECT_EQ(letzte(k).prompt, "'Konzert' wurde gespeichert!");
    const auto zeilen = roh(k.folder.file("filme.mdb"),
                            "SELECT Titel2, Size, Format, Qualität, Info, Cover, Mappe, Wer FROM Unterordner "
                            "WHERE Titel = 'Konzert' ORDER BY rowid");
    const std::vector<QStringList> erwartet = {
        {"Film", "700 ", "DVD", "-", "-", "-", "-", "-"},
        {"Extras:12 ", "12 ", "DVD", "-", "-", "-", "-", "-"},
        {"Clip.mpeg:5", "5", "DVD", "-", "-", "-", "-", "-"},
        {"Akt 1: Anfang", "9", "DVD", "-", "-", "-", "-", "-"},
        {"Ohne Doppelpunkt", "", "DVD", "-", "-", "-", "-", "-"},
        {".ab:1", "1", "DVD", "-", "-", "-", "-", "-"},
    };
    EXPECT_EQ(zeilen, erwartet);
    EXPECT_EQ(spalte(k, "Filme", "Unterordner", "Konzert"), "1");
    EXPECT_EQ(f.c.tfUnterordner->text(), "0");
    EXPECT_EQ(f.c.tfCDInfo->text(), "0");
    EXPECT_EQ(integrität(k), "ok");
}

TEST(Speichern, TakenSubEntryNamesAreStoredUnderAFreeNameAndCounted)
{
    Filmkatalog k;
    k.ausführen("INSERT INTO Unterordner (Titel, Titel2) VALUES ('Matrix', 'Bonus'), ('Matrix', 'Bonus [Live]')");
    frmFilme& f = neu(k, "Live");
    scanÜbergeben(f, {"Matrix Teil 1.avi:5", "matrix teil 2.avi:6", "Bonus.avi:1", "Neu.avi:2", "Neu.avi:3"}, true);
    f.c.Speichern->click();
    EXPECT_EQ(letzte(k).prompt, "'Live' wurde gespeichert!\n4 Unterordner unter neuem Namen gespeichert, weil ihr "
                                "Name schon vergeben war.");
    const auto namen = roh(k.folder.file("filme.mdb"),
                           "SELECT Titel2, Size FROM Unterordner WHERE Titel = 'Live' ORDER BY rowid");
    const std::vector<QStringList> erwartet = {{"Matrix Teil 1 [Live]", "5"},
                                               {"matrix teil 2 [Live]", "6"},
                                               {"Bonus [Live] (2)", "1"},
                                               {"Neu", "2"},
                                               {"Neu [Live]", "3"}};
    EXPECT_EQ(namen, erwartet) << "nothing is dropped";
    EXPECT_EQ(integrität(k), "ok");
}

// The scanned names stand in the info box from the take-over on; the save
// stores what the box then holds, a note typed after them included.
TEST(Speichern, TheScannedNamesAreTheInfoTheUserSeesAndWritesOn)
{
    Filmkatalog k;
    frmFilme& f = neu(k, "Album");
    f.show();
    f.c.tfInfo->setPlainText("vorher");
    scanÜbergeben(f, {"Track1.mp3:3", "Track2.mp3:4"}, false);
    EXPECT_TRUE(f.c.tfInfo->isVisible());
    EXPECT_EQ(f.c.tfInfo->toPlainText(), "Track1.mp3, Track2.mp3, ");
    fokussieren(f.c.tfInfo);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ControlModifier);
    tippenImFokus(f.c.tfInfo, "Live");
    f.c.Speichern->click();
    EXPECT_EQ(spalte(k, "Filme", "Info", "Album"), "Track1.mp3, Track2.mp3, Live");
    EXPECT_EQ(spalte(k, "Filme", "Unterordner", "Album"), "-");
    f.hide();
}

TEST(Speichern, AnInfoEmptiedAfterTheScanIsStoredEmpty)
{
    Filmkatalog k;
    frmFilme& f = neu(k, "Album");
    scanÜbergeben(f, {"Track1.mp3:3"}, false);
    f.c.tfInfo->clear();
    f.c.Speichern->click();
    EXPECT_EQ(spalte(k, "Filme", "Info", "Album"), "-");
}

TEST(Speichern, NeuAfterAScanDropsTheHandOver)
{
    Filmkatalog k;
    frmFilme& f = neu(k, "Album");
    scanÜbergeben(f, {"Track1.mp3:3"}, true);
    f.c.Neu->click();
    f.c.tfTitel->setText("Album");
    f.c.Speichern->click();
    EXPECT_EQ(spalte(k, "Filme", "Unterordner", "Album"), "-");
    EXPECT_EQ(rohWert(k.folder.file("filme.mdb"), "SELECT count(*) FROM Unterordner"), "2");
}

TEST(Speichern, AnEmptyTitleIsRefusedWithAMessageOnlyWithALanguageFile)
{
    Filmkatalog ohne;
    neu(ohne, "").c.Speichern->click();
    EXPECT_TRUE(ohne.fake.messages.shown.empty());

    Filmkatalog mit("[Design]\r\nSprache=deutsch.lng\r\n");
    mit.folder.write("deutsch.lng", "[Hauptfenster]\r\nFehler1=Kein Datensatz!\r\nFehlerText1=Speichern\r\n");
    neu(mit, "").c.Speichern->click();
    ASSERT_EQ(mit.fake.messages.shown.size(), 1u);
    EXPECT_EQ(letzte(mit).prompt, "Kein Datensatz!");
    EXPECT_EQ(letzte(mit).flags, sys::mb::Exclamation);
    EXPECT_EQ(letzte(mit).title, "Speichern");
    EXPECT_EQ(mit.fenster().c.lbAnzahlF->text(), "14");
}

struct Fehlfall {
    const char* name;
    std::function<void(frmFilme&)> eingeben;
    const char* grund = "";  // the line that says why
};

class SpeichernVerweigert : public testing::TestWithParam<Fehlfall> {};

TEST_P(SpeichernVerweigert, NothingIsStoredAndThePanelKeepsWhatWasTyped)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    const auto vorher = katalogInhalt(k);
    f.przAlleListe();
    f.c.Neu->click();
    GetParam().eingeben(f);
    const QString getippt = f.c.tfTitel->text();
    f.c.Speichern->click();
    erwarteVerweigert(k, getippt, "Speichern", vorher, QString::fromUtf8(GetParam().grund));
    EXPECT_EQ(f.c.tfTitel->text(), getippt);
    // The window goes on working: the same record, corrected, is stored.
    f.c.tfTitel->setText("Richtig");
    f.c.tfAnzahl->setText("1");
    f.c.tfdten->clear();
    f.c.lfListeCDeinlesen->clear();
    f.c.Speichern->click();
    EXPECT_EQ(letzte(k).prompt, "'Richtig' wurde gespeichert!");
}

INSTANTIATE_TEST_SUITE_P(
    Fehler, SpeichernVerweigert,
    testing::Values(
        Fehlfall{"TitelVorhanden", [](frmFilme& f) { f.c.tfTitel->setText("Alien"); },
                 "Einen Titel \"Alien\" gibt es schon."},
        Fehlfall{"TitelInAndererSchreibung", [](frmFilme& f) { f.c.tfTitel->setText("ALIEN"); },
                 "Einen Titel \"Alien\" gibt es schon."},
        Fehlfall{"TitelMitGrossemUmlaut", [](frmFilme& f) { f.c.tfTitel->setText("ÄRGER IM PARADIES"); },
                 "Einen Titel \"Ärger im Paradies\" gibt es schon."},
        Fehlfall{"AnzahlKeineZahl",
                 [](frmFilme& f) {
                     f.c.tfTitel->setText("Neu");
                     f.c.tfAnzahl->setText("zwei");
                 }},
        Fehlfall{"SpracheZuLangFuerDieUnterordner",
                 [](frmFilme& f) {
                     f.c.tfTitel->setText("Neu");
                     f.c.tfdten->setText("deutsch10");
                     scanÜbergeben(f, {"a.avi:1", "b.avi:2"}, true);
                 }},
        Fehlfall{"GroesseZuLangMittenImSpeichern",
                 [](frmFilme& f) {
                     f.c.tfTitel->setText("Neu");
                     scanÜbergeben(f, {"a.avi:1", "b.avi:12345678901", "c.avi:3"}, true);
                 }}),
    [](const testing::TestParamInfo<Fehlfall>& fall) { return std::string(fall.param.name); });

// The sub-entry mode's box takes a name of 100 characters; the title's own
// save refuses it with the limit of its column.
TEST(Speichern, ATitleLongerThanItsColumnIsRefusedWithTheLimit)
{
    Filmkatalog k;
    frmFilme& f = zeigen(k, "Alien");
    f.show();
    const auto vorher = katalogInhalt(k);
    f.c.cmdNeu2->click();
    const QString lang = QString(70, u'x');
    ersetzenImFokus(f.c.tfTitel, lang);
    ASSERT_EQ(f.c.tfTitel->text(), lang);
    f.c.Speichern->click();
    erwarteVerweigert(k, lang, "Speichern", vorher, "Der Titel fasst höchstens 50 Zeichen.");
    f.hide();
}

// A typed or pasted title loses the blanks at its ends; a stored one that has
// them keeps them through an edit of another field.
TEST(Speichern, BlanksAtTheEndsOfATypedOrPastedTitleAreDropped)
{
    Filmkatalog k;
    k.ausführen("INSERT INTO Filme (Titel, Anzahl, Format, Qualität, Mappe, Wer, Info, Dten, Cat, AusDatum, Cover, "
                "Size, Unterordner) VALUES (' Alt ', 1, 'DVD', '1', 'A', '-', '-', '-', '-', '-', '-', '0', '-')");
    frmFilme& f = k.fenster();
    f.show();
    f.przAlleListe();
    f.c.Neu->click();
    QApplication::clipboard()->setText(QStringLiteral("  Die fabelhafte Welt der Amélie "));
    fokussieren(f.c.tfTitel);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    f.c.Speichern->click();
    EXPECT_EQ(letzte(k).prompt, "'Die fabelhafte Welt der Amélie' wurde gespeichert!");
    EXPECT_EQ(rohWert(k.folder.file("filme.mdb"), "SELECT count(*) FROM Filme WHERE Titel LIKE '%Amélie%'"), "1");
    EXPECT_EQ(f.c.tfTitel->text(), "Die fabelhafte Welt der Amélie") << "the stored title is shown";

    // Typed with a blank behind it, a title is the one without.
    f.c.Neu->click();
    tippenImFokus(f.c.tfTitel, " Amelie ");
    f.c.Speichern->click();
    EXPECT_EQ(letzte(k).prompt, "'Amelie' wurde gespeichert!");
    const auto vorher = katalogInhalt(k);
    f.c.Neu->click();
    tippenImFokus(f.c.tfTitel, "Amelie ");
    f.c.Speichern->click();
    erwarteVerweigert(k, "Amelie", "Speichern", vorher, "Einen Titel \"Amelie\" gibt es schon.");

    // Only blanks are no title: nothing is stored.
    f.c.Neu->click();
    tippenImFokus(f.c.tfTitel, "   ");
    f.c.Speichern->click();
    EXPECT_EQ(katalogInhalt(k), vorher);

    zeigen(k, " Alt ");
    fokussieren(f.c.tfMappe);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_End, Qt::ShiftModifier);
    tippenImFokus(f.c.tfMappe, "B");
    f.c.cmdEdit->click();
    EXPECT_EQ(spalte(k, "Filme", "Mappe", " Alt "), "B") << "a stored title stays as it is";
    zeigen(k, " Alt ");
    ersetzenImFokus(f.c.tfTitel, " Neu ");
    f.c.cmdEdit->click();
    EXPECT_EQ(letzte(k).prompt, "'Neu' wurde editiert!");
    EXPECT_EQ(spalte(k, "Filme", "Mappe", "Neu"), "B");

    // A sub-entry's name alike.
    zeigen(k, "Neu");
    f.c.cmdNeu2->click();
    ersetzenImFokus(f.c.tfTitel, " Bonus ");
    f.c.cmdSpeichern2->click();
    EXPECT_EQ(rohWert(k.folder.file("filme.mdb"), "SELECT Titel FROM Unterordner WHERE Titel2 = 'Bonus'"), "Neu");
    EXPECT_EQ(integrität(k), "ok");
    f.hide();
}

TEST(Speichern, AFullDiskInTheMiddleOfASaveLeavesTheCatalogueAsItWas)
{
    Filmkatalog k;
    QHash<QString, QByteArray> dateien;
    for (const QString& name : QDir(k.folder.path()).entryList(QDir::Files))
        dateien.insert(name, k.folder.read(name));
    MountedTmpfs platte(k.folder.path(), "size=2m");
    if (!platte.ok())
        GTEST_SKIP() << "no tmpfs can be mounted here";
    for (auto it = dateien.cbegin(); it != dateien.cend(); ++it)
        k.folder.write(it.key(), it.value());
    frmFilme& f = k.fenster();
    const auto vorher = katalogInhalt(k);
    // Fill the disk but for a little room: the title row fits, its entries do not.
    QFile füllung(k.folder.file("füllung"));
    ASSERT_TRUE(füllung.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'x');
    while (füllung.write(block) == block.size()) {
    }
    füllung.close();
    ASSERT_TRUE(füllung.resize(qMax<qint64>(0, füllung.size() - 40 * 1024)));

    f.przAlleListe();
    f.c.Neu->click();
    f.c.tfTitel->setText("Voll");
    QStringList einträge;
    for (int i = 0; i < 3000; ++i)
        einträge << QStringLiteral("Eine recht lange Datei Nummer %1.avi:700").arg(i);
    scanÜbergeben(f, einträge, true);
    f.c.Speichern->click();
    erwarteVerweigert(k, "Voll", "Speichern", vorher);

    QFile::remove(k.folder.file("füllung"));
    f.c.Speichern->click();
    EXPECT_EQ(k.fake.messages.shown.back().prompt, "'Voll' wurde gespeichert!") << "the window goes on working";
    EXPECT_EQ(rohWert(k.folder.file("filme.mdb"), "SELECT count(*) FROM Unterordner WHERE Titel = 'Voll'"), "3000");
    k.f.reset();
}

TEST(Speichern, ApostrophesAndSqlLikeTextAreStoredAsTyped)
{
    Filmkatalog k;
    frmFilme& f = neu(k, "O'Neil'; DROP");
    f.c.tfMappe->setText("A' , Titel");
    scanÜbergeben(f, {"it's.avi:1"}, true);
    f.c.Speichern->click();
    EXPECT_EQ(spalte(k, "Filme", "Mappe", "O'Neil'; DROP"), "A' , Titel");
    EXPECT_EQ(spalte(k, "Unterordner", "Titel", "it's"), "O'Neil'; DROP");
}

// ---- Editing ----

TEST(Editieren, ARenameCarriesTheSubEntriesAlong)
{
    Filmkatalog k;
    frmFilme& f = zeigen(k, "Matrix");
    f.c.tfTitel->setText("Matrix Reloaded");
    f.c.tfMappe->clear();
    f.c.cmdEdit->click();
    EXPECT_EQ(letzte(k).prompt, "'Matrix Reloaded' wurde editiert!");
    EXPECT_EQ(letzte(k).title, "Editieren");
    const auto unter = roh(k.folder.file("filme.mdb"), "SELECT Titel, Mappe, Wer FROM Unterordner ORDER BY rowid");
    const std::vector<QStringList> erwartet = {{"Matrix Reloaded", "-", "-"}, {"Matrix Reloaded", "-", "-"}};
    EXPECT_EQ(unter, erwartet) << "an emptied folder is '-' in the sub-entries as in the title";
    EXPECT_EQ(spalte(k, "Filme", "Unterordner", "Matrix Reloaded"), "1");
    EXPECT_EQ(spalte(k, "Filme", "Mappe", "Matrix Reloaded"), "-");
    EXPECT_EQ(spalte(k, "Filme", "Datum", "Matrix Reloaded"), "2024-05-01");
    EXPECT_EQ(integrität(k), "ok");
}

TEST(Editieren, ATitleWithAnApostropheAndSubEntriesCanBeEdited)
{
    Filmkatalog k;
    k.ausführen("INSERT INTO Unterordner (Titel, Titel2, Mappe) VALUES ('Ocean''s Eleven', 'Extra', 'Kino''s')");
    k.ausführen("UPDATE Filme SET Unterordner = '1' WHERE Titel = 'Ocean''s Eleven'");
    frmFilme& f = zeigen(k, "Ocean's Eleven");
    f.c.tfMappe->setText("Z");
    f.c.tfWer->clear();
    f.c.cmdEdit->click();
    EXPECT_EQ(spalte(k, "Unterordner", "Mappe", "Extra"), "Z");
    EXPECT_EQ(spalte(k, "Filme", "Wer", "Ocean's Eleven"), "-");
    EXPECT_EQ(spalte(k, "Filme", "AusDatum", "Ocean's Eleven"), "05.03.2026") << "kept without a borrower";
    EXPECT_EQ(spalte(k, "Unterordner", "Titel", "Matrix Teil 1"), "Matrix") << "other titles' sub-entries stay";
}

// Only "1" marks a title with sub-entries: any other stored mark is set to "-"
// and sub-entry rows that happen to carry the title's name stay where they are.
class EditierenOhneUnterordnerkennung : public testing::TestWithParam<const char*> {};

TEST_P(EditierenOhneUnterordnerkennung, SetsTheMarkAndLeavesStraySubEntries)
{
    Filmkatalog k;
    k.ausführen("UPDATE Filme SET Unterordner = ? WHERE Titel = 'Alien'",
                {GetParam() ? QVariant(QString::fromUtf8(GetParam())) : QVariant()});
    k.ausführen("INSERT INTO Unterordner (Titel, Titel2, Mappe, Wer) VALUES ('Alien', 'Streuner', 'A', '-')");
    frmFilme& f = zeigen(k, "Alien");
    f.c.tfTitel->setText("Alien Director's Cut");
    f.c.tfMappe->setText("Z");
    f.c.tfWer->setText("Bernd");
    f.c.cmdEdit->click();
    EXPECT_EQ(letzte(k).prompt, "'Alien Director's Cut' wurde editiert!");
    EXPECT_EQ(spalte(k, "Filme", "Unterordner", "Alien Director's Cut"), "-");
    EXPECT_EQ(roh(k.folder.file("filme.mdb"), "SELECT Titel, Mappe, Wer FROM Unterordner WHERE Titel2 = 'Streuner'"),
              (std::vector<QStringList>{{"Alien", "A", "-"}}));
}

INSTANTIATE_TEST_SUITE_P(Kennungen, EditierenOhneUnterordnerkennung, testing::Values("0", "2", "", nullptr),
                         [](const testing::TestParamInfo<const char*>& fall) {
                             if (!fall.param)
                                 return std::string("Null");
                             return *fall.param ? "Wert_" + std::string(fall.param) : std::string("Leer");
                         });

TEST(Editieren, ADateTypedIsStoredAsADate)
{
    Filmkatalog k;
    frmFilme& f = zeigen(k, "Alien");
    EXPECT_EQ(f.c.tfDatum->text(), "10.01.2025");
    f.c.tfDatum->setText("01.02.2020");
    f.c.cmdEdit->click();
    EXPECT_EQ(spalte(k, "Filme", "Datum", "Alien"), "2020-02-01");
    EXPECT_EQ(spalte(k, "Filme", "Cover", "Der Pate"), "pate.jpg");
}

// The entry date as the user types it, on an edit and on a new title.
struct Eintragsdatumfall {
    std::string name;
    const char* getippt;
    QString gespeichert;  // Datum as the file holds it
};

std::vector<Eintragsdatumfall> zweistelligEingetragen()
{
    std::vector<Eintragsdatumfall> fälle;
    for (const Zweistellig& z : ZweistelligeJahre)
        fälle.push_back({z.name, z.text, z.tag.toString(Qt::ISODate)});
    return fälle;
}

class Eintragsdatum : public testing::TestWithParam<Eintragsdatumfall> {};

TEST_P(Eintragsdatum, IsReadAsAGermanDate)
{
    Filmkatalog k;
    frmFilme& f = zeigen(k, "Alien");
    ersetzenImFokus(f.c.tfDatum, QString::fromUtf8(GetParam().getippt));
    f.c.cmdEdit->click();
    EXPECT_EQ(letzte(k).prompt, "'Alien' wurde editiert!");
    const QString gespeichert = GetParam().gespeichert;
    EXPECT_EQ(spalte(k, "Filme", "Datum", "Alien"), QByteArray(GetParam().getippt) == "\b" ? "2025-01-10" : gespeichert)
        << "an emptied field leaves the stored date";

    f.c.Neu->click();
    tippenImFokus(f.c.tfTitel, "Neu");
    tippenImFokus(f.c.tfDatum, QString::fromUtf8(GetParam().getippt));
    f.c.Speichern->click();
    EXPECT_EQ(letzte(k).prompt, "'Neu' wurde gespeichert!");
    EXPECT_EQ(spalte(k, "Filme", "Datum", "Neu"), gespeichert) << "an empty field on a new title: today";
    EXPECT_EQ(integrität(k), "ok");
}

INSTANTIATE_TEST_SUITE_P(Formen, Eintragsdatum,
                         testing::Values(Eintragsdatumfall{"ShortYear", "1.9.26", "2026-09-01"},
                                         Eintragsdatumfall{"FullYear", "1.9.2026", "2026-09-01"},
                                         Eintragsdatumfall{"TwoDigitsEach", "01.09.2026", "2026-09-01"},
                                         Eintragsdatumfall{"Empty", "\b", "2026-12-09"}),
                         [](const auto& fall) { return fall.param.name; });

INSTANTIATE_TEST_SUITE_P(Jahrhundert, Eintragsdatum, testing::ValuesIn(zweistelligEingetragen()),
                         [](const auto& fall) { return fall.param.name; });

// "DS nach Datum" lists the newest first: a title entered on a day of the last
// century goes below every title of this one, whose days all lie from 2018 to
// 2025; one entered in 2029 goes first. Zorro has no date and stays last.
class EintragsdatumListe : public testing::TestWithParam<Zweistellig> {};

TEST_P(EintragsdatumListe, SortsByItsDay)
{
    Filmkatalog k;
    frmFilme& f = zeigen(k, "Alien");
    ersetzenImFokus(f.c.tfDatum, QString::fromUtf8(GetParam().text));
    f.c.cmdEdit->click();
    ASSERT_EQ(letzte(k).prompt, "'Alien' wurde editiert!");
    f.c.mnuDSnachDatum->trigger();
    const QStringList titel = k.titel();
    ASSERT_EQ(titel.size(), alleTitel().size());
    EXPECT_EQ(titel.back(), "Zorro");
    EXPECT_EQ(titel.indexOf("Alien"), GetParam().tag.year() > 2025 ? 0 : titel.size() - 2)
        << titel.join(" | ").toStdString();
}

INSTANTIATE_TEST_SUITE_P(Jahrhundert, EintragsdatumListe, testing::ValuesIn(ZweistelligeJahre),
                         [](const auto& fall) { return zweistelligName(fall.param); });

// A typed date that is no date: the message names the field and the form,
// and nothing is stored, on an edit, a new title and a new title's lending date.
struct Datumsfehler {
    const char* name;
    QLineEdit* FilmeControls::*feld;
    const char* feldname;
    bool neu;
    const char* getippt;
};

class DatumVerweigert : public testing::TestWithParam<Datumsfehler> {};

TEST_P(DatumVerweigert, NamesTheFieldAndStoresNothing)
{
    const Datumsfehler& fall = GetParam();
    Filmkatalog k;
    const auto vorher = katalogInhalt(k);
    frmFilme& f = zeigen(k, "Matrix");
    if (fall.neu) {
        f.c.Neu->click();
        tippenImFokus(f.c.tfTitel, "Neu");
    }
    ersetzenImFokus(f.c.*fall.feld, QString::fromUtf8(fall.getippt));
    (fall.neu ? f.c.Speichern : f.c.cmdEdit)->click();
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_EQ(letzte(k).prompt, QString::fromUtf8(fall.feldname) + QStringLiteral(": \"")
                                    + QString::fromUtf8(fall.getippt)
                                    + QStringLiteral("\" ist kein gültiges Datum.\nBitte das Datum als tt.mm.yyyy "
                                                     "eintragen."));
    EXPECT_EQ(letzte(k).title, fall.neu ? "Speichern" : "Editieren");
    EXPECT_EQ(letzte(k).flags, sys::mb::Exclamation);
    EXPECT_EQ(katalogInhalt(k), vorher);
    EXPECT_EQ(integrität(k), "ok");
    EXPECT_EQ((f.c.*fall.feld)->text(), QString::fromUtf8(fall.getippt)) << "the panel keeps what was typed";
}

INSTANTIATE_TEST_SUITE_P(
    Fehler, DatumVerweigert,
    testing::Values(Datumsfehler{"EditNoSuchDay", &FilmeControls::tfDatum, "Eingetragen am", false, "31.02.2020"},
                    Datumsfehler{"EditWord", &FilmeControls::tfDatum, "Eingetragen am", false, "gestern"},
                    Datumsfehler{"NewIso", &FilmeControls::tfDatum, "Eingetragen am", true, "2026-09-01"},
                    Datumsfehler{"NewLendingDate", &FilmeControls::tfDatumAusleihe, "Ausleihdatum", true,
                                 "31.02.2026"}),
    [](const auto& fall) { return std::string(fall.param.name); });

class EditierenVerweigert : public testing::TestWithParam<Fehlfall> {};

TEST_P(EditierenVerweigert, NothingChangesNotEvenTheSubEntries)
{
    Filmkatalog k;
    const auto vorher = katalogInhalt(k);
    frmFilme& f = zeigen(k, "Matrix");
    GetParam().eingeben(f);
    const QString getippt = f.c.tfTitel->text();
    const QString mappe = f.c.tfMappe->text();
    f.c.cmdEdit->click();
    erwarteVerweigert(k, getippt, "Fehler", vorher, QString::fromUtf8(GetParam().grund));
    EXPECT_EQ(f.c.tfTitel->text(), getippt) << "the panel keeps what was typed";
    EXPECT_EQ(f.c.tfMappe->text(), mappe);
}

INSTANTIATE_TEST_SUITE_P(
    Fehler, EditierenVerweigert,
    testing::Values(
        Fehlfall{"UmbenanntInVorhandenenTitel",
                 [](frmFilme& f) {
                     f.c.tfTitel->setText("alien");
                     f.c.tfMappe->setText("Q");
                 },
                 "Einen Titel \"Alien\" gibt es schon."},
        Fehlfall{"UmbenanntMitUmlautInVorhandenen", [](frmFilme& f) { f.c.tfTitel->setText("ärger im paradies"); },
                 "Einen Titel \"Ärger im Paradies\" gibt es schon."},
        Fehlfall{"AnzahlKeineZahl", [](frmFilme& f) { f.c.tfAnzahl->setText("1a"); }}),
    [](const testing::TestParamInfo<Fehlfall>& fall) { return std::string(fall.param.name); });

TEST(Editieren, OnlyTheRecordOnDisplayIsChanged)
{
    Filmkatalog k("[Design]\r\nSprache=deutsch.lng\r\n");
    k.folder.write("deutsch.lng", "[Hauptfenster]\r\nFehler1=Kein Datensatz!\r\nFehlerText2=Editieren\r\n");
    const auto vorher = katalogInhalt(k);
    frmFilme& f = zeigen(k, "Alien");
    // After Neu the recordset still stands on the title shown before.
    f.c.Neu->click();
    f.c.tfTitel->setText("Neuer Film");
    f.c.cmdEdit->click();
    // After a refresh it stands on the first title; the panel is empty.
    f.c.Alle->click();
    f.c.tfTitel->setText("[Rec]");
    f.c.cmdEdit->click();
    EXPECT_EQ(katalogInhalt(k), vorher);
    ASSERT_EQ(k.fake.messages.shown.size(), 2u);
    for (const ShownMessage& m : k.fake.messages.shown) {
        EXPECT_EQ(m.prompt, "Kein Datensatz!");
        EXPECT_EQ(m.title, "Editieren");
    }
}

TEST(Editieren, TheLendingSaveReachesTheRecordOnDisplay)
{
    Filmkatalog k;
    frmFilme& f = zeigen(k, "Mask");
    f.c.tfWer->setText("Bernd");
    EXPECT_TRUE(f.przEditieren());
    EXPECT_EQ(spalte(k, "Filme", "Wer", "Mask"), "Bernd");
    EXPECT_EQ(spalte(k, "Filme", "AusDatum", "Mask"), "09.12.2026");
}

// ---- Deleting ----

TEST(Löschen, ATitleGoesWithItsSubEntriesAndItsLendingLogStays)
{
    Filmkatalog k;
    frmFilme& f = zeigen(k, "Matrix");
    k.fake.messages.answer(sys::mb::Ok);
    f.c.Löschen->click();
    ASSERT_FALSE(k.fake.messages.shown.empty());
    EXPECT_EQ(letzte(k).prompt, "Matrix wirklich löschen?");
    EXPECT_EQ(letzte(k).flags, 289);
    EXPECT_EQ(letzte(k).title, "Matrix löschen");
    const QString pfad = k.folder.file("filme.mdb");
    EXPECT_EQ(rohWert(pfad, "SELECT count(*) FROM Filme WHERE Titel = 'Matrix'"), "0");
    EXPECT_EQ(rohWert(pfad, "SELECT count(*) FROM Unterordner"), "0");
    EXPECT_EQ(rohWert(pfad, "SELECT count(*) FROM Ausleihe"), "3");
    EXPECT_EQ(integrität(k), "ok");
    EXPECT_EQ(f.c.tfTitel->text(), "Mask") << "the nearest lower title is shown";
    EXPECT_FALSE(k.titel().contains("Matrix"));
}

TEST(Löschen, ATitleWithAnApostropheDeletesOnlyItsOwnSubEntries)
{
    Filmkatalog k;
    k.ausführen("INSERT INTO Unterordner (Titel, Titel2) VALUES ('Ocean''s Eleven', 'Extra')");
    k.ausführen("UPDATE Filme SET Unterordner = '1' WHERE Titel = 'Ocean''s Eleven'");
    frmFilme& f = zeigen(k, "Ocean's Eleven");
    k.fake.messages.answer(sys::mb::Ok);
    f.c.Löschen->click();
    EXPECT_EQ(rohWert(k.folder.file("filme.mdb"), "SELECT group_concat(Titel2) FROM Unterordner"),
              "Matrix Teil 1,Matrix Teil 2");
    EXPECT_EQ(rohWert(k.folder.file("filme.mdb"), "SELECT count(*) FROM Filme"), "13");
}

TEST(Löschen, CancelOrAnotherTitleDeletesNothing)
{
    Filmkatalog k;
    const auto vorher = katalogInhalt(k);
    frmFilme& f = zeigen(k, "Alien");
    k.fake.messages.answer(sys::mb::Cancel);
    f.c.Löschen->click();
    EXPECT_EQ(f.c.tfTitel2->text(), "Alien");
    f.c.tfTitel->setText("Aliens");
    f.c.Löschen->click();
    EXPECT_EQ(k.fake.messages.shown.size(), 1u) << "a title that is not the one on display: no question";
    EXPECT_EQ(katalogInhalt(k), vorher);
}

TEST(Löschen, AnEmptyTitleIsReportedEvenWithoutALanguageFile)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.Löschen->click();
    f.c.cmdLöschen2->click();
    ASSERT_EQ(k.fake.messages.shown.size(), 2u);
    for (const ShownMessage& m : k.fake.messages.shown) {
        EXPECT_EQ(m.prompt, "Kein Datensatz!");
        EXPECT_EQ(m.flags, sys::mb::Exclamation);
        EXPECT_EQ(m.title, "Löschen");
    }
}

// ---- Naming rule and free names ----

struct Namensfall {
    const char* name;
    const char* eintrag;
    const char* titel2;
};

class Benennung : public testing::TestWithParam<Namensfall> {};

TEST_P(Benennung, TheSubEntryNameOfAnEntry)
{
    EXPECT_EQ(katalog::unterordnerName(QString::fromUtf8(GetParam().eintrag)), QString::fromUtf8(GetParam().titel2));
}

INSTANTIATE_TEST_SUITE_P(
    Regel, Benennung,
    testing::Values(Namensfall{"EndungAbgeschnitten", "Film.avi:700", "Film"},
                    Namensfall{"OrdnerGanz", "Extras:12 ", "Extras:12 "},
                    Namensfall{"LangeEndungGanz", "Clip.mpeg:5", "Clip.mpeg:5"},
                    Namensfall{"NurEndung", ".avi:5", ""},
                    Namensfall{"KurzMitPunkt", ".ab:1", ".ab:1"},
                    Namensfall{"OhneDoppelpunkt", "Film.avi", "Film"},
                    Namensfall{"DoppelpunktImNamen", "Akt 1: Anfang.avi:9", "Akt 1: Anfang"},
                    Namensfall{"Leer", "", ""}),
    [](const testing::TestParamInfo<Namensfall>& fall) { return std::string(fall.param.name); });

TEST(FreierName, StaysWithinTheColumnAndCountsOn)
{
    const QStringList belegt = {"Bonus", "Bonus [Live]", "Bonus [Live] (2)"};
    auto vergeben = [&](const QString& n) { return belegt.contains(n); };
    EXPECT_EQ(katalog::freierName("Frei", "Live", vergeben), "Frei");
    EXPECT_EQ(katalog::freierName("Bonus", "Live", vergeben), "Bonus [Live] (3)");
    const QString lang(100, u'n');
    const QString frei = katalog::freierName(lang, "Live", [&](const QString& n) { return n == lang; });
    EXPECT_EQ(frei.size(), 100);
    EXPECT_TRUE(frei.endsWith(" [Live]"));
}
