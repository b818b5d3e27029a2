#include "frame/basHyperlink.h"
#include "tests/support/Doubles.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

using namespace testing_support;
using namespace basHyperlink;

namespace {

QColor textfarbe(const QLineEdit& box)
{
    return box.palette().color(QPalette::Active, QPalette::Text);
}

// A shown window with one link box of a known size.
struct Linkfenster {
    QWidget fenster;
    QLineEdit* box = new QLineEdit(&fenster);
    explicit Linkfenster(const QString& adresse = QStringLiteral("www.example.org"))
    {
        box->setGeometry(10, 10, 100, 20);
        HyperlinkInit(box, QStringLiteral("Zur Seite"), adresse, &fenster);
        HyperlinkLook(box);
        fenster.resize(200, 60);
        fenster.show();
    }
    ~Linkfenster()
    {
        if (QWidget::mouseGrabber())
            QWidget::mouseGrabber()->releaseMouse();
    }
};

}  // namespace

TEST(basHyperlink, AddressRulesDecideWhatOpensAndHow)
{
    struct Fall {
        const char* adresse;
        std::optional<LinkZiel> ziel;
    } const faelle[] = {
        {"www.example.org/seite", LinkZiel{"http://www.example.org/seite", AnzeigeMaximiert, false}},
        {"http://example.org", LinkZiel{"http://example.org", AnzeigeMaximiert, false}},
        {"mailto:autor@example.org", LinkZiel{"mailto:autor@example.org", AnzeigeNormal, false}},
        {"App:/tmp/liste.txt", LinkZiel{"/tmp/liste.txt", AnzeigeNormal, true}},
        // The prefixes are compared exactly and case-sensitively.
        {"https://example.org", std::nullopt},
        {"WWW.example.org", std::nullopt},
        {"HTTP://example.org", std::nullopt},
        {"Mailto:autor@example.org", std::nullopt},
        {"http:/example.org", std::nullopt},
        {"ftp://example.org", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(linkZiel(QString::fromUtf8(f.adresse)), f.ziel) << f.adresse;

        // A click hands exactly that to the shell, or nothing.
        FakeServices fake(QStringLiteral("/tmp"));
        QWidget fenster;
        auto* box = new QLineEdit(&fenster);
        HyperlinkInit(box, QStringLiteral("Link"), QString::fromUtf8(f.adresse), &fenster);
        HyperlinkClick(box, fake.shell);
        EXPECT_EQ(fake.shell.opened, f.ziel ? QStringList{f.ziel->ziel} : QStringList{}) << f.adresse;
        EXPECT_TRUE(fake.shell.started.isEmpty());
    }
}

TEST(basHyperlink, BothEdgesOfTheBoxCountAsInside)
{
    struct Fall {
        double x, y;
        bool innen;
    } const faelle[] = {
        {0, 0, true},     {100, 20, true},  {100, 0, true},   {0, 20, true},    {50, 10, true},
        {100.5, 10, false}, {50, 20.5, false}, {-0.5, 10, false}, {50, -0.1, false}, {-1, -1, false},
    };
    for (const auto& f : faelle) {
        Linkfenster w;
        ASSERT_EQ(w.box->width(), 100);
        ASSERT_EQ(w.box->height(), 20);
        HyperlinkMouseMove(w.box, f.x, f.y);
        EXPECT_EQ(textfarbe(*w.box), f.innen ? QColor(57, 107, 165) : QColor(255, 0, 0)) << f.x << "," << f.y;
        EXPECT_EQ(w.box->font().underline(), f.innen) << f.x << "," << f.y;
        EXPECT_EQ(QWidget::mouseGrabber() == w.box, f.innen) << f.x << "," << f.y;
    }
}

TEST(basHyperlink, ColoursAreWindowsColourNumbers)
{
    Linkfenster w;
    EXPECT_EQ(textfarbe(*w.box), QColor(255, 0, 0)) << "idle: 255 is pure red";
    EXPECT_FALSE(w.box->font().underline());
    EXPECT_EQ(w.box->cursor().shape(), Qt::PointingHandCursor);

    // 10840889 = 0xA56B39: the low byte is red.
    HyperlinkMouseMove(w.box, 5, 5);
    EXPECT_EQ(textfarbe(*w.box), QColor(57, 107, 165));

    // Colours the caller passes are taken the same way.
    HyperlinkMouseMove(w.box, 5, 5, 0x0000FF, 0xFF0000);
    EXPECT_EQ(textfarbe(*w.box), QColor(0, 0, 255));
    HyperlinkMouseMove(w.box, 500, 5, 0x00FF00, 0xFF0000);
    EXPECT_EQ(textfarbe(*w.box), QColor(0, 255, 0));
    HyperlinkLook(w.box, 0x123456);
    EXPECT_EQ(textfarbe(*w.box), QColor(0x56, 0x34, 0x12));
}

TEST(basHyperlink, InitMakesALabelThatCarriesItsAddressOnTheParentsBackground)
{
    QWidget fenster;
    QPalette p = fenster.palette();
    p.setColor(QPalette::Window, QColor(10, 20, 30));
    fenster.setPalette(p);
    auto* box = new QLineEdit(&fenster);
    HyperlinkInit(box, QStringLiteral("eMail schreiben"), QStringLiteral("mailto:a@example.org"), &fenster);

    EXPECT_EQ(box->text(), QStringLiteral("eMail schreiben"));
    EXPECT_EQ(HyperlinkAdresse(box), QStringLiteral("mailto:a@example.org"));
    EXPECT_TRUE(box->isReadOnly());
    EXPECT_FALSE(box->hasFrame());
    EXPECT_EQ(box->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(10, 20, 30));
}

TEST(basHyperlink, AClickOnALitBoxRestoresTheIdleLookBeforeItOpens)
{
    FakeServices fake(QStringLiteral("/tmp"));
    Linkfenster w(QStringLiteral("www.example.org/info"));
    HyperlinkEreignisse(w.box, fake.shell);

    // The box's own events, as the mouse brings them.
    QMouseEvent hin(QEvent::MouseMove, QPointF(20, 5), QPointF(30, 15), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.box, &hin);
    ASSERT_EQ(textfarbe(*w.box), QColor(57, 107, 165));
    ASSERT_EQ(QWidget::mouseGrabber(), w.box);

    QMouseEvent druck(QEvent::MouseButtonPress, QPointF(20, 5), QPointF(30, 15), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w.box, &druck);
    QMouseEvent los(QEvent::MouseButtonRelease, QPointF(20, 5), QPointF(30, 15), Qt::LeftButton, Qt::NoButton,
                    Qt::NoModifier);
    QApplication::sendEvent(w.box, &los);

    EXPECT_EQ(fake.shell.opened, QStringList{QStringLiteral("http://www.example.org/info")});
    EXPECT_EQ(textfarbe(*w.box), QColor(255, 0, 0));
    EXPECT_FALSE(w.box->font().underline());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_TRUE(w.box->isEnabled());
    EXPECT_TRUE(w.box->selectedText().isEmpty()) << "the text of a link is not selected by clicking";

    // While the box holds the mouse, the first move outside it restores the idle look.
    QApplication::sendEvent(w.box, &hin);
    QMouseEvent weg(QEvent::MouseMove, QPointF(150, 5), QPointF(160, 15), Qt::NoButton, Qt::NoButton,
                    Qt::NoModifier);
    QApplication::sendEvent(w.box, &weg);
    EXPECT_EQ(textfarbe(*w.box), QColor(255, 0, 0));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST(basHyperlink, AWindowThatHidesWhileItsLinkIsLitGivesTheMouseBack)
{
    FakeServices fake(QStringLiteral("/tmp"));
    Linkfenster w;
    HyperlinkEreignisse(w.box, fake.shell);
    QMouseEvent hin(QEvent::MouseMove, QPointF(20, 5), QPointF(30, 15), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.box, &hin);
    ASSERT_EQ(QWidget::mouseGrabber(), w.box);

    // Closed by the keyboard, so no move outside the box came first.
    w.fenster.hide();
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << "the other windows would get no mouse input";
    EXPECT_EQ(textfarbe(*w.box), QColor(255, 0, 0));
    EXPECT_FALSE(w.box->font().underline());
    EXPECT_TRUE(fake.shell.opened.isEmpty());
}

TEST(basHyperlink, ADoubleClickOpensTheLinkOnce)
{
    FakeServices fake(QStringLiteral("/tmp"));
    Linkfenster w(QStringLiteral("mailto:autor@example.org"));
    HyperlinkEreignisse(w.box, fake.shell);
    const QPointF innen(20, 5), global(30, 15);
    auto senden = [&](QEvent::Type typ, Qt::MouseButtons gedrückt) {
        QMouseEvent e(typ, innen, global, Qt::LeftButton, gedrückt, Qt::NoModifier);
        QApplication::sendEvent(w.box, &e);
    };
    // The order in which a double click arrives.
    senden(QEvent::MouseButtonPress, Qt::LeftButton);
    senden(QEvent::MouseButtonRelease, Qt::NoButton);
    senden(QEvent::MouseButtonDblClick, Qt::LeftButton);
    senden(QEvent::MouseButtonRelease, Qt::NoButton);
    EXPECT_EQ(fake.shell.opened, QStringList{QStringLiteral("mailto:autor@example.org")});

    // A click after it opens again.
    senden(QEvent::MouseButtonPress, Qt::LeftButton);
    senden(QEvent::MouseButtonRelease, Qt::NoButton);
    EXPECT_EQ(fake.shell.opened.size(), 2);
}
