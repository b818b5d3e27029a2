#include "platform/vb/VbControls.h"

#include "platform/vb/Formular.h"
#include "tests/support/Kombis.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>

#include <cmath>
#include <optional>
#include <vector>

namespace {

const QString block = QStringLiteral("\u2588");  // a full block: its ink starts at the pen position

// The left edge of the first dark pixel in the middle of the row.
std::optional<int> tinteAb(vb::ListBox& liste, int zeile)
{
    const QImage bild = liste.viewport()->grab().toImage();
    const int y = liste.visualItemRect(liste.item(zeile)).center().y();
    for (int x = 0; x < bild.width(); ++x)
        if (qGray(bild.pixel(x, y)) < 100)
            return x;
    return std::nullopt;
}

struct TabFall {
    const char* name;
    std::optional<std::vector<int>> stops;  // nothing: setTabStops never called
    int tabs;                               // tab characters before the block
    double dialogUnits;                     // where the block must start
};

void tippen(QWidget* ziel, Qt::Key taste, const QString& text = {})
{
    QKeyEvent druck(QEvent::KeyPress, taste, Qt::NoModifier, text);
    QApplication::sendEvent(ziel, &druck);
    QKeyEvent los(QEvent::KeyRelease, taste, Qt::NoModifier, text);
    QApplication::sendEvent(ziel, &los);
}

void schreiben(QWidget* ziel, const QString& text)
{
    for (QChar z : text)
        tippen(ziel, Qt::Key(z.toUpper().unicode()), QString(z));
}

}  // namespace

TEST(VbListBox, ExpandsTabsAtTheStopsInDialogUnits)
{
    const std::vector<int> liste{150, 160, 225, 235, 245, 255};
    const TabFall fälle[] = {
        {"default stops", std::nullopt, 1, 32},
        {"default stops, second", std::nullopt, 2, 64},
        {"first of the title list's stops", liste, 1, 150},
        {"second of the title list's stops", liste, 2, 160},
        {"last of the title list's stops", liste, 6, 255},
        {"after the last stop every 32 units", liste, 7, 256},
        {"one value is a distance", std::vector<int>{40}, 2, 80},
        {"an empty table is the default", std::vector<int>{}, 1, 32},
    };
    for (const TabFall& fall : fälle) {
        SCOPED_TRACE(fall.name);
        vb::ListBox lb;
        lb.resize(700, 120);
        if (fall.stops)
            lb.setTabStops(*fall.stops);
        const QString zeile = QString(fall.tabs, QLatin1Char('\t')) + block;
        lb.addItem(block);
        lb.addItem(zeile);
        lb.show();
        const auto anfang = tinteAb(lb, 0);
        const auto ende = tinteAb(lb, 1);
        ASSERT_TRUE(anfang && ende);
        // A dialog unit is a quarter of the design font's 6-pixel letter width, grown as forms grow.
        const double erwartet = fall.dialogUnits * 1.5 * vb::massstab(lb.font());
        EXPECT_NEAR(*ende - *anfang, erwartet, 1.0);
        EXPECT_EQ(lb.item(1)->text(), zeile) << "the row text stays as added";
    }
}

TEST(VbListBox, CellsAfterTheFirstStartAtTheStopWhateverTheTextBeforeThem)
{
    vb::ListBox lb;
    lb.resize(700, 120);
    lb.setTabStops({150, 160, 225, 235, 245, 255});
    lb.addItem(block);
    lb.addItem(QStringLiteral("Matrix\t") + block);
    lb.addItem(QStringLiteral("Der Herr der Ringe\t") + block);
    lb.show();
    // Look for the block right of the title text: the first dark pixel past 100 px.
    auto blockAb = [&](int zeile) -> std::optional<int> {
        const QImage bild = lb.viewport()->grab().toImage();
        const QRect r = lb.visualItemRect(lb.item(zeile));
        for (int x = 150; x < bild.width(); ++x) {
            bool voll = true;
            for (int y = r.center().y() - 2; y <= r.center().y() + 2; ++y)
                voll = voll && qGray(bild.pixel(x, y)) < 100;
            if (voll)
                return x;
        }
        return std::nullopt;
    };
    const auto anfang = tinteAb(lb, 0);
    const auto a = blockAb(1), b = blockAb(2);
    ASSERT_TRUE(anfang && a && b);
    const double stop = 150 * 1.5 * vb::massstab(lb.font());
    EXPECT_NEAR(*a - *anfang, stop, 1.0);
    EXPECT_EQ(*a, *b);
}

TEST(VbComboBox, FillingFromCodeSelectsNothingAndRaisesNoEvent)
{
    for (bool editierbar : {false, true}) {
        SCOPED_TRACE(editierbar ? "editable" : "drop-down list");
        vb::ComboBox box;
        box.setEditable(editierbar);
        int ereignisse = 0;
        QObject::connect(&box, &QComboBox::currentIndexChanged, [&] { ++ereignisse; });
        QObject::connect(&box, &QComboBox::currentTextChanged, [&] { ++ereignisse; });
        box.clear();
        for (const char* wert : {"DVD", "DVD-R", "VCD"})
            box.addItem(QString::fromLatin1(wert));
        EXPECT_EQ(box.count(), 3);
        EXPECT_EQ(box.currentIndex(), -1);
        EXPECT_EQ(box.text(), "");
        EXPECT_EQ(ereignisse, 0);

        // Filled again, as a refill after a filter click does.
        box.setCurrentIndex(1);
        box.clear();
        EXPECT_EQ(box.text(), "");
        box.addItem(QStringLiteral("SVCD"));
        EXPECT_EQ(box.currentIndex(), -1);
        EXPECT_EQ(box.text(), "");
    }
}

TEST(VbComboBox, ClearEmptiesATypedTextAndAddingKeepsIt)
{
    vb::ComboBox box;
    box.setEditable(true);
    box.setText(QStringLiteral("Krimi"));
    box.addItem(QStringLiteral("Drama"));
    EXPECT_EQ(box.text(), "Krimi") << "adding an entry leaves the text alone";
    EXPECT_EQ(box.currentIndex(), -1);
    box.clear();
    EXPECT_EQ(box.count(), 0);
    EXPECT_EQ(box.text(), "");
}

TEST(VbComboBox, TypingNeitherCompletesNorInsertsNorSelects)
{
    vb::ComboBox box;
    box.setEditable(true);
    for (const char* wert : {"DVD", "DVD-R", "VCD"})
        box.addItem(QString::fromLatin1(wert));
    box.show();
    int gewählt = 0;
    QObject::connect(&box, &QComboBox::activated, [&] { ++gewählt; });
    QObject::connect(&box, &QComboBox::currentIndexChanged, [&] { ++gewählt; });

    schreiben(&box, QStringLiteral("D"));
    EXPECT_EQ(box.text(), "D") << "no completion to DVD";
    EXPECT_FALSE(box.lineEdit()->hasSelectedText());
    schreiben(&box, QStringLiteral("VD"));
    tippen(&box, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(box.text(), "DVD");
    EXPECT_EQ(box.currentIndex(), -1) << "Enter on an equal text selects no entry";
    emit box.lineEdit()->editingFinished();  // the focus leaves
    EXPECT_EQ(box.currentIndex(), -1);

    box.setText(QString());
    schreiben(&box, QStringLiteral("dvd"));
    emit box.lineEdit()->editingFinished();
    EXPECT_EQ(box.text(), "dvd") << "no case-folding to the entry DVD";

    box.setText(QString());
    schreiben(&box, QStringLiteral("X"));
    tippen(&box, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(box.count(), 3) << "Enter inserts nothing";
    EXPECT_EQ(box.text(), "X");
    EXPECT_EQ(gewählt, 0);
}

TEST(VbComboBox, ANewEditFieldGetsTheSameTreatment)
{
    vb::ComboBox box;
    box.setEditable(true);
    box.setEditable(false);
    box.setEditable(true);
    box.setLineEdit(new QLineEdit);
    box.addItem(QStringLiteral("DVD"));
    ASSERT_TRUE(box.lineEdit());
    EXPECT_EQ(box.completer(), nullptr);
    EXPECT_EQ(box.insertPolicy(), QComboBox::NoInsert);
    box.setText(QStringLiteral("DVD"));
    tippen(&box, Qt::Key_Return, QStringLiteral("\r"));
    EXPECT_EQ(box.currentIndex(), -1);
}

TEST(VbComboBox, TextOfADropDownListSelectsTheEqualEntry)
{
    vb::ComboBox box;
    for (const char* wert : {"DVD", "DVD-R", "VCD"})
        box.addItem(QString::fromLatin1(wert));
    box.setText(QStringLiteral("VCD"));
    EXPECT_EQ(box.currentIndex(), 2);
    EXPECT_EQ(box.text(), "VCD");
    box.setText(QStringLiteral("vcd"));
    EXPECT_EQ(box.currentIndex(), -1) << "entries compare case-sensitively";
    EXPECT_EQ(box.text(), "");
    box.setText(QStringLiteral("DVD"));
    box.setText(QString());
    EXPECT_EQ(box.currentIndex(), -1);
}

// ---------------------------------------------------------------- one-line boxes

namespace {

// A form as the windows build theirs: a text box and an edit combo box from a table.
struct Einzeilenform {
    QWidget fläche;
    QLineEdit* tfText = nullptr;
    vb::ComboBox* cmbWahl = nullptr;
    QLineEdit* tfTräger = nullptr;
};

constexpr vb::Steuerelement<Einzeilenform> Einzeilentabelle[] = {
    {vb::ziel<&Einzeilenform::tfText>, "tfText", {120, 120, 3000, 315}},
    {vb::ziel<&Einzeilenform::cmbWahl>, "cmbWahl", {120, 600, 3000, 315}, "", "", vb::editierbar},
    {vb::ziel<&Einzeilenform::tfTräger>, "tfTräger", {120, 1080, 3000, 315}, "", "", vb::versteckt},
};

// One way a user puts a text into the box that has the focus.
struct Eingabeweg {
    const char* name;
    void (*eingeben)(const QString& text);
};

void einfügen(const QString& text, Qt::Key taste, Qt::KeyboardModifiers mod)
{
    QGuiApplication::clipboard()->setText(text);
    QWidget* fokus = QApplication::focusWidget();
    ASSERT_TRUE(fokus);
    QTest::keyClick(fokus, taste, mod);
}

const Eingabeweg Eingabewege[] = {
    {"CtrlV", [](const QString& text) { einfügen(text, Qt::Key_V, Qt::ControlModifier); }},
    {"ShiftInsert", [](const QString& text) { einfügen(text, Qt::Key_Insert, Qt::ShiftModifier); }},
    {"InputMethod",
     [](const QString& text) {
         QInputMethodEvent ereignis;
         ereignis.setCommitString(text);
         QApplication::sendEvent(QApplication::focusWidget(), &ereignis);
     }},
};

class Einzeilig : public ::testing::TestWithParam<Eingabeweg> {};

}  // namespace

TEST_P(Einzeilig, APastedLineBreakTabOrBellBecomesABlankInEveryBoxOfAForm)
{
    Einzeilenform form;
    vb::bauen(form, &form.fläche, Einzeilentabelle);
    form.cmbWahl->addItem(QStringLiteral("DVD"));
    form.fläche.resize(400, 200);
    for (QWidget* box : {static_cast<QWidget*>(form.tfText), static_cast<QWidget*>(form.cmbWahl)}) {
        SCOPED_TRACE(box->objectName().toStdString());
        QLineEdit* feld = box == form.tfText ? form.tfText : form.cmbWahl->lineEdit();
        testing_support::tippenImFokus(box, QStringLiteral("ab"));
        feld->setCursorPosition(1);
        GetParam().eingeben(QStringLiteral("Zeile1\r\nZeile2\t\a\u2026"));
        EXPECT_EQ(feld->text(), QStringLiteral("aZeile1 Zeile2  \u2026b"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_X);
        EXPECT_EQ(feld->text(), QStringLiteral("aZeile1 Zeile2  \u2026xb")) << "typing goes on where the paste ended";
    }
}

INSTANTIATE_TEST_SUITE_P(Wege, Einzeilig, ::testing::ValuesIn(Eingabewege),
                         [](const auto& weg) { return std::string(weg.param.name); });

TEST(Einzeilig, ADroppedTextIsOneLineToo)
{
    Einzeilenform form;
    vb::bauen(form, &form.fläche, Einzeilentabelle);
    form.fläche.show();
    QMimeData daten;
    daten.setText(QStringLiteral("Zeile1\nZeile2"));
    const QPoint mitte = form.tfText->rect().center();
    QDragEnterEvent hinein(mitte, Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.tfText, &hinein);
    QDropEvent fallen(QPointF(mitte), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.tfText, &fallen);
    EXPECT_EQ(form.tfText->text(), "Zeile1 Zeile2");
}

TEST(Einzeilig, AValueSetFromCodeKeepsItsBytesUntilTheUserChangesTheBox)
{
    Einzeilenform form;
    vb::bauen(form, &form.fläche, Einzeilentabelle);
    const QString gespeichert = QStringLiteral("Zeile1\nZeile2\tA");
    form.tfTräger->setText(gespeichert);
    EXPECT_EQ(form.tfTräger->text(), gespeichert) << "a hidden box carries values as they are";
    form.tfText->setText(gespeichert);
    EXPECT_EQ(form.tfText->text(), gespeichert) << "a stored value shows as it is";
    form.cmbWahl->addItem(gespeichert);
    form.cmbWahl->setCurrentIndex(0);
    EXPECT_EQ(form.cmbWahl->text(), gespeichert) << "an entry chosen from the list is the entry";

    testing_support::fokussieren(form.tfText);
    form.tfText->end(false);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_B);
    EXPECT_EQ(form.tfText->text(), "Zeile1 Zeile2 Ab") << "what the user changed is one line";
    form.tfText->setText(gespeichert);
    EXPECT_EQ(form.tfText->text(), gespeichert) << "the next value from code is kept again";
}

TEST(Einzeilig, TypedControlKeysStillActAsKeys)
{
    Einzeilenform form;
    vb::bauen(form, &form.fläche, Einzeilentabelle);
    int enter = 0;
    QObject::connect(form.tfText, &QLineEdit::returnPressed, [&] { ++enter; });
    testing_support::tippenImFokus(form.tfText, QStringLiteral("abc\b\r"));
    EXPECT_EQ(form.tfText->text(), "ab");
    EXPECT_EQ(enter, 1);
}

TEST(VbListBox, ARowWithAStoredLineBreakStaysOneLineAndKeepsItsText)
{
    const QString gespeichert = QStringLiteral("Zeile1\nZeile2\tDVD");
    vb::ListBox mitUmbruch;
    mitUmbruch.addItem(gespeichert);
    mitUmbruch.addItem(QStringLiteral("Alien\tDVD"));
    vb::ListBox ohne;
    ohne.addItem(QStringLiteral("Alien\tDVD"));
    for (vb::ListBox* liste : {&mitUmbruch, &ohne}) {
        liste->resize(300, 200);
        liste->show();
    }
    EXPECT_EQ(mitUmbruch.sizeHintForRow(0), ohne.sizeHintForRow(0)) << "the rows keep their height";
    EXPECT_EQ(mitUmbruch.visualItemRect(mitUmbruch.item(1)).height(), ohne.visualItemRect(ohne.item(0)).height());
    EXPECT_EQ(mitUmbruch.item(0)->text(), gespeichert) << "the row's text, the key of its lookup, stays";
}

namespace {

// What a list reports while code and the user work on it: the current and the
// selected rows after each step, and every signal on the way.
struct Listenprotokoll {
    QStringList schritte;
    void notieren(const QString& schritt, int aktuell, const QList<int>& gewählt)
    {
        QStringList g;
        for (int r : gewählt)
            g << QString::number(r);
        schritte << schritt + QStringLiteral(": current %1, selected [%2]").arg(aktuell).arg(g.join(','));
    }
};

void klicken(QWidget* fläche, QPoint wo)
{
    for (const auto typ : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(typ, wo, fläche->mapToGlobal(wo), Qt::LeftButton,
                      typ == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(fläche, &e);
    }
}

// The same steps on a list: `L` is QListWidget or vb::ListBox, whose windows
// were written against the first.
template <class L, class Entfernen>
QStringList listenSchritte(L& liste, Entfernen entfernen)
{
    Listenprotokoll p;
    QObject::connect(&liste, &L::currentRowChanged, [&](int r) { p.schritte << QStringLiteral("  currentRowChanged %1").arg(r); });
    QObject::connect(&liste, &L::itemClicked, [&] { p.schritte << QStringLiteral("  itemClicked"); });
    const auto stand = [&](const QString& schritt) {
        QList<int> gewählt;
        for (const auto& z : liste.selectedItems())
            gewählt << liste.row(z);
        p.notieren(schritt, liste.currentRow(), gewählt);
    };
    liste.resize(200, 300);
    liste.show();
    stand("empty");
    liste.addItems({"a", "b", "c", "d", "e"});
    stand("filled");
    liste.setCurrentRow(2);
    stand("row 2 from code");
    liste.setCurrentRow(2);
    stand("row 2 again");
    entfernen(liste, 0);
    stand("row 0 removed");
    entfernen(liste, liste.currentRow());
    stand("current row removed");
    klicken(liste.viewport(), liste.visualItemRect(liste.item(3)).center());
    stand("row 3 clicked");
    klicken(liste.viewport(), liste.visualItemRect(liste.item(3)).center());
    stand("row 3 clicked again");
    entfernen(liste, liste.count() - 1);
    stand("last, current row removed");
    liste.setCurrentRow(-1);
    stand("no row from code");
    liste.setCurrentRow(7);
    stand("a row past the end");
    liste.setCurrentRow(0);
    liste.clear();
    stand("cleared");
    liste.addItems({"x"});
    stand("filled again");
    return p.schritte;
}

}  // namespace

TEST(VbListBox, CurrentRowSelectionAndSignalsAreThoseOfQListWidget)
{
    QListWidget vorbild;
    const QStringList erwartet = listenSchritte(vorbild, [](QListWidget& l, int r) { delete l.takeItem(r); });
    vb::ListBox liste;
    const QStringList gesehen = listenSchritte(liste, [](vb::ListBox& l, int r) { l.removeItem(r); });
    EXPECT_EQ(gesehen, erwartet);
}

TEST(VbListBox, ItemsAreHandlesOfTheirRows)
{
    vb::ListBox liste;
    liste.addItems({"Alien\tDVD", "Matrix\tDVD", "alien 2\tVCD"});
    EXPECT_FALSE(liste.item(3));
    EXPECT_FALSE(liste.item(-1));
    EXPECT_EQ(liste.item(1)->text(), "Matrix\tDVD");
    liste.item(1)->setToolTip("Tipp");
    liste.item(1)->setData(Qt::UserRole, QByteArray("roh"));
    EXPECT_EQ(liste.model()->data(liste.model()->index(1, 0), Qt::ToolTipRole).toString(), "Tipp");
    EXPECT_EQ(liste.item(1)->data(Qt::UserRole).toByteArray(), "roh");
    EXPECT_FALSE(liste.item(0)->data(Qt::UserRole).isValid());
    liste.removeItem(0);
    EXPECT_EQ(liste.item(0)->toolTip(), "Tipp") << "a row's data moves with it";
    EXPECT_EQ(liste.item(0)->data(Qt::UserRole).toByteArray(), "roh");
    EXPECT_EQ(liste.item(1)->toolTip(), "");

    const auto treffer = [&](const QString& text, Qt::MatchFlags art) {
        QList<int> zeilen;
        for (const vb::ListItem& z : liste.findItems(text, art))
            zeilen << z.row();
        return zeilen;
    };
    EXPECT_EQ(treffer("alien 2\tVCD", Qt::MatchExactly), QList<int>{1});
    EXPECT_EQ(treffer("ALIEN 2\tVCD", Qt::MatchExactly), QList<int>{});
    EXPECT_EQ(treffer("ma", Qt::MatchStartsWith), QList<int>{0});
    EXPECT_EQ(treffer("Ma", Qt::MatchStartsWith | Qt::MatchCaseSensitive), QList<int>{0});
    EXPECT_EQ(treffer("ma", Qt::MatchStartsWith | Qt::MatchCaseSensitive), QList<int>{});
    EXPECT_EQ(treffer("dvd", Qt::MatchContains), QList<int>{0});

    liste.item(0)->setText("Matrix 2\tDVD");
    EXPECT_EQ(liste.text(0), "Matrix 2\tDVD");
    EXPECT_EQ(liste.rows(), (QStringList{"Matrix 2\tDVD", "alien 2\tVCD"}));
}

// A row built from cells keeps its cells' texts (the key of its lookup) and
// shows a cell that holds a tab or a line break on one line, as the exports
// write it: its columns stay under their stops.
TEST(VbListBox, ACellWithATabOrLineBreakShowsOnOneLineAndMovesNoColumn)
{
    vb::ListRows zeilen;
    zeilen.append({block, block});
    zeilen.append({QStringLiteral("Der\tFilm"), block});
    zeilen.append({QStringLiteral("Zwei\r\nZeilen"), block});
    vb::ListBox liste;
    liste.resize(700, 120);
    liste.setTabStops({150});
    liste.addItem(QStringLiteral("vorher"));
    liste.addItems(std::move(zeilen));
    liste.show();
    EXPECT_EQ(liste.text(2), QStringLiteral("Der\tFilm\t") + block) << "the text stays as added";
    EXPECT_EQ(liste.shownText(2), QStringLiteral("Der Film\t") + block);
    EXPECT_EQ(liste.shownText(3), QStringLiteral("Zwei Zeilen\t") + block);
    EXPECT_EQ(liste.shownText(1), QStringLiteral("%1\t%1").arg(block)) << "a plain row shows its text";
    EXPECT_EQ(liste.model()->data(liste.model()->index(2, 0)).toString(), liste.shownText(2));
    EXPECT_EQ(liste.firstCell(2), QStringLiteral("Der\tFilm")) << "the first cell as given, its tab too";
    EXPECT_EQ(liste.firstCell(3), QStringLiteral("Zwei\r\nZeilen"));
    EXPECT_EQ(liste.firstCell(1), block);
    EXPECT_EQ(liste.firstCell(0), QStringLiteral("vorher"));

    // Where the block of the second column starts in each row.
    const QImage bild = liste.viewport()->grab().toImage();
    const auto zweiteSpalte = [&](int zeile) -> std::optional<int> {
        const QRect r = liste.visualItemRect(liste.item(zeile));
        for (int x = 100; x < bild.width(); ++x)
            if (qGray(bild.pixel(x, r.center().y())) < 100 && qGray(bild.pixel(x, r.center().y() - 2)) < 100)
                return x;
        return std::nullopt;
    };
    const auto soll = zweiteSpalte(1);
    ASSERT_TRUE(soll);
    EXPECT_EQ(zweiteSpalte(2), soll);
    EXPECT_EQ(zweiteSpalte(3), soll);

    liste.item(2)->setText(QStringLiteral("Neu\tText"));
    EXPECT_EQ(liste.shownText(2), QStringLiteral("Neu\tText")) << "a text set later is shown as it is";
    EXPECT_EQ(liste.firstCell(2), QStringLiteral("Neu"));
}
