// The scan window folded shows only its upper part, and the Tab key reaches
// only what it shows; unfolded by a read disc, the entries are reached too.
#include "tests/fenster/Fenster.h"
#include "tests/support/Kombis.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include <cstring>
#include <set>

using namespace testing_support;

namespace {

std::unique_ptr<Sitzung> öffnen(const char* name)
{
    for (const Fensterfall& fall : alleFenster())
        if (std::strcmp(fall.name, name) == 0)
            return fall.öffnen();
    ADD_FAILURE() << name;
    return nullptr;
}

// The names of the controls that Tab gives the focus to, once round the window.
std::set<QString> tabRunde(QWidget* fenster)
{
    fokussieren(fenster->findChild<QWidget*>(QStringLiteral("List1")));
    std::set<QString> besucht;
    for (int i = 0; i < 40; ++i) {
        QWidget* fokus = QApplication::focusWidget();
        if (!fokus)
            break;
        besucht.insert(fokus->objectName());
        EXPECT_TRUE(fokus->isVisible()) << fokus->objectName().toStdString() << " has the focus unseen";
        EXPECT_TRUE(fenster->rect().contains(QRect(fokus->mapTo(fenster, QPoint()), fokus->size())))
            << fokus->objectName().toStdString() << " lies outside the window";
        QTest::keyClick(fokus, Qt::Key_Tab);
    }
    return besucht;
}

}  // namespace

TEST(Faltung, TheFoldedScanWindowsLowerPartIsNeitherShownNorReached)
{
    auto gefaltet = öffnen("CDeinlesen");
    QWidget* s = gefaltet->fenster;
    for (const char* name : {"lfListeCDeinlesen", "optUnterordner", "optCDInfo", "cmdClear", "Label1_6"})
        EXPECT_FALSE(s->findChild<QWidget*>(QString::fromUtf8(name))->isVisible()) << name;
    const auto besucht = tabRunde(s);
    EXPECT_TRUE(besucht.count(QStringLiteral("cmdCDÜbernehmen")));
    EXPECT_FALSE(besucht.count(QStringLiteral("lfListeCDeinlesen")));
    EXPECT_FALSE(besucht.count(QStringLiteral("optUnterordner")));
    gefaltet.reset();

    auto offen = öffnen("CDeinlesenEintraege");
    for (const char* name : {"lfListeCDeinlesen", "optUnterordner", "optCDInfo", "cmdClear", "Label1_6"})
        EXPECT_TRUE(offen->fenster->findChild<QWidget*>(QString::fromUtf8(name))->isVisible()) << name;
    const auto alle = tabRunde(offen->fenster);
    EXPECT_TRUE(alle.count(QStringLiteral("lfListeCDeinlesen")));
    EXPECT_TRUE(alle.count(QStringLiteral("optUnterordner")));
}
