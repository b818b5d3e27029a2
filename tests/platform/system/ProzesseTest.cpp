// A child process run through the services: its lines as they come, its end
// by status or signal, a cancel and a run that hangs ended; the progress
// dialog with its "Abbrechen".
#include "platform/system/QtProzesse.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QProgressDialog>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

namespace {

sys::Programmlauf shell(const QString& skript)
{
    sys::Programmlauf lauf;
    lauf.programm = QStringLiteral("/bin/sh");
    lauf.argumente = {QStringLiteral("-c"), skript};
    return lauf;
}

TEST(Prozesse, ZeilenKommenEinzelnUndDerStatusAmEnde)
{
    sys::QtProzesse prozesse;
    auto lauf = shell("echo 'Zeilen 1 von 2'; sleep 0.2; printf 'Zeilen 2 von 2\\r\\nohne Ende'; echo Grund >&2; exit 3");
    QStringList zeilen;
    lauf.zeile = [&](const QString& z) { zeilen << z; };
    const sys::Programmende ende = prozesse.ausfuehren(lauf);
    EXPECT_EQ(ende.art, sys::Programmende::Art::Beendet);
    EXPECT_EQ(ende.code, 3);
    EXPECT_FALSE(ende.erfolgreich());
    EXPECT_EQ(ende.fehlerausgabe, "Grund\n");
    EXPECT_EQ(zeilen, (QStringList{"Zeilen 1 von 2", "Zeilen 2 von 2"}));
}

TEST(Prozesse, EinAbsturzIstEinSignal)
{
    sys::QtProzesse prozesse;
    const sys::Programmende ende = prozesse.ausfuehren(shell("kill -SEGV $$"));
    EXPECT_EQ(ende.art, sys::Programmende::Art::Signal);
    EXPECT_EQ(ende.code, SIGSEGV);
}

TEST(Prozesse, AbbrechenBeendetDenLaufBald)
{
    sys::QtProzesse prozesse;
    auto lauf = shell("while true; do echo x; sleep 0.05; done");
    int zeilen = 0;
    lauf.zeile = [&](const QString&) { ++zeilen; };
    lauf.abbrechen = [&] { return zeilen >= 3; };
    QElapsedTimer uhr;
    uhr.start();
    const sys::Programmende ende = prozesse.ausfuehren(lauf);
    EXPECT_EQ(ende.art, sys::Programmende::Art::Abgebrochen);
    EXPECT_LT(uhr.elapsed(), 3000);
}

TEST(Prozesse, EinLaufDerNichtsMehrSchreibtWirdBeendet)
{
    sys::QtProzesse prozesse;
    // SIGTERM is ignored: the limit ends it by SIGKILL after its grace.
    auto lauf = shell("trap '' TERM; echo los; sleep 30");
    lauf.stille = std::chrono::milliseconds(300);
    QElapsedTimer uhr;
    uhr.start();
    const sys::Programmende ende = prozesse.ausfuehren(lauf);
    EXPECT_EQ(ende.art, sys::Programmende::Art::Zeitlimit);
    EXPECT_LT(uhr.elapsed(), 10000);
}

TEST(Prozesse, EinFehlendesProgrammStartetNicht)
{
    sys::QtProzesse prozesse;
    sys::Programmlauf lauf;
    lauf.programm = QStringLiteral("/gibt/es/nicht/jetimport");
    const sys::Programmende ende = prozesse.ausfuehren(lauf);
    EXPECT_EQ(ende.art, sys::Programmende::Art::NichtGestartet);
    EXPECT_FALSE(ende.fehler.isEmpty());
}

TEST(Fortschritt, ZeigtTextUndBalkenUndMerktSichAbbrechen)
{
    sys::QtFortschritt fortschritt;
    auto anzeige = fortschritt.zeigen(QStringLiteral("Übernahme"), QStringLiteral("wird gelesen"));
    QPointer<QProgressDialog> dialog;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* d = qobject_cast<QProgressDialog*>(w); d && d->isVisible())
            dialog = d;
    }
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Übernahme");
    anzeige->setzen(QStringLiteral("Zeilen 50 von 200"), 50, 200);
    EXPECT_EQ(dialog->findChild<QLabel*>()->text(), "Zeilen 50 von 200");
    EXPECT_EQ(dialog->findChild<QProgressBar*>()->value(), 250);
    EXPECT_FALSE(anzeige->abgebrochen());
    QAbstractButton* abbrechen = nullptr;
    for (auto* b : dialog->findChildren<QAbstractButton*>()) {
        if (b->text() == QLatin1String("Abbrechen"))
            abbrechen = b;
    }
    ASSERT_NE(abbrechen, nullptr);
    QTest::mouseClick(abbrechen, Qt::LeftButton);
    EXPECT_TRUE(anzeige->abgebrochen());
    anzeige.reset();
    EXPECT_TRUE(dialog.isNull()) << "the dialog goes with its result";
}

}  // namespace

namespace {

TEST(Prozesse, EinLaufDerVorDemAbbruchFertigWurdeZaehltAlsBeendet)
{
    sys::QtProzesse prozesse;
    // Asked to end, it finishes its work and ends with 0: that work is done.
    auto lauf = shell("trap 'sleep 0.2; exit 0' TERM; echo x; while true; do sleep 0.05; done");
    lauf.abbrechen = [] { return true; };
    const sys::Programmende ende = prozesse.ausfuehren(lauf);
    EXPECT_EQ(ende.art, sys::Programmende::Art::Beendet);
    EXPECT_TRUE(ende.erfolgreich());
}

}  // namespace

namespace {

// The limit counts the silence since the last line, not the whole run.
TEST(Prozesse, EinLaufDerImmerWiederSchreibtWirdNichtBeendet)
{
    sys::QtProzesse prozesse;
    // Twice the limit in all, a line every sixth of it.
    auto lauf = shell("for i in 1 2 3 4 5 6 7 8 9 10 11 12; do echo Zeile $i; sleep 0.1; done");
    lauf.stille = std::chrono::milliseconds(600);
    int zeilen = 0;
    lauf.zeile = [&](const QString&) { ++zeilen; };
    const sys::Programmende ende = prozesse.ausfuehren(lauf);
    EXPECT_EQ(ende.art, sys::Programmende::Art::Beendet);
    EXPECT_TRUE(ende.erfolgreich());
    EXPECT_EQ(zeilen, 12);
}

}  // namespace
