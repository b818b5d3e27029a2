// Lending through the main window's buttons: the four lending states and
// their controls, the log rows (read by a stock SQLite connection), every
// message the user sees, and refused writes that leave the catalogue as it was.
#include "tests/catalogue/Bearbeitung.h"
#include "tests/Quellordner.h"
#include "tests/support/Kombis.h"
#include "tests/support/ZweistelligeJahre.h"

#include "lending/frmMappe.h"
#include "platform/vb/Formular.h"
#include "platform/vb/VbRuntime.h"
#include "tests/Quellordner.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <gtest/gtest.h>

#include <cctype>

using namespace testing_support;

namespace {

std::vector<QStringList> log(const Filmkatalog& k)
{
    return roh(k.folder.file("filme.mdb"), "SELECT Titel, Wer, AusDT, EinDT FROM Ausleihe ORDER BY rowid");
}

// Everything a lending or a return may touch.
std::vector<QStringList> alles(const Filmkatalog& k)
{
    auto zeilen = katalogInhalt(k);
    for (auto& z : log(k))
        zeilen.push_back(z);
    return zeilen;
}

struct Zustand {
    bool ausleihen, mappe, speichern, zurück, wer, kombi;
};

void erwarteZustand(const frmFilme& f, const Zustand& z, const char* name)
{
    SCOPED_TRACE(name);
    EXPECT_EQ(!f.c.cmdAusleihen->isHidden(), z.ausleihen);
    EXPECT_EQ(!f.c.cmdMappe->isHidden(), z.mappe);
    EXPECT_EQ(!f.c.cmdspeichern->isHidden(), z.speichern);
    EXPECT_EQ(!f.c.back->isHidden(), z.zurück);
    EXPECT_EQ(!f.c.tfWer->isHidden(), z.wer);
    EXPECT_EQ(!f.c.cmbWer1->isHidden(), z.kombi);
}

const ShownMessage& letzte(const Filmkatalog& k)
{
    return k.fake.messages.shown.back();
}

}  // namespace

TEST(Ausleihe, FreeStartedLentReturned)
{
    Filmkatalog k;
    frmFilme& f = zeigen(k, "Alien 3");
    erwarteZustand(f, {true, true, false, false, false, false}, "free");

    f.c.cmdAusleihen->click();
    erwarteZustand(f, {false, false, true, false, true, true}, "started");
    EXPECT_TRUE(k.fake.messages.shown.empty());

    f.c.tfWer->setText("O'Neil");
    f.c.cmdspeichern->click();
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_EQ(letzte(k).prompt, "'Alien 3' wurde editiert!");
    EXPECT_EQ(letzte(k).title, "Editieren");
    EXPECT_EQ(spalte(k, "Filme", "Wer", "Alien 3"), "O'Neil");
    EXPECT_EQ(spalte(k, "Filme", "AusDatum", "Alien 3"), "09.12.2026") << "an empty date: today";
    EXPECT_EQ(log(k).back(), (QStringList{"Alien 3", "O'Neil", "09.12.2026", "<null>"}));
    EXPECT_EQ(f.c.tfTitel->text(), "Alien 3");
    EXPECT_EQ(f.c.tfWer->text(), "O'Neil");
    erwarteZustand(f, {true, true, false, true, true, false}, "lent");

    k.fake.clock.set(QDateTime(QDate(2026, 12, 12), QTime(9, 0)));
    f.c.back->click();
    EXPECT_EQ(letzte(k).prompt, "Datensatz wurde gespeichert!");
    EXPECT_EQ(letzte(k).flags, sys::mb::OkOnly);
    EXPECT_EQ(letzte(k).title, "Editieren");
    EXPECT_EQ(spalte(k, "Filme", "Wer", "Alien 3"), "-");
    EXPECT_EQ(spalte(k, "Filme", "AusDatum", "Alien 3"), "-");
    EXPECT_EQ(log(k).back(), (QStringList{"Alien 3", "O'Neil", "09.12.2026", "12.12.2026"}));
    EXPECT_EQ(integrität(k), "ok");
    erwarteZustand(f, {true, true, false, false, false, false}, "returned");
}

TEST(Ausleihe, AStartedLendingLeftForAnotherTitleStoresNothing)
{
    Filmkatalog k;
    frmFilme& f = zeigen(k, "Alien 3");
    const auto vorher = alles(k);
    f.c.cmdAusleihen->click();
    f.c.tfWer->setText("Bernd");
    titelKlicken(k, "Aliens");
    EXPECT_EQ(alles(k), vorher);
    erwarteZustand(f, {true, true, false, false, false, false}, "free again");
}

TEST(Ausleihe, TheSubEntriesGoOutAndComeBackWithTheirTitle)
{
    Filmkatalog k;
    k.ausführen("UPDATE Unterordner SET Wer = 'Carla' WHERE Titel2 = 'Matrix Teil 2'");
    frmFilme& f = zeigen(k, "Matrix");
    f.c.cmdAusleihen->click();
    f.c.tfWer->setText("Bernd");
    f.c.tfDatumAusleihe->setText("01.12.2026");
    f.c.cmdspeichern->click();
    EXPECT_EQ(log(k).back(), (QStringList{"Matrix", "Bernd", "01.12.2026", "<null>"}));
    titelKlicken(k, "Matrix");
    f.c.back->click();
    EXPECT_EQ(roh(k.folder.file("filme.mdb"), "SELECT Titel2, Wer FROM Unterordner ORDER BY Titel2"),
              (std::vector<QStringList>{{"Matrix Teil 1", "-"}, {"Matrix Teil 2", "-"}}))
        << "the lending carried Bernd to both, the return frees both";
    EXPECT_EQ(log(k).back(), (QStringList{"Matrix", "Bernd", "01.12.2026", "09.12.2026"}));
}

TEST(Ausleihe, AReturnKeepsTheSubEntriesOfAnotherBorrowerAndStoresThePanel)
{
    Filmkatalog k;
    k.ausführen("UPDATE Filme SET Wer = 'Bernd', AusDatum = '-' WHERE Titel = 'Matrix'");
    k.ausführen("UPDATE Unterordner SET Wer = 'Bernd' WHERE Titel2 = 'Matrix Teil 1'");
    k.ausführen("UPDATE Unterordner SET Wer = 'Carla' WHERE Titel2 = 'Matrix Teil 2'");
    k.ausführen("INSERT INTO Ausleihe VALUES ('matrix', 'bernd', '-', Null)");
    frmFilme& f = zeigen(k, "Matrix");
    f.c.tfFormat->setText("BluRay");
    f.c.tfInfo->clear();
    f.c.back->click();
    EXPECT_EQ(spalte(k, "Filme", "Format", "Matrix"), "BluRay");
    EXPECT_EQ(spalte(k, "Filme", "Info", "Matrix"), "") << "an emptied info text is stored empty";
    EXPECT_EQ(roh(k.folder.file("filme.mdb"), "SELECT Titel2, Wer FROM Unterordner ORDER BY Titel2"),
              (std::vector<QStringList>{{"Matrix Teil 1", "-"}, {"Matrix Teil 2", "Carla"}}));
    EXPECT_EQ(log(k).back(), (QStringList{"matrix", "bernd", "-", "09.12.2026"}))
        << "a folder lending's date \"-\" and another spelling still close";
}

// A return with an emptied info box keeps a stored info of "" or "-".
class RückgabeOhneInfo : public testing::TestWithParam<const char*> {};

TEST_P(RückgabeOhneInfo, KeepsTheStoredInfo)
{
    Filmkatalog k;
    k.ausführen("UPDATE Filme SET Wer = 'Bernd', AusDatum = '01.12.2026', Info = ? WHERE Titel = 'Alien 3'",
                {QString::fromUtf8(GetParam())});
    frmFilme& f = zeigen(k, "Alien 3");
    f.c.tfInfo->clear();
    f.c.back->click();
    EXPECT_EQ(letzte(k).prompt, "Datensatz wurde gespeichert!");
    EXPECT_EQ(spalte(k, "Filme", "Wer", "Alien 3"), "-");
    EXPECT_EQ(spalte(k, "Filme", "Info", "Alien 3"), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Gespeichert, RückgabeOhneInfo, testing::Values("-", ""),
                         [](const testing::TestParamInfo<const char*>& fall) {
                             return *fall.param ? std::string("Strich") : std::string("Leer");
                         });

// Refusals of the main window: text keys of [Hauptfenster], shown only with a language file.
struct Verweigerung {
    const char* name;
    const char* titel;  // "" = nothing on display
    QPushButton* FilmeControls::*knopf;
    const char* text;
    const char* fenstertitel;
};

class Verweigert : public ::testing::TestWithParam<std::tuple<Verweigerung, bool>> {};

TEST_P(Verweigert, NurMitSprachdateiEineMeldung)
{
    const auto& [v, mitDatei] = GetParam();
    Filmkatalog k(mitDatei ? "[Design]\r\nSprache=test.lng\r\n" : "");
    k.folder.write("test.lng", "[Hauptfenster]\r\nFehler1=Kein Titel\r\nFehlerText6=Ausleihen?\r\n"
                               "FehlerText7=Verliehen\r\nFehlerText8=Schon weg\r\n");
    frmFilme& f = k.fenster();
    f.przAlleListe();
    if (*v.titel)
        titelKlicken(k, QString::fromUtf8(v.titel));
    else
        f.przLöschen();
    const auto vorher = alles(k);
    (f.c.*v.knopf)->click();
    if (mitDatei) {
        ASSERT_EQ(k.fake.messages.shown.size(), 1u);
        EXPECT_EQ(letzte(k).prompt, QString::fromUtf8(v.text));
        EXPECT_EQ(letzte(k).title, QString::fromUtf8(v.fenstertitel));
        EXPECT_EQ(letzte(k).flags, sys::mb::Exclamation);
    } else {
        EXPECT_TRUE(k.fake.messages.shown.empty());
    }
    EXPECT_TRUE(f.c.cmdspeichern->isHidden()) << "no lending started";
    EXPECT_EQ(alles(k), vorher);
}

const Verweigerung Verweigerungen[] = {
    {"LeihenOhneTitel", "", &FilmeControls::cmdAusleihen, "Kein Titel", "Ausleihen?"},
    {"LeihenVerliehen", "Ocean's Eleven", &FilmeControls::cmdAusleihen, "Schon weg", "Verliehen"},
    {"HistorieOhneTitel", "", &FilmeControls::cmdAusgeliehen, "Kein Titel", "Verliehen"},
};

INSTANTIATE_TEST_SUITE_P(Fälle, Verweigert,
                         ::testing::Combine(::testing::ValuesIn(Verweigerungen), ::testing::Bool()),
                         [](const auto& fall) {
                             return std::string(std::get<0>(fall.param).name)
                                    + (std::get<1>(fall.param) ? "MitDatei" : "OhneDatei");
                         });

struct Leiherfall {
    const char* name;
    const char* wer;
    bool sorry;  // the log refused it; else the borrower check
};

class Leiher : public ::testing::TestWithParam<Leiherfall> {};

TEST_P(Leiher, EinVerweigerterLeiherSpeichertNichts)
{
    Filmkatalog k;
    frmFilme& f = zeigen(k, "Alien 3");
    const auto vorher = alles(k);
    f.c.cmdAusleihen->click();
    f.c.tfWer->setText(QString::fromUtf8(GetParam().wer));
    f.c.cmdspeichern->click();
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    if (GetParam().sorry) {
        EXPECT_EQ(letzte(k).prompt, "Sorry 'Alien 3' kann nicht gespeichert werden!");
        EXPECT_EQ(letzte(k).title, "Fehler");
        EXPECT_EQ(letzte(k).flags, sys::mb::Critical);
    } else {
        EXPECT_EQ(letzte(k).prompt, "Ohne Leiher kein Verleih! - Erst einen Verleiher eintragen bitte.");
        EXPECT_EQ(letzte(k).title, "Ausleihe speichern");
        EXPECT_EQ(letzte(k).flags, sys::mb::OkOnly);
    }
    EXPECT_EQ(alles(k), vorher);
    EXPECT_EQ(integrität(k), "ok");
    EXPECT_FALSE(f.c.cmdspeichern->isHidden()) << "the started lending stays open";
    EXPECT_TRUE(f.c.back->isHidden());
}

INSTANTIATE_TEST_SUITE_P(Fälle, Leiher,
                         ::testing::Values(Leiherfall{"Leer", "", false}, Leiherfall{"Strich", "-", false},
                                           Leiherfall{"EinundzwanzigZeichen", "Maximilian Mustermann", true}),
                         [](const auto& fall) { return std::string(fall.param.name); });

// A lending date as the user types it: read as a German date and stored in
// the one form that the overdue list and the return read.
struct Ausleihdatumfall {
    std::string name;
    const char* getippt;
    QDate tag;
};

// Two-digit years at the century's edges, typed as they stand.
std::vector<Ausleihdatumfall> zweistelligGetippt()
{
    std::vector<Ausleihdatumfall> fälle;
    for (const Zweistellig& z : ZweistelligeJahre)
        fälle.push_back({z.name, z.text, z.tag});
    return fälle;
}

class Ausleihdatum : public ::testing::TestWithParam<Ausleihdatumfall> {};

TEST_P(Ausleihdatum, IsStoredAsDayMonthYearAndTheOverdueListFindsIt)
{
    Filmkatalog k("[Funktionen]\r\nErinnerungsintervall=14\r\n");
    frmFilme& f = zeigen(k, "Alien 3");
    f.c.cmdAusleihen->click();
    tippenImFokus(f.c.tfWer, "Karl");
    tippenImFokus(f.c.tfDatumAusleihe, QString::fromUtf8(GetParam().getippt));
    f.c.cmdspeichern->click();
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_EQ(letzte(k).prompt, "'Alien 3' wurde editiert!");
    const QString gespeichert = vb::dateText(GetParam().tag);
    EXPECT_EQ(spalte(k, "Filme", "AusDatum", "Alien 3"), gespeichert);
    EXPECT_EQ(log(k).back(), (QStringList{"Alien 3", "Karl", gespeichert, "<null>"}));
    EXPECT_EQ(f.c.tfDatumAusleihe->text(), gespeichert) << "the panel shows the stored date";

    f.c.mnuÜberfälligeAusleihen->trigger();
    EXPECT_EQ(k.titel().contains("Alien 3"), GetParam().tag < QDate(2026, 11, 25))
        << "three months out is overdue, today is not";
}

INSTANTIATE_TEST_SUITE_P(
    Formen, Ausleihdatum,
    ::testing::Values(Ausleihdatumfall{"ShortYear", "1.9.26", QDate(2026, 9, 1)},
                      Ausleihdatumfall{"FullYear", "1.9.2026", QDate(2026, 9, 1)},
                      Ausleihdatumfall{"TwoDigitDay", "01.9.26", QDate(2026, 9, 1)},
                      Ausleihdatumfall{"TwoDigitsEach", "01.09.2026", QDate(2026, 9, 1)},
                      Ausleihdatumfall{"BlanksAround", " 1.9.26 ", QDate(2026, 9, 1)},
                      Ausleihdatumfall{"EmptyIsToday", "", QDate(2026, 12, 9)}),
    [](const auto& fall) { return fall.param.name; });

INSTANTIATE_TEST_SUITE_P(Jahrhundert, Ausleihdatum, ::testing::ValuesIn(zweistelligGetippt()),
                         [](const auto& fall) { return fall.param.name; });

class AusleihdatumVerweigert : public ::testing::TestWithParam<const char*> {};

TEST_P(AusleihdatumVerweigert, NamesTheFieldAndTheFormAndStoresNothing)
{
    Filmkatalog k;
    frmFilme& f = zeigen(k, "Alien 3");
    const auto vorher = alles(k);
    f.c.cmdAusleihen->click();
    tippenImFokus(f.c.tfWer, "Karl");
    tippenImFokus(f.c.tfDatumAusleihe, QString::fromUtf8(GetParam()));
    f.c.cmdspeichern->click();
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_EQ(letzte(k).prompt, QStringLiteral("Ausleihdatum: \"") + QString::fromUtf8(GetParam())
                                    + QStringLiteral("\" ist kein gültiges Datum.\nBitte das Datum als tt.mm.yyyy "
                                                     "eintragen."));
    EXPECT_EQ(letzte(k).title, "Ausleihe speichern");
    EXPECT_EQ(letzte(k).flags, sys::mb::Exclamation);
    EXPECT_EQ(alles(k), vorher);
    EXPECT_FALSE(f.c.cmdspeichern->isHidden()) << "the started lending stays open";
    EXPECT_EQ(f.c.tfDatumAusleihe->text(), QString::fromUtf8(GetParam())) << "the typed text stays to be corrected";

    ersetzenImFokus(f.c.tfDatumAusleihe, "1.12.26");
    f.c.cmdspeichern->click();
    EXPECT_EQ(spalte(k, "Filme", "AusDatum", "Alien 3"), "01.12.2026") << "the corrected date is stored";
}

INSTANTIATE_TEST_SUITE_P(Texte, AusleihdatumVerweigert,
                         ::testing::Values("31.02.2026", "gestern", "2026-09-01", "1.9.", "1.9.026", "9/1/26"),
                         [](const auto& fall) {
                             std::string name;
                             for (const char* z = fall.param; *z; ++z)
                                 name += std::isalnum(uchar(*z)) ? *z : '_';
                             return name;
                         });

TEST(Ausleihe, AReturnWhoseNumberOfDiscsIsNoNumberStoresNothing)
{
    Filmkatalog k;
    frmFilme& f = zeigen(k, "Ocean's Eleven");
    const auto vorher = alles(k);
    f.c.tfAnzahl->setText("zwei");
    f.c.back->click();
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_EQ(letzte(k).prompt, "Sorry 'Ocean's Eleven' kann nicht gespeichert werden!");
    EXPECT_EQ(letzte(k).title, "Fehler");
    EXPECT_EQ(alles(k), vorher);
    EXPECT_FALSE(f.c.back->isHidden()) << "the panel keeps the lent state";
    EXPECT_EQ(f.c.tfWer->text(), "Anna");
}

TEST(Ausleihe, TheHistoryListsEveryLendingOfTheTitleAndDisablesTheList)
{
    Filmkatalog k;
    k.ausführen("INSERT INTO Ausleihe VALUES ('OCEAN''S ELEVEN', 'Maximilian Muster', '01.01.2020', "
                "'02.01.2020')");
    frmFilme& f = zeigen(k, "Ocean's Eleven");
    f.SortFeld = "Wer";
    f.c.cmdAusgeliehen->click();
    EXPECT_TRUE(k.fake.messages.shown.empty());
    EXPECT_EQ(k.zeilen(), (QStringList{"Ocean's Eleven\tAnna           \t05.03.2026\t",
                                       "OCEAN'S ELEVEN\tMaximilian Must\t01.01.2020\t02.01.2020"}))
        << "a borrower keeps as many characters as the title list's borrower cell shows";
    EXPECT_EQ(f.c.lbAnzahlSel->text(), "2");
    EXPECT_EQ(f.SortFeld, "Titel");
    EXPECT_FALSE(f.c.lfListe->isEnabled());
    EXPECT_FALSE(f.c.cmdAusgeliehen->isEnabled());
    EXPECT_FALSE(f.GanzeListeFlag) << "the history is the selection now";

    titelKlicken(k, "Ocean's Eleven");
    f.przUnsichtbar();
    EXPECT_TRUE(f.c.lfListe->isEnabled());
    EXPECT_TRUE(f.c.cmdAusgeliehen->isEnabled());
}

// The history's headers come from the language file; each shows its whole word
// with room before the next, and a title list gives the headers their layout back.
TEST(Ausleihe, TheHistoryHeadersShowTheirWholeWordsAndTheTitleListRestoresThem)
{
    Filmkatalog k("[Design]\r\nSprache=deutsch.lng\r\n");
    ASSERT_TRUE(QFile::copy(QStringLiteral(RDX_SOURCE_DIR "/data/deutsch.lng"), k.folder.file("deutsch.lng")));
    frmFilme& f = zeigen(k, "Ocean's Eleven");
    f.show();
    const QRect format = f.c.lbFormat(1)->geometry();
    const QRect qualität = f.c.lbQualität(1)->geometry();
    f.c.cmdAusgeliehen->click();

    const std::vector<std::pair<QLabel*, QString>> köpfe = {
        {f.c.lbCat(1), "Ausleiher"}, {f.c.lbFormat(1), "Ausgeliehen am"}, {f.c.lbQualität(1), "Zurück am"}};
    const QLabel* davor = nullptr;
    for (const auto& [kopf, wort] : köpfe) {
        EXPECT_EQ(kopf->text(), wort);
        EXPECT_TRUE(kopf->isVisible());
        const QFontMetrics masse = kopf->fontMetrics();
        EXPECT_GE(kopf->contentsRect().width(), masse.horizontalAdvance(wort)) << wort.toStdString() << " is cut";
        if (davor) {
            EXPECT_GE(kopf->x(), davor->x() + davor->fontMetrics().horizontalAdvance(davor->text())
                                     + masse.horizontalAdvance(u' '))
                << wort.toStdString() << " crowds the header before it";
        }
        davor = kopf;
    }
    EXPECT_GE(f.c.lbQualität(1)->x(), vb::pixel(6600));
    EXPECT_TRUE(f.c.lbMappe(1)->isHidden());

    f.przAlleListe();
    EXPECT_EQ(f.c.lbFormat(1)->geometry(), format);
    EXPECT_EQ(f.c.lbQualität(1)->geometry(), qualität);
    EXPECT_EQ(f.c.lbCat(1)->width(), vb::rechteck({3480, 3600, 1620, 240}).width());
}

TEST(Ausleihe, TheHistoryWithoutALogSaysSoAndGoesOn)
{
    Filmkatalog k;
    k.ausführen("DROP TABLE Ausleihe");
    frmFilme& f = zeigen(k, "Alien");
    f.c.cmdAusgeliehen->click();
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_EQ(letzte(k).prompt, "Die  gibt es noch nicht.");
    EXPECT_EQ(letzte(k).title, "Keine ");
    EXPECT_EQ(letzte(k).flags, sys::mb::Critical);
    EXPECT_TRUE(k.zeilen().isEmpty());
    EXPECT_FALSE(f.c.cmdAusgeliehen->isEnabled());
}

TEST(Ausleihe, TheOverdueMenuNamesAnIntervalThatIsNoNumber)
{
    Filmkatalog k("[Funktionen]\r\nErinnerungsintervall=zwei Wochen\r\n");
    frmFilme& f = zeigen(k, "Alien");
    f.c.mnuÜberfälligeAusleihen->trigger();
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_EQ(letzte(k).prompt, "Das Erinnerungsintervall \"zwei Wochen\" ist keine Zahl.");
    EXPECT_EQ(letzte(k).title, "überfällige Ausleihen");
    EXPECT_EQ(letzte(k).flags, sys::mb::Exclamation);
    EXPECT_TRUE(k.zeilen().isEmpty());
}

TEST(Ausleihe, TheOverdueMenuListsTheOpenRowsBeforeTheCutoff)
{
    Filmkatalog k("[Funktionen]\r\nErinnerungsintervall=14\r\n");
    k.ausführen("INSERT INTO Ausleihe VALUES ('Aliens', 'Bernd', '25.11.2026', Null), "
                "('Mask', 'Bernd', '24.11.2026', Null)");
    frmFilme& f = zeigen(k, "Alien");
    f.c.mnuÜberfälligeAusleihen->trigger();
    EXPECT_TRUE(k.fake.messages.shown.empty());
    EXPECT_EQ(k.titel(), (QStringList{"Ocean's Eleven", "Mask"})) << "exactly 14 days is not overdue";
    EXPECT_TRUE(f.c.lfListe->isEnabled());
}

TEST(Ausleihe, TheStatisticsOfAnEmptyLogNeverShowAWindow)
{
    Filmkatalog k;
    k.ausführen("DELETE FROM Ausleihe");
    frmFilme& f = k.fenster();
    f.c.mnuAusleiheStatistik->trigger();
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_EQ(letzte(k).title, "Keine Daten!");
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_NE(w->objectName(), "frmStatistikAusleihe");
}

TEST(Ausleihe, TheFolderButtonOpensTheFolderWindowOnce)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.cmdMappe->click();
    f.c.cmdMappe->click();
    int offen = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QDialog*>(w); m && m->objectName() == "frmMappe" && m->isVisible())
            ++offen;
    EXPECT_EQ(offen, 1);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "frmMappe")
            w->close();
}

TEST(Ausleihe, AReturnUnderANewTitleTakesItsSubEntriesAlongAndClosesTheOldRows)
{
    Filmkatalog k;
    k.ausführen("UPDATE Filme SET Wer = 'Bernd', AusDatum = '01.12.2026' WHERE Titel = 'Matrix'");
    k.ausführen("UPDATE Unterordner SET Wer = 'Bernd'");
    k.ausführen("INSERT INTO Ausleihe VALUES ('Matrix', 'Bernd', '01.12.2026', Null)");
    frmFilme& f = zeigen(k, "Matrix");
    f.c.tfTitel->setText("Matrix Reloaded");
    f.c.back->click();
    EXPECT_EQ(letzte(k).prompt, "Datensatz wurde gespeichert!");
    EXPECT_EQ(roh(k.folder.file("filme.mdb"), "SELECT Titel, Titel2, Wer FROM Unterordner ORDER BY Titel2"),
              (std::vector<QStringList>{{"Matrix Reloaded", "Matrix Teil 1", "-"},
                                        {"Matrix Reloaded", "Matrix Teil 2", "-"}}));
    EXPECT_EQ(log(k).back(), (QStringList{"Matrix", "Bernd", "01.12.2026", "09.12.2026"}));
    EXPECT_EQ(spalte(k, "Filme", "Wer", "Matrix Reloaded"), "-");
    EXPECT_EQ(integrität(k), "ok");
}

// A return frees the title's sub-entries of that borrower whatever the title's
// sub-entry mark says; only the mark "1" carries a changed title and folder
// to them, as an edit does. The mark itself stays as it was stored.
struct Unterordnermarke {
    const char* name;
    QVariant marke;
    bool folgen;  // the sub-entries take the new title and folder
};

class RückgabeMitMarke : public testing::TestWithParam<Unterordnermarke> {};

TEST_P(RückgabeMitMarke, FreesTheSubEntriesAndCarriesTheNameOnlyWithOne)
{
    const Unterordnermarke& fall = GetParam();
    Filmkatalog k;
    k.ausführen("UPDATE Filme SET Wer = 'Bernd', AusDatum = '01.12.2026', Unterordner = ? WHERE Titel = 'Matrix'",
                {fall.marke});
    k.ausführen("UPDATE Unterordner SET Wer = 'Bernd'");
    k.ausführen("INSERT INTO Ausleihe VALUES ('Matrix', 'Bernd', '01.12.2026', Null)");
    frmFilme& f = zeigen(k, "Matrix");
    ASSERT_FALSE(f.c.back->isHidden());
    ersetzenImFokus(f.c.tfTitel, "Matrix Reloaded");
    ersetzenImFokus(f.c.tfMappe, "Z");
    f.c.back->click();

    EXPECT_EQ(k.fake.messages.prompts(), QStringList{"Datensatz wurde gespeichert!"});
    EXPECT_EQ(roh(k.folder.file("filme.mdb"),
                  "SELECT Titel, Wer, AusDatum, Mappe, coalesce(Unterordner, '<null>') FROM Filme "
                  "WHERE Titel LIKE 'Matrix%' ORDER BY Titel"),
              (std::vector<QStringList>{{"Matrix 2", "Maximilian Mustermann", "-", "A", "-"},
                                        {"Matrix Reloaded", "-", "-", "Z",
                                         fall.marke.isNull() ? QStringLiteral("<null>") : fall.marke.toString()}}));
    const QString titel = fall.folgen ? QStringLiteral("Matrix Reloaded") : QStringLiteral("Matrix");
    EXPECT_EQ(roh(k.folder.file("filme.mdb"), "SELECT Titel, Titel2, Mappe, Wer FROM Unterordner ORDER BY Titel2"),
              (std::vector<QStringList>{{titel, "Matrix Teil 1", fall.folgen ? "Z" : "A", "-"},
                                        {titel, "Matrix Teil 2", fall.folgen ? "Z" : "<null>", "-"}}));
    EXPECT_EQ(log(k).back(), (QStringList{"Matrix", "Bernd", "01.12.2026", "09.12.2026"}));
    EXPECT_EQ(integrität(k), "ok");
    erwarteZustand(f, {true, true, false, false, false, false}, "returned");
}

INSTANTIATE_TEST_SUITE_P(Marken, RückgabeMitMarke,
                         testing::Values(Unterordnermarke{"Ziffer1", QStringLiteral("1"), true},
                                         Unterordnermarke{"Ziffer0", QStringLiteral("0"), false},
                                         Unterordnermarke{"Ziffer2", QStringLiteral("2"), false},
                                         Unterordnermarke{"Leer", QStringLiteral(""), false},
                                         Unterordnermarke{"SqlNull", QVariant(), false}),
                         [](const auto& fall) { return std::string(fall.param.name); });

// The panel of a started lending and of the history, for a look by eye: RDX_SCREENSHOTS names a folder.
TEST(Ausleihe, Screenshot)
{
    const QString ordner = qEnvironmentVariable("RDX_SCREENSHOTS");
    if (ordner.isEmpty())
        GTEST_SKIP() << "RDX_SCREENSHOTS not set";
    QDir().mkpath(ordner);
    // As installed: the shipped language file gives the history its headers.
    Filmkatalog k("[Design]\r\nSprache=deutsch.lng\r\n");
    QFile::copy(QStringLiteral(RDX_SOURCE_DIR "/data/deutsch.lng"), k.folder.file("deutsch.lng"));
    frmFilme& f = zeigen(k, "Alien 3");
    f.show();
    f.c.cmdAusleihen->click();
    f.c.cmbWer1->setText("Bernd");
    f.grab().save(ordner + "/frmFilme_Ausleihe.png");
    titelKlicken(k, "Ocean's Eleven");
    f.c.cmdAusgeliehen->click();
    f.grab().save(ordner + "/frmFilme_Ausleiher.png");
    f.close();
}
