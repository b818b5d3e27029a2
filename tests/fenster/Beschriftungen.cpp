// No window of either program cuts a caption or lets a control reach out of
// it, whatever font the desktop gives: each window in each size.
#include "platform/vb/Formular.h"
#include "tests/fenster/Fenster.h"
#include "tests/support/Anwendungsschrift.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QScreen>

#include <string>
#include <tuple>

using namespace testing_support;

namespace {

const double Schriftgrade[] = {8, 10, 12, 14};

class Beschriftung : public ::testing::TestWithParam<std::tuple<Fensterfall, double>> {};

std::string zeilen(const std::vector<std::string>& funde)
{
    std::string text;
    for (const std::string& f : funde)
        text += "\n  " + f;
    return text;
}

}  // namespace

TEST_P(Beschriftung, EveryCaptionIsWholeAndEveryControlLiesInItsWindow)
{
    const auto& [fall, punkte] = GetParam();
    Anwendungsschrift schrift(punkte);
    auto sitzung = fall.öffnen();
    ASSERT_NE(sitzung->fenster, nullptr);
    ASSERT_TRUE(sitzung->fenster->isVisible());
    const auto funde = zugeschnitten(sitzung->fenster);
    EXPECT_TRUE(funde.empty()) << fall.name << " at " << punkte << " pt, scale "
                               << QApplication::primaryScreen()->devicePixelRatio() << ":" << zeilen(funde);
}

INSTANTIATE_TEST_SUITE_P(Fenster, Beschriftung,
                         ::testing::Combine(::testing::ValuesIn(alleFenster().begin(), alleFenster().end()),
                                            ::testing::ValuesIn(Schriftgrade)),
                         [](const auto& fall) {
                             return std::string(std::get<0>(fall.param).name) + "_"
                                  + std::to_string(int(std::get<1>(fall.param))) + "pt";
                         });

// A larger font grows the whole form: the window, its controls' places and
// sizes, all by the same factor.
TEST(Massstab, ALargerFontGrowsTheWholeMainWindow)
{
    const auto mass = [](double punkte) {
        Anwendungsschrift schrift(punkte);
        auto sitzung = alleFenster()[0].öffnen();
        QWidget* f = sitzung->fenster;
        const QWidget* liste = f->findChild<QWidget*>(QStringLiteral("lfListe"));
        const QWidget* knopf = f->findChild<QWidget*>(QStringLiteral("cmdHTML"));
        return std::tuple{vb::massstab(), f->size(), liste->geometry(), knopf->geometry()};
    };
    const auto [m8, fenster8, liste8, knopf8] = mass(8);
    const auto [m14, fenster14, liste14, knopf14] = mass(14);
    ASSERT_GT(m14, m8 * 1.5);
    const double faktor = m14 / m8;
    EXPECT_NEAR(liste14.width(), liste8.width() * faktor, 2);
    EXPECT_NEAR(liste14.height(), liste8.height() * faktor, 2);
    EXPECT_NEAR(liste14.x(), liste8.x() * faktor, 2);
    EXPECT_NEAR(knopf14.y(), knopf8.y() * faktor, 2);
    EXPECT_NEAR(knopf14.width(), knopf8.width() * faktor, 2);
    EXPECT_GT(fenster14.width(), fenster8.width() * faktor - 2);
    EXPECT_GT(fenster14.height(), fenster8.height() * faktor - 30) << "the menu bar grows by the font alone";
}

// The main, scan and tools windows for a look by eye: RDX_SCREENSHOTS names a
// folder; the scale factor is the run's own (QT_SCALE_FACTOR).
TEST(Bildschirmfoto, MainScanAndToolsWindows)
{
    const QString ordner = qEnvironmentVariable("RDX_SCREENSHOTS");
    if (ordner.isEmpty())
        GTEST_SKIP() << "RDX_SCREENSHOTS not set";
    QDir().mkpath(ordner);
    const QString skala = QString::number(QApplication::primaryScreen()->devicePixelRatio());
    for (const double punkte : {9.0, 12.0}) {
        Anwendungsschrift schrift(punkte);
        for (const Fensterfall& fall : alleFenster()) {
            auto sitzung = fall.öffnen();
            ASSERT_NE(sitzung->fenster, nullptr) << fall.name;
            QApplication::processEvents();
            sitzung->fenster->grab().save(QStringLiteral("%1/%2_%3pt_x%4.png")
                                              .arg(ordner, QString::fromUtf8(fall.name))
                                              .arg(punkte)
                                              .arg(skala));
        }
    }
}
