// Closing the main window while the panel holds what no button stored: the
// question, and what each answer does to the window and the catalogue.
#include "tests/catalogue/Bearbeitung.h"
#include "tests/support/Kombis.h"

#include <QWindow>
#include <gtest/gtest.h>

#include <functional>

using namespace testing_support;

namespace {

// The ways a user closes the window: the close box and Alt+F4 reach it as the
// window system's close request, "Beenden" through the menu.
struct Weg {
    const char* name;
    std::function<void(frmFilme&)> schliessen;
};

const Weg Wege[] = {
    {"Schliessfeld", [](frmFilme& f) { f.windowHandle()->close(); }},
    {"Beenden", [](frmFilme& f) { f.c.mnuBeenden->trigger(); }},
};

// A record in the panel, changed as a user changes it; `gespeichert` reads
// from the catalogue what "Ja" must have stored.
struct Eingabefall {
    const char* name;
    const char* titel;  // in the question
    std::function<void(Filmkatalog&, frmFilme&)> ändern;
    std::function<QString(const Filmkatalog&)> gespeichert;
    const char* erwartet;     // after "Ja"
    const char* unverändert;  // after "Nein" or "Abbrechen"
};

QString unterSpalte(const Filmkatalog& k, const char* spalteName, const char* name)
{
    const auto z = roh(k.folder.file("filme.mdb"),
                       QStringLiteral("SELECT %1 FROM Unterordner WHERE Titel2 = '%2'").arg(spalteName, name));
    return z.empty() ? QString() : z[0].value(0);
}

const Eingabefall Eingaben[] = {
    {"Editieren", "Matrix",
     [](Filmkatalog& k, frmFilme&) {
         zeigen(k, "Matrix");
         überschreibenImFokus(k.f->c.tfMappe, "Z");
     },
     [](const Filmkatalog& k) { return spalte(k, "Filme", "Mappe", "Matrix"); }, "Z", "A"},
    {"Neu", "Neuer Film",
     [](Filmkatalog&, frmFilme& f) {
         f.c.Neu->click();
         tippenImFokus(f.c.tfTitel, "Neuer Film");
         tippenImFokus(f.c.cmbFormat1, "VCD");
     },
     [](const Filmkatalog& k) { return spalte(k, "Filme", "Format", "Neuer Film"); }, "VCD", ""},
    {"NeuerUnterordner", "Alien Bonus",
     [](Filmkatalog& k, frmFilme& f) {
         zeigen(k, "Alien");
         f.c.cmdNeu2->click();
         ersetzenImFokus(f.c.tfTitel, "Alien Bonus");
     },
     [](const Filmkatalog& k) { return unterSpalte(k, "Titel", "Alien Bonus"); }, "Alien", ""},
    {"Unterordner", "Matrix Teil 2",
     [](Filmkatalog& k, frmFilme& f) {
         zeigen(k, "Matrix");
         f.c.cmdUnterordner->click();
         for (int i = 0; i < f.c.lfListe2->count(); ++i)
             if (f.c.lfListe2->item(i)->text().startsWith("Matrix Teil 2"))
                 f.c.lfListe2->setCurrentRow(i);
         ASSERT_EQ(f.c.tfTitel->text(), "Matrix Teil 2");
         überschreibenImFokus(f.c.tfFormat, "SVCD");
     },
     [](const Filmkatalog& k) { return unterSpalte(k, "Format", "Matrix Teil 2"); }, "SVCD", "DVD"},
    {"Ausleihe", "Alien",
     [](Filmkatalog& k, frmFilme& f) {
         zeigen(k, "Alien");
         f.c.cmdAusleihen->click();
         tippenImFokus(f.c.cmbWer1, "Eva");
     },
     [](const Filmkatalog& k) {
         return spalte(k, "Filme", "Wer", "Alien") + u'|'
                + rohWert(k.folder.file("filme.mdb"), "SELECT count(*) FROM Ausleihe WHERE Titel = 'Alien' AND "
                                                      "Wer = 'Eva' AND EinDT IS NULL");
     },
     "Eva|1", "-|0"},
};

struct Schliessfall {
    Weg weg;
    Eingabefall eingabe;
    int antwort;
};

std::string fallName(const testing::TestParamInfo<Schliessfall>& info)
{
    const char* antwort = info.param.antwort == sys::mb::Yes ? "Ja" : info.param.antwort == sys::mb::No ? "Nein"
                                                                                                     : "Abbrechen";
    return std::string(info.param.weg.name) + info.param.eingabe.name + antwort;
}

std::vector<Schliessfall> schliessfälle()
{
    std::vector<Schliessfall> fälle;
    for (const Weg& w : Wege)
        for (const Eingabefall& e : Eingaben)
            for (int antwort : {sys::mb::Yes, sys::mb::No, sys::mb::Cancel})
                fälle.push_back({w, e, antwort});
    return fälle;
}

void PrintTo(const Schliessfall& f, std::ostream* os)
{
    *os << f.weg.name << " " << f.eingabe.name << " " << f.antwort;
}

class Schliessen : public testing::TestWithParam<Schliessfall> {};

}  // namespace

TEST_P(Schliessen, AsksAndDoesWhatTheAnswerSays)
{
    const Schliessfall& fall = GetParam();
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.show();
    f.przAlleListe();
    fall.eingabe.ändern(k, f);
    const QString getippt = f.c.tfTitel->text();
    const std::size_t vorher = k.fake.messages.shown.size();
    k.fake.messages.answer(fall.antwort);
    fall.weg.schliessen(f);

    ASSERT_GT(k.fake.messages.shown.size(), vorher);
    const ShownMessage& frage = k.fake.messages.shown[vorher];
    EXPECT_EQ(frage.prompt, QStringLiteral("Änderungen an \"%1\" speichern?").arg(QString::fromUtf8(fall.eingabe.titel)));
    EXPECT_EQ(frage.flags, sys::mb::YesNoCancel | sys::mb::Question);
    const QString stand = fall.eingabe.gespeichert(k);
    if (fall.antwort == sys::mb::Yes) {
        EXPECT_EQ(stand, QString::fromUtf8(fall.eingabe.erwartet));
        EXPECT_FALSE(f.isVisible()) << "stored, the program ends";
    } else {
        EXPECT_EQ(stand, QString::fromUtf8(fall.eingabe.unverändert));
        EXPECT_EQ(f.isVisible(), fall.antwort == sys::mb::Cancel);
    }
    if (fall.antwort == sys::mb::Cancel) {
        EXPECT_EQ(f.c.tfTitel->text(), getippt) << "the window keeps what was typed";
    }
    EXPECT_EQ(integrität(k), "ok");
}

INSTANTIATE_TEST_SUITE_P(Fenster, Schliessen, testing::ValuesIn(schliessfälle()), fallName);

// What was loaded and not changed, or an empty panel, closes without a question.
TEST(Schliessen, WithoutAChangeTheWindowClosesAtOnce)
{
    for (const bool geändertUndZurück : {false, true}) {
        Filmkatalog k;
        frmFilme& f = zeigen(k, "Matrix");
        f.show();
        if (geändertUndZurück) {
            überschreibenImFokus(f.c.tfMappe, "Z");
            überschreibenImFokus(f.c.tfMappe, "A");
        }
        f.close();
        EXPECT_FALSE(f.isVisible());
        EXPECT_TRUE(k.fake.messages.shown.empty()) << "a field typed back to what it held is no change";
    }
    Filmkatalog leer;
    frmFilme& f = leer.fenster();
    f.show();
    f.c.Neu->click();
    f.c.mnuBeenden->trigger();
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(leer.fake.messages.shown.empty()) << "Neu alone begins nothing to store";
}

// "Ja" stores as the record's button would: a refused save keeps the window
// open with what was typed, and says why.
TEST(Schliessen, ASaveTheCatalogueRefusesKeepsTheWindowOpen)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.show();
    f.przAlleListe();
    const auto vorher = katalogInhalt(k);
    f.c.Neu->click();
    tippenImFokus(f.c.tfTitel, "Aliens");
    k.fake.messages.answer(sys::mb::Yes);
    f.close();
    EXPECT_TRUE(f.isVisible());
    erwarteVerweigert(k, "Aliens", "Speichern", vorher, "Einen Titel \"Aliens\" gibt es schon.");
    EXPECT_EQ(f.c.tfTitel->text(), "Aliens");

    // An emptied title cannot be stored either; the window says so and stays.
    ersetzenImFokus(f.c.tfTitel, "  ");
    k.fake.messages.answer(sys::mb::Yes);
    f.c.mnuBeenden->trigger();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(k.fake.messages.shown.back().flags, sys::mb::Exclamation);
    EXPECT_EQ(katalogInhalt(k), vorher);

    k.fake.messages.answer(sys::mb::No);
    f.close();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(katalogInhalt(k), vorher);
}

// The tools program ends this window too: it asks first, and Abbrechen starts nothing.
TEST(Schliessen, ToolsAsksBeforeItStarts)
{
    Filmkatalog k;
    frmFilme& f = zeigen(k, "Matrix");
    f.show();
    überschreibenImFokus(f.c.tfMappe, "Z");
    k.fake.messages.answer(sys::mb::Cancel);
    f.c.mnuTools->trigger();
    EXPECT_TRUE(k.fake.shell.started.isEmpty());
    EXPECT_TRUE(f.isVisible());
    k.fake.messages.answer(sys::mb::Yes);
    f.c.mnuTools->trigger();
    EXPECT_EQ(k.fake.shell.started.size(), 1);
    EXPECT_EQ(spalte(k, "Filme", "Mappe", "Matrix"), "Z");
}

namespace {

// What a button of the record stored is no change any more: the window closes
// without a question.
struct Gespeichert {
    const char* name;
    std::function<void(Filmkatalog&, frmFilme&)> speichern;
};

std::string speicherName(const testing::TestParamInfo<Gespeichert>& i)
{
    return i.param.name;
}

const Gespeichert Speicherwege[] = {
    {"Speichern",
     [](Filmkatalog&, frmFilme& f) {
         f.c.Neu->click();
         tippenImFokus(f.c.tfTitel, "Neuer Film");
         f.c.Speichern->click();
     }},
    {"Editieren",
     [](Filmkatalog& k, frmFilme& f) {
         zeigen(k, "Matrix");
         überschreibenImFokus(f.c.tfMappe, "Z");
         f.c.cmdEdit->click();
     }},
    {"AusleiheSpeichern",
     [](Filmkatalog& k, frmFilme& f) {
         zeigen(k, "Alien");
         f.c.cmdAusleihen->click();
         tippenImFokus(f.c.cmbWer1, "Eva");
         f.c.cmdspeichern->click();
     }},
    {"UnterordnerSpeichern",
     [](Filmkatalog& k, frmFilme& f) {
         zeigen(k, "Alien");
         f.c.cmdNeu2->click();
         ersetzenImFokus(f.c.tfTitel, "Alien Bonus");
         f.c.cmdSpeichern2->click();
     }},
    {"UnterordnerEditieren",
     [](Filmkatalog& k, frmFilme& f) {
         zeigen(k, "Matrix");
         f.c.cmdUnterordner->click();
         for (int i = 0; i < f.c.lfListe2->count(); ++i)
             if (f.c.lfListe2->item(i)->text().startsWith("Matrix Teil 2"))
                 f.c.lfListe2->setCurrentRow(i);
         überschreibenImFokus(f.c.tfFormat, "SVCD");
         f.c.cmdEditieren2->click();
     }},
};

class SchliessenNachDemSpeichern : public testing::TestWithParam<Gespeichert> {};

}  // namespace

TEST_P(SchliessenNachDemSpeichern, ClosesAtOnce)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.show();
    f.przAlleListe();
    GetParam().speichern(k, f);
    const std::size_t vorher = k.fake.messages.shown.size();
    f.close();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(k.fake.messages.shown.size(), vorher) << k.fake.messages.shown.back().prompt.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Fenster, SchliessenNachDemSpeichern, testing::ValuesIn(Speicherwege), speicherName);

// In Edit Mode a title stored with size "0" keeps the size in the field. The
// size the title before showed is nothing the user did; a scanned one is what
// "Editieren" would store, and the close asks for it.
TEST(Schliessen, InEditModeOnlyAScannedSizeKeptInTheFieldIsAChange)
{
    {
        Filmkatalog k("[Funktionen]\r\nEdit Mode=1\r\n");
        frmFilme& f = k.fenster();
        f.show();
        f.przAlleListe();
        titelKlicken(k, "Der Pate");
        titelKlicken(k, "Alien");
        ASSERT_EQ(f.c.tfSize->text(), "4700") << "the field keeps the size of the title before";
        f.close();
        EXPECT_FALSE(f.isVisible());
        EXPECT_TRUE(k.fake.messages.shown.empty()) << "only looked at";
        EXPECT_EQ(spalte(k, "Filme", "Size", "Alien"), "0");
    }
    Filmkatalog k("[Funktionen]\r\nEdit Mode=1\r\n");
    frmFilme& f = k.fenster();
    f.show();
    f.przAlleListe();
    f.c.tfSize->setText("734");
    scanÜbergeben(f, {"film.avi: 734"}, false);
    titelKlicken(k, "Alien");
    titelKlicken(k, "Alien 3");
    ASSERT_EQ(f.c.tfSize->text(), "734");
    k.fake.messages.answer(sys::mb::Cancel);
    f.close();
    ASSERT_EQ(k.fake.messages.shown.size(), 1u);
    EXPECT_EQ(k.fake.messages.shown[0].prompt, "Änderungen an \"Alien 3\" speichern?");
    EXPECT_TRUE(f.isVisible());
}
