// The detail panel in each of its modes, as the keyboard reaches it: every
// box takes what its column holds and no more, and Tab visits only what the
// user sees.
#include "tests/catalogue/Bearbeitung.h"
#include "tests/support/Kombis.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <set>

using namespace testing_support;

namespace {

struct Modus {
    const char* name;
    bool unterordner;  // the panel holds a sub-entry
    std::function<void(Filmkatalog&, frmFilme&)> einstellen;
};

void unterordnerZeigen(frmFilme& f, const QString& name)
{
    for (int i = 0; i < f.c.lfListe2->count(); ++i)
        if (f.c.lfListe2->item(i)->text().startsWith(name))
            f.c.lfListe2->setCurrentRow(i);
    ASSERT_EQ(f.c.tfTitel->text(), name);
}

const Modus Modi[] = {
    {"Start", false, [](Filmkatalog&, frmFilme&) {}},
    {"Anzeige", false,
     [](Filmkatalog& k, frmFilme& f) {
         zeigen(k, "Matrix");
         f.c.cmdSize->click();
     }},
    {"Neu", false, [](Filmkatalog&, frmFilme& f) { f.c.Neu->click(); }},
    {"Ausleihe", false,
     [](Filmkatalog& k, frmFilme& f) {
         zeigen(k, "Alien");
         f.c.cmdAusleihen->click();
     }},
    {"Unterordner", true,
     [](Filmkatalog& k, frmFilme& f) {
         zeigen(k, "Matrix");
         f.c.cmdUnterordner->click();
         unterordnerZeigen(f, "Matrix Teil 2");
     }},
    {"NeuerUnterordner", true,
     [](Filmkatalog& k, frmFilme& f) {
         zeigen(k, "Alien");
         f.c.cmdNeu2->click();
     }},
};

class Panel : public testing::TestWithParam<Modus> {
protected:
    void SetUp() override
    {
        f.show();
        QApplication::setActiveWindow(&f);
        f.przAlleListe();
        GetParam().einstellen(k, f);
    }
    void TearDown() override { f.hide(); }

    Filmkatalog k;
    frmFilme& f = k.fenster();
};

void PrintTo(const Modus& m, std::ostream* os)
{
    *os << m.name;
}

std::string modusName(const testing::TestParamInfo<Modus>& info)
{
    return info.param.name;
}

// A box, the edit combo box that lies over it in some modes, a character its
// key filter lets through, and the widths of its columns.
struct Box {
    QLineEdit* FilmeControls::*feld;
    vb::ComboBox* FilmeControls::*kombi;
    QChar zeichen;
    int titelBreite;
    int unterordnerBreite;
};

const Box Boxen[] = {
    {&FilmeControls::tfTitel, nullptr, u'x', 50, 100},
    {&FilmeControls::tfFormat, &FilmeControls::cmbFormat1, u'D', 10, 10},
    {&FilmeControls::tfQualität, &FilmeControls::cmbQualität1, u'1', 4, 4},
    {&FilmeControls::tfMappe, &FilmeControls::cmbMappe1, u'1', 10, 10},
    {&FilmeControls::tfWer, &FilmeControls::cmbWer1, u'x', 50, 50},
    {&FilmeControls::tfDatumAusleihe, nullptr, u'1', 50, 50},
    {&FilmeControls::tfSize, nullptr, u'7', 10, 10},
    {&FilmeControls::tfCat, &FilmeControls::cmbCat1, u'x', 20, 20},
    {&FilmeControls::tfdten, &FilmeControls::cmbDten1, u'x', 10, 8},
};

}  // namespace

// Typed past its column's width, each box the mode shows (its combo box where
// one lies over it) stops at the width, and so does the field the save reads.
TEST_P(Panel, EveryBoxTakesWhatItsColumnHolds)
{
    int geprüft = 0;
    for (const Box& b : Boxen) {
        QLineEdit* feld = f.c.*b.feld;
        vb::ComboBox* kombi = b.kombi ? f.c.*b.kombi : nullptr;
        QWidget* box = kombi && kombi->isVisible() ? static_cast<QWidget*>(kombi) : feld;
        if (!box->isVisible())
            continue;
        SCOPED_TRACE(box->objectName().toStdString());
        const int breite = GetParam().unterordner ? b.unterordnerBreite : b.titelBreite;
        überschreibenImFokus(box, QString(breite + 3, b.zeichen));
        if (box == kombi) {
            EXPECT_EQ(kombi->currentText(), QString(breite, b.zeichen));
        }
        EXPECT_EQ(feld->text(), QString(breite, b.zeichen));
        ++geprüft;
    }
    EXPECT_GE(geprüft, 4);
}

// From the title box round the whole panel and back: each control Tab gives
// the focus is shown, enabled and not covered by another.
TEST_P(Panel, TabVisitsOnlyWhatTheUserSees)
{
    QWidget* fläche = f.centralWidget();
    fokussieren(f.c.tfTitel);
    std::set<QWidget*> besucht;
    for (int i = 0; i < 200; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* w = QApplication::focusWidget();
        ASSERT_NE(w, nullptr);
        SCOPED_TRACE(w->objectName().toStdString());
        EXPECT_TRUE(w->isVisible());
        EXPECT_TRUE(w->isEnabled());
        const QWidget* oben = fläche->childAt(w->mapTo(fläche, w->rect().center()));
        EXPECT_TRUE(oben == w || w->isAncestorOf(oben)) << "covered by " << (oben ? oben->objectName().toStdString() : "");
        if (w == f.c.tfTitel)
            break;
        besucht.insert(w);
    }
    EXPECT_EQ(QApplication::focusWidget(), f.c.tfTitel) << "Tab goes round the panel";
    EXPECT_TRUE(besucht.count(f.c.Neu)) << "the record buttons are on the way";
    // Shift+Tab goes back the same way.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(besucht.count(QApplication::focusWidget()));
}

INSTANTIATE_TEST_SUITE_P(Modi, Panel, testing::ValuesIn(Modi), modusName);

// "Science-Fiction" is stored whole whichever mode it is typed in.
TEST(Kategorie, KeepsItsWidthInEveryMode)
{
    Filmkatalog k;
    frmFilme& f = k.fenster();
    f.show();
    f.przAlleListe();
    f.c.Neu->click();
    tippenImFokus(f.c.tfTitel, "Neu");
    ersetzenImFokus(f.c.cmbCat1, "Science-Fiction");
    f.c.Speichern->click();
    EXPECT_EQ(spalte(k, "Filme", "Cat", "Neu"), "Science-Fiction");

    zeigen(k, "Alien");
    überschreibenImFokus(f.c.tfCat, "Zeitschrift");
    f.c.cmdEdit->click();
    EXPECT_EQ(spalte(k, "Filme", "Cat", "Alien"), "Zeitschrift");

    zeigen(k, "Aliens");
    f.c.cmdNeu2->click();
    ersetzenImFokus(f.c.tfTitel, "Aliens Extra");
    ersetzenImFokus(f.c.cmbCat1, "Science-Fiction");
    f.c.cmdSpeichern2->click();
    EXPECT_EQ(rohWert(k.folder.file("filme.mdb"), "SELECT Cat FROM Unterordner WHERE Titel2 = 'Aliens Extra'"),
              "Science-Fiction");
    EXPECT_EQ(integrität(k), "ok");
    f.hide();
}
