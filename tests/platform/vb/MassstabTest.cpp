// Forms grow with the application's font: one factor for every twips value
// and design pixel of a form, against the design font's 6 x 13 pixels.
#include "platform/vb/Formular.h"
#include "tests/support/Anwendungsschrift.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetricsF>

#include <cmath>

using testing_support::Anwendungsschrift;

TEST(Massstab, AFontNoLargerThanTheDesignsKeepsFifteenTwipsAPixel)
{
    Anwendungsschrift schrift(5.0);
    EXPECT_DOUBLE_EQ(vb::massstab(), 1.0);
    EXPECT_EQ(vb::pixel(1440), 96);
    EXPECT_EQ(vb::pixel(15), 1);
    EXPECT_EQ(vb::pixel(7), 0);
    EXPECT_EQ(vb::skaliert(52), 52);
    EXPECT_EQ(vb::rechteck({120, 540, 1080, 330}), QRect(8, 36, 72, 22));
}

// The factor is the larger of the letter width's and the line height's ratio
// to the design font's, and it follows the application's font when that
// changes, back again included.
TEST(Massstab, FollowsTheApplicationsFontBothWays)
{
    const double vorher = vb::massstab();
    double zuletzt = 0;
    for (const double punkte : {8.0, 10.0, 12.0, 14.0, 20.0}) {
        SCOPED_TRACE(punkte);
        Anwendungsschrift schrift(punkte);
        const QFont f = QApplication::font();
        const double breite = vb::buchstabenbreite(f) / vb::EntwurfBuchstabenbreite;
        const double höhe = QFontMetricsF(f).height() / vb::EntwurfZeilenhoehe;
        const double m = vb::massstab();
        EXPECT_GE(m, breite);
        EXPECT_GE(m, höhe);
        EXPECT_TRUE(m == breite || m == höhe || m == 1.0);
        EXPECT_GT(m, zuletzt) << "a larger font, a larger form";
        EXPECT_EQ(vb::pixel(1440), std::lround(96 * m));
        EXPECT_EQ(vb::skaliert(100), std::lround(100 * m));
        zuletzt = m;
    }
    EXPECT_DOUBLE_EQ(vb::massstab(), vorher);
}

// Controls that meet in the design meet on the screen: each edge is
// converted once, whatever the factor's fraction.
TEST(Massstab, PlacesThatMeetInTheDesignMeetOnTheScreen)
{
    for (const double punkte : {9.0, 11.0, 13.0}) {
        Anwendungsschrift schrift(punkte);
        for (int links = 0; links < 3000; links += 37)
            for (int breite = 15; breite < 1500; breite += 113) {
                const QRect a = vb::rechteck({links, links / 2, breite, breite / 2});
                const QRect b = vb::rechteck({links + breite, links / 2 + breite / 2, 300, 300});
                ASSERT_EQ(a.right() + 1, b.left()) << punkte << " pt, " << links << " + " << breite;
                ASSERT_EQ(a.bottom() + 1, b.top()) << punkte << " pt, " << links << " + " << breite;
                ASSERT_LE(std::abs(a.width() - vb::pixel(breite)), 1);
            }
    }
}

TEST(Massstab, TwipsAreTheInverseOfPixels)
{
    Anwendungsschrift schrift(12.0);
    const double twipsJePixel = 15.0 / vb::massstab();
    for (int twips : {0, 1, 240, 922, 7650, 10155})
        EXPECT_NEAR(vb::twips(vb::pixel(twips)), twips, twipsJePixel / 2 + 1e-9) << twips;
}
