// Typing into the detail panel: the edit combo boxes' type-ahead, cap and
// picker, the key filters of the entry fields, Enter, and the field buttons.
#include "tests/catalogue/Bearbeitung.h"

#include "frame/Eingabekombi.h"
#include "tests/support/Kombis.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const ShownMessage& letzte(const Filmkatalog& k)
{
    static const ShownMessage keine;
    return k.fake.messages.shown.empty() ? keine : k.fake.messages.shown.back();
}

QString ausgewählt(const vb::ComboBox* box)
{
    return box->lineEdit()->selectedText();
}

}  // namespace

struct Tippfall {
    const char* name;
    const char* box;
    const char* ziel;
    QStringList liste;
    const char* tasten;
    const char* text;
    const char* auswahl;
    const char* zielText;
};

class Vervollständigung : public testing::TestWithParam<Tippfall> {};

TEST_P(Vervollständigung, TextSelectionAndTarget)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.Neu->click();
    const Tippfall& fall = GetParam();
    auto* box = f.findChild<vb::ComboBox*>(QString::fromUtf8(fall.box));
    auto* ziel = f.findChild<QLineEdit*>(QString::fromUtf8(fall.ziel));
    ASSERT_TRUE(box && ziel);
    box->clear();
    box->addItems(fall.liste);
    tippenImFokus(box, QString::fromUtf8(fall.tasten));
    EXPECT_EQ(box->currentText(), QString::fromUtf8(fall.text));
    EXPECT_EQ(ausgewählt(box), QString::fromUtf8(fall.auswahl));
    EXPECT_EQ(ziel->text(), QString::fromUtf8(fall.zielText)) << "the target holds what the box shows";
}

const QStringList Formate = {"DVD", "DVD-R", "VCD"};

INSTANTIATE_TEST_SUITE_P(
    Tasten, Vervollständigung,
    testing::Values(
        Tippfall{"ErsterBuchstabe", "cmbFormat1", "tfFormat", Formate, "D", "DVD", "VD", "DVD"},
        Tippfall{"TippenErsetztDieAuswahl", "cmbFormat1", "tfFormat", Formate, "DV", "DVD", "D", "DVD"},
        Tippfall{"RuecktasteWirdNichtWiederErgaenzt", "cmbFormat1", "tfFormat", Formate, "DV\b", "DV", "", "DV"},
        Tippfall{"ZweiteRuecktasteErgaenztWieder", "cmbFormat1", "tfFormat", Formate, "DV\b\b", "DVD", "VD", "DVD"},
        Tippfall{"GeleertBleibtLeer", "cmbFormat1", "tfFormat", Formate, "D\b\b", "", "", ""},
        Tippfall{"NachDemLeerenErgaenztWieder", "cmbFormat1", "tfFormat", Formate, "D\b\bD", "DVD", "VD", "DVD"},
        Tippfall{"KleinbuchstabeErgaenztNicht", "cmbFormat1", "tfFormat", Formate, "d", "d", "", "d"},
        Tippfall{"MusterzeichenSindBuchstaben", "cmbFormat1", "tfFormat", {"[x", "#1", "?"}, "[", "[x", "x", "[x"},
        Tippfall{"RauteIstKeineZiffer", "cmbFormat1", "tfFormat", {"71", "#1"}, "#", "#1", "1", "#1"},
        Tippfall{"OhneTrefferBleibtDerText", "cmbFormat1", "tfFormat", Formate, "X", "X", "", "X"},
        Tippfall{"KappeBeimTippen", "cmbQualität1", "tfQualität", {}, "12345", "1234", "", "1234"},
        Tippfall{"KappeBeimErgaenzen", "cmbCat1", "tfCat", {"Science-Fiction-Abenteuer"}, "S",
                 "Science-Fiction-Aben", "cience-Fiction-Aben", "Science-Fiction-Aben"},
        Tippfall{"EnterMitLeeremText", "cmbMappe1", "tfMappe", {"A"}, "\r", "", "", ""}),
    [](const testing::TestParamInfo<Tippfall>& fall) { return std::string(fall.param.name); });

TEST(Eingabekombi, EnterAddsANewValueOnceAndSelectsIt)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.Neu->click();
    f.c.cmbFormat1->clear();
    f.c.cmbFormat1->addItems(Formate);
    tippenImFokus(f.c.cmbFormat1, "X\r");
    EXPECT_EQ(f.c.cmbFormat1->count(), 4);
    EXPECT_EQ(f.c.cmbFormat1->itemText(3), "X");
    EXPECT_EQ(ausgewählt(f.c.cmbFormat1), "X");
    EXPECT_EQ(f.c.tfFormat->text(), "X");
    tippenImFokus(f.c.cmbFormat1, "\r");
    EXPECT_EQ(f.c.cmbFormat1->count(), 4) << "a value in the list is not added again";
}

// Releasing a key that types nothing leaves the box as the last letter left it:
// Backspace then takes the completion back.
class TasteOhneZeichen : public testing::TestWithParam<std::pair<const char*, Qt::Key>> {};

TEST_P(TasteOhneZeichen, ErgaenztNichtNochEinmal)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.Neu->click();
    f.c.cmbFormat1->clear();
    f.c.cmbFormat1->addItems(Formate);
    tippenImFokus(f.c.cmbFormat1, "D");
    taste(QApplication::focusWidget(), GetParam().second, QString());
    EXPECT_EQ(ausgewählt(f.c.cmbFormat1), "VD");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    EXPECT_EQ(f.c.cmbFormat1->currentText(), "D");
    EXPECT_EQ(ausgewählt(f.c.cmbFormat1), "");
    EXPECT_EQ(f.c.tfFormat->text(), "D");
}

INSTANTIATE_TEST_SUITE_P(Tasten, TasteOhneZeichen,
                         testing::Values(std::pair{"Shift", Qt::Key_Shift}, std::pair{"Strg", Qt::Key_Control},
                                         std::pair{"AltGr", Qt::Key_AltGr},
                                         std::pair{"Feststell", Qt::Key_CapsLock},
                                         std::pair{"TotesZirkumflex", Qt::Key_Dead_Circumflex}),
                         [](const auto& fall) { return std::string(fall.param.first); });

TEST(Eingabekombi, AnEmptiedFormatIsSavedAsTheEmptyMarker)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.przAlleListe();
    f.c.Neu->click();
    f.c.tfTitel->setText("Ohne Format");
    tippenImFokus(f.c.cmbFormat1, "D");
    ASSERT_FALSE(ausgewählt(f.c.cmbFormat1).isEmpty()) << "the catalogue holds a format beginning with D";
    tippenImFokus(f.c.cmbFormat1, "\b\b");
    EXPECT_EQ(f.c.cmbFormat1->currentText(), "");
    f.c.Speichern->click();
    EXPECT_EQ(spalte(k, "Filme", "Format", "Ohne Format"), "-");
}

TEST(Eingabekombi, APickIsCappedBeforeItReachesTheField)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.Neu->click();
    f.c.cmbCat1->clear();
    f.c.cmbCat1->addItems({"Kurz", "Mehr als zwanzig Zeichen"});
    f.c.cmbCat1->setCurrentIndex(1);
    emit f.c.cmbCat1->activated(1);
    EXPECT_EQ(f.c.tfCat->text(), "Mehr als zwanzig Zei");
    EXPECT_EQ(f.c.cmbCat1->currentText(), "Mehr als zwanzig Zei");
}

TEST(Eingabekombi, ATypedWordReachesTheSaveWithoutEnter)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.przAlleListe();
    f.c.Neu->click();
    f.c.tfTitel->setText("Ohne Enter");
    f.c.cmbWer1->clear();
    tippenImFokus(f.c.cmbWer1, "Eva");
    f.c.Speichern->click();
    EXPECT_EQ(spalte(k, "Filme", "Wer", "Ohne Enter"), "Eva");
}

// Pasted text in the fields of the panel: the one-line fields take a line
// break, tab or bell as a blank; the info memo keeps its lines.
TEST(Einfügen, PastedLineBreaksBecomeBlanksInOneLineFieldsAndStayInTheInfo)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.przAlleListe();
    f.c.Neu->click();
    const auto einfügen = [](QWidget* feld, const QString& text) {
        QApplication::clipboard()->setText(text);
        fokussieren(feld);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    };
    einfügen(f.c.tfTitel, QStringLiteral("Zeile1\r\nZeile2\t\a\u2026"));
    einfügen(f.c.cmbWer1, QStringLiteral("Karl\nMüller"));
    einfügen(f.c.cmbCat1, QStringLiteral("Sci\tFi"));
    einfügen(f.c.tfInfo, QStringLiteral("Erste Zeile\nZweite Zeile"));
    EXPECT_EQ(f.c.tfTitel->text(), QStringLiteral("Zeile1 Zeile2  \u2026"));
    EXPECT_EQ(f.c.cmbWer1->currentText(), "Karl Müller");
    f.c.Speichern->click();
    const QString titel = QStringLiteral("Zeile1 Zeile2  \u2026");
    EXPECT_EQ(letzte(k).prompt, "'" + titel + "' wurde gespeichert!");
    EXPECT_EQ(spalte(k, "Filme", "Wer", titel), "Karl Müller");
    EXPECT_EQ(spalte(k, "Filme", "Cat", titel), "Sci Fi");
    EXPECT_EQ(spalte(k, "Filme", "Info", titel), "Erste Zeile\nZweite Zeile");
    EXPECT_EQ(integrität(k), "ok");
}

// A value stored with a line break before the fields kept it out: it shows as
// stored, and an edit of another field writes it back unchanged.
TEST(Einfügen, AStoredLineBreakKeepsItsBytesThroughAnEdit)
{
    Filmkatalog k;
    const QString gespeichert = QStringLiteral("Zeile1\nZeile2");
    k.ausführen("INSERT INTO Filme (Titel, Anzahl, Format, Qualität, Mappe, Wer, Info, Dten, Cat, AusDatum, Cover, "
                "Size, Unterordner) VALUES (?, 1, 'DVD', '1', 'A', '-', '-', '-', '-', '-', '-', '0', '-')",
                {gespeichert});
    frmFilme& f = zeigen(k, gespeichert);
    EXPECT_EQ(f.c.tfTitel->text(), gespeichert);
    ersetzenImFokus(f.c.tfMappe, "B");
    f.c.cmdEdit->click();
    EXPECT_EQ(letzte(k).prompt, "'" + gespeichert + "' wurde editiert!");
    EXPECT_EQ(spalte(k, "Filme", "Mappe", gespeichert), "B");
    EXPECT_EQ(roh(k.folder.file("filme.mdb"), "SELECT count(*) FROM Filme WHERE Titel = 'Zeile1' || char(10) || 'Zeile2'"),
              std::vector<QStringList>{{"1"}});
}

TEST(Eingabekombi, EnterMovesToTheNextBoxOfTheTable)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.show();
    QApplication::setActiveWindow(&f);
    f.c.Neu->click();
    const std::pair<vb::ComboBox*, QWidget*> schritte[] = {
        {f.c.cmbFormat1, f.c.cmbQualität1}, {f.c.cmbMappe1, f.c.cmbAnzahl1}, {f.c.cmbAnzahl1, f.c.cmbCat1},
        {f.c.cmbCat1, f.c.cmbDten1},        {f.c.cmbDten1, f.c.Speichern},   {f.c.cmbWer1, f.c.cmdspeichern},
    };
    for (const auto& [box, weiter] : schritte) {
        tippenImFokus(box, "x\r");
        EXPECT_EQ(QApplication::focusWidget(), weiter) << box->objectName().toStdString();
    }
    // Quality leads on by the filter box of the folder.
    f.c.cmbMappe->setVisible(false);
    tippenImFokus(f.c.cmbQualität1, "1\r");
    EXPECT_EQ(QApplication::focusWidget(), f.c.cmbMappe1);
    f.c.cmbMappe->setVisible(true);
    tippenImFokus(f.c.cmbQualität1, "\r");
    EXPECT_EQ(QApplication::focusWidget(), f.c.cmbAnzahl1);
    f.hide();
}

TEST(Eingabekombi, ARefillOfTheListLeavesTheFieldsAlone)
{
    Filmkatalog k;
    frmFilme& f = zeigen(k, "Alien");
    f.przCombosFüllen();
    EXPECT_EQ(f.c.tfFormat->text(), "DVD");
    EXPECT_EQ(f.c.tfCat->text(), "Science Fiction Akt") << "a stored text longer than the cap stays whole";
}

TEST(Eingabekombi, TheFirstMatchIsLiteralAndCaseSensitive)
{
    vb::ComboBox box;
    box.addItems({"dvd", "DVD", "D*", "[a"});
    EXPECT_EQ(frame::ersterTreffer(box, "D"), 1);
    EXPECT_EQ(frame::ersterTreffer(box, "D*"), 2);
    EXPECT_EQ(frame::ersterTreffer(box, "["), 3);
    EXPECT_EQ(frame::ersterTreffer(box, "x"), -1);
}

// ---- Key filters ----

struct Tastenfall {
    const char* name;
    const char* feld;
    const char* tasten;
    const char* ergebnis;
};

class Tastenfilter : public testing::TestWithParam<Tastenfall> {};

TEST_P(Tastenfilter, KeepsOrDropsEachKey)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    auto* feld = f.findChild<QLineEdit*>(QString::fromUtf8(GetParam().feld));
    ASSERT_TRUE(feld);
    feld->clear();
    tippen(feld, QString::fromUtf8(GetParam().tasten));
    EXPECT_EQ(feld->text(), QString::fromUtf8(GetParam().ergebnis));
}

INSTANTIATE_TEST_SUITE_P(
    Felder, Tastenfilter,
    testing::Values(Tastenfall{"MappeOhneUmlautUndStrich", "tfMappe", "Aäöü-ß/_z7 .,", "Az7 .,"},
                    Tastenfall{"QualitaetNurTextzeichen", "tfQualität", "1,5ü", "1,5"},
                    Tastenfall{"AnzahlNimmtBuchstaben", "tfAnzahl", "2x", "2x"},
                    Tastenfall{"FormatGrossgeschrieben", "tfFormat", "DVD AUDIO", "DVD AUDIO"},
                    Tastenfall{"FormatHoechstensZehn", "tfFormat", "SVCD MVCD XVID", "SVCD MVCD "},
                    Tastenfall{"FormatGemischtNicht", "tfFormat", "Audio", "Ai"},
                    Tastenfall{"FormatKleinesMp3", "tfFormat", "mp3dvd", "mp3"},
                    Tastenfall{"GroesseNurZahlen", "tfSize", "-1a4,7.0", "14,7.0"},
                    Tastenfall{"RuecktasteImmer", "tfMappe", "ab\b", "a"},
                    Tastenfall{"TitelOhneFilter", "tfTitel", "Ärger-ß", "Ärger-ß"},
                    Tastenfall{"AusleihdatumOhneFilter", "tfDatumAusleihe", "1.2.-x", "1.2.-x"}),
    [](const testing::TestParamInfo<Tastenfall>& fall) { return std::string(fall.param.name); });

TEST(Tastenfilter, PasteKeysAndComposedCharactersAreRefusedInFilteredFields)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    QApplication::clipboard()->setText("Kopie");
    for (QLineEdit* feld : {f.c.tfMappe, f.c.tfTitel}) {
        feld->clear();
        taste(feld, Qt::Key_V, QStringLiteral("\x16"), Qt::ControlModifier);
        QInputMethodEvent toter;
        toter.setCommitString(QStringLiteral("é"));
        QCoreApplication::sendEvent(feld, &toter);
    }
    EXPECT_EQ(f.c.tfMappe->text(), "") << "Ctrl+V and a dead-key é are dropped";
    EXPECT_EQ(f.c.tfTitel->text(), "Kopieé") << "the title has no filter";
}

TEST(Tastenfilter, AnyKeyInTheTitleEnablesBothSaveButtons)
{
    Filmkatalog k("[Funktionen]\r\nEditMode=1\r\n");
    frmFilme& f = k.fenster();
    f.c.Speichern->setEnabled(false);
    f.c.cmdSpeichern2->setEnabled(false);
    tippen(f.c.tfTitel, "a");
    EXPECT_TRUE(f.c.Speichern->isEnabled());
    EXPECT_TRUE(f.c.cmdSpeichern2->isEnabled());
}

TEST(Tastenfilter, EnterMovesOnThroughTheFieldsAndLooksUpTheTitle)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.show();
    QApplication::setActiveWindow(&f);
    // The empty panel of the start takes a new record in its text boxes.
    ASSERT_TRUE(f.c.cmbFormat1->isHidden());
    f.c.tfFormat->setFocus();
    tippen(f.c.tfFormat, "\r");
    EXPECT_EQ(QApplication::focusWidget(), f.c.tfQualität);
    tippen(f.c.tfQualität, "\r");
    EXPECT_EQ(QApplication::focusWidget(), f.c.tfMappe);
    tippen(f.c.tfMappe, "\r");
    EXPECT_EQ(QApplication::focusWidget(), f.c.tfAnzahl);
    tippen(f.c.tfAnzahl, "\r");
    EXPECT_EQ(QApplication::focusWidget(), f.c.Speichern);
    f.c.tfTitel->setText("Alien");
    f.c.cmdSize->click();
    f.c.tfSize->setFocus();
    tippen(f.c.tfSize, "\r");
    EXPECT_EQ(QApplication::focusWidget(), f.c.tfSize) << "Enter in the size does nothing";

    f.c.tfTitel->setText("Alien");
    tippen(f.c.tfTitel, "\r");
    EXPECT_EQ(f.c.tfFormat->text(), "DVD") << "Enter in the title looks it up";
    f.hide();
}

TEST(Feldknöpfe, SizeAndLanguageNeedARecord)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.c.tfSize->setVisible(false);
    f.c.cmdSize->click();
    f.c.cmddten->click();
    ASSERT_EQ(k.fake.messages.shown.size(), 2u);
    EXPECT_EQ(k.fake.messages.shown[0].prompt, "Kein Datensatz!");
    EXPECT_EQ(k.fake.messages.shown[0].title, "CD Größe");
    EXPECT_EQ(k.fake.messages.shown[1].title, "Sprachfunktion");
    EXPECT_TRUE(f.c.tfSize->isHidden());
    f.c.tfTitel->setText("Alien");
    f.c.cmdSize->click();
    f.c.cmddten->click();
    EXPECT_FALSE(f.c.tfSize->isHidden());
    EXPECT_FALSE(f.c.cmbDten1->isHidden());
    EXPECT_FALSE(f.c.tfdten->isHidden());
}

// The panel in entry mode for a look by eye: RDX_SCREENSHOTS names a folder.
TEST(Eingabe, Screenshot)
{
    const QString ziel = qEnvironmentVariable("RDX_SCREENSHOTS");
    if (ziel.isEmpty())
        GTEST_SKIP() << "RDX_SCREENSHOTS not set";
    QDir().mkpath(ziel);
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.show();
    f.przAlleListe();
    f.c.Neu->click();
    tippen(f.c.tfTitel, "Neuer Film");
    tippenImFokus(f.c.cmbFormat1, "D");
    f.grab().save(ziel + "/frmFilme_Neu.png");
    // A disc's names in the info box, a category of fifteen letters.
    ersetzenImFokus(f.c.cmbCat1, "Science-Fiction");
    scanÜbergeben(f, {"Film.avi:700", "Extras:12", "Trailer.mpg:30"}, false);
    f.grab().save(ziel + "/frmFilme_Scaninfo.png");
    titelKlicken(k, "Matrix");
    f.c.cmdUnterordner->click();
    f.c.lfListe2->setCurrentRow(0);
    f.grab().save(ziel + "/frmFilme_Unterordner.png");
}
