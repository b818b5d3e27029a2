// What a user does while the scan window walks a disc or searches the folders
// of a local disk: every action, taken from inside the walk at its first
// entry, in the middle of a folder and at its last entry, ends the walk at
// once and leaves nothing of it behind; the window shows how far the walk is.
#include "catalogue/frmFilme.h"
#include "platform/vb/VbControls.h"
#include "platform/vb/VbRuntime.h"
#include "scan/frmCDeinlesen.h"
#include "tests/scan/Scanfenster.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>

using namespace testing_support;

namespace {

enum class Lauf { Disc, Platte };
enum class Stelle { ErsterEintrag, MitteImOrdner, LetzterEintrag };
enum class Eingriff { Abbrechen, Schliessfeld, Beenden, NeuOeffnen, ZweiterKlick, Auswerfen, Plus };

const QString ZeileC = QStringLiteral("C: \tLokaler Datenträger");
const QString ZeileD = QStringLiteral("D: \tCD-ROM-Laufwerk");
const QStringList Laufwerkszeilen{ZeileC, ZeileD};

// The disc walked: A, A/a1, A/a2, A/a3, b.avi, C, C/c1 in walk order.
const std::vector<std::pair<QString, qint64>> Disc = {
    {"A/a1.txt", 1}, {"A/a2.txt", 1}, {"A/a3.txt", 1}, {"b.avi", 1}, {"C/c1.txt", 1}};
const QStringList DiscNamen{"A", "a1.txt", "a2.txt", "a3.txt", "b.avi", "C", "c1.txt"};
// The local disk's folders in walk order.
const QStringList PlattenOrdner{"C:/A", "C:/A/A1", "C:/A/A2", "C:/B", "C:/C"};

QString zeigt(Lauf lauf, Stelle stelle)
{
    if (lauf == Lauf::Disc) {
        const char* wo[] = {"0 Ordner, 0 Dateien\nD:/", "1 Ordner, 1 Datei\nD:/A", "2 Ordner, 4 Dateien\nD:/C"};
        return QStringLiteral("Einlesen läuft …\n") + QString::fromUtf8(wo[int(stelle)]);
    }
    const char* wo[] = {"0 Ordner\nC:/", "2 Ordner\nC:/A", "4 Ordner\nC:/"};
    return QStringLiteral("Ordner werden gesucht …\n") + QString::fromUtf8(wo[int(stelle)]);
}

void ereignisse()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// Runs `eingreifen` from inside the walk that `klicken` starts, at the pump
// where the progress display shows `anzeige`; counts the steps the walk still
// showed after it.
struct Eingriffspunkt {
    bool eingegriffen = false;
    int schritteDanach = 0;

    void ausfuehren(scan::frmCDeinlesen& s, const QString& anzeige, const std::function<void()>& eingreifen,
                    const std::function<void()>& klicken)
    {
        QPointer<QLabel> anzeigeFeld(s.lbFortschritt);
        QTimer pumpe;
        pumpe.setInterval(0);
        QObject::connect(&pumpe, &QTimer::timeout, [&] {
            const bool zeigt = anzeigeFeld && anzeigeFeld->isVisible();
            if (eingegriffen) {
                schritteDanach += zeigt && anzeigeFeld->text() != anzeige;
                return;
            }
            if (zeigt && anzeigeFeld->text() == anzeige) {
                eingegriffen = true;
                eingreifen();
            }
        });
        pumpe.start();
        klicken();
        pumpe.stop();
    }
};

struct Fall {
    Lauf lauf;
    Stelle stelle;
    Eingriff eingriff;
};

std::string fallName(const Fall& f)
{
    const char* lauf[] = {"Disc", "Platte"};
    const char* stelle[] = {"ErsterEintrag", "MitteImOrdner", "LetzterEintrag"};
    const char* eingriff[] = {"Abbrechen", "Schliessfeld", "Beenden", "NeuOeffnen", "ZweiterKlick", "Auswerfen", "Plus"};
    return std::string(lauf[int(f.lauf)]) + "_" + stelle[int(f.stelle)] + "_" + eingriff[int(f.eingriff)];
}

class WaehrendDesLaufs : public ::testing::TestWithParam<Fall> {};

TEST_P(WaehrendDesLaufs, EndsTheWalkAtOnceAndLeavesNothingOfIt)
{
    const Fall fall = GetParam();
    Scan t("[Funktionen]\r\nmit HDD=1\r\n");
    for (const QString& ordner : PlattenOrdner)
        t.k.folder.write("platteC/" + ordner.mid(3) + "/.leer", "");
    // A first disc read to the end: what the walk must leave as it was.
    t.discWechseln("ERSTE", {{"alt.txt", 10}});
    scan::frmCDeinlesen& s = t.oeffnen();
    frmFilme& f = *t.k.f;
    s.takt = {0, 0};
    zeileKlicken(s.List1, ZeileD);
    const QStringList vorherNamen = zeilenVon(f.c.lfListeCDEinlesenOhneGroesse);
    const QStringList vorherEintraege = zeilenVon(f.c.lfListeCDeinlesen);
    ASSERT_EQ(vorherNamen, QStringList{"alt.txt"});
    ASSERT_EQ(vorherEintraege, QStringList{"alt.txt: 0"});
    t.discWechseln("ZWEITE", Disc);

    const QString zeile = fall.lauf == Lauf::Disc ? ZeileD : ZeileC;
    QPointer<scan::frmCDeinlesen> fenster(&s);
    QPointer<scan::frmCDeinlesen> neues;
    const auto eingreifen = [&] {
        switch (fall.eingriff) {
        case Eingriff::Abbrechen: s.cmdAbbrechen->click(); break;
        case Eingriff::Schliessfeld: s.windowHandle()->close(); break;
        case Eingriff::Beenden: f.c.mnuBeenden->trigger(); break;
        case Eingriff::NeuOeffnen:
            s.cmdAbbrechen->click();
            f.c.cmdCDeinlesen->click();
            neues = f.scanfenster();
            break;
        case Eingriff::ZweiterKlick: zeileKlicken(s.List1, zeile); break;
        case Eingriff::Auswerfen: s.cmdCDAuswerfen->click(); break;
        case Eingriff::Plus:
            t.k.fake.messages.answer(sys::mb::Ok);
            s.cmdPlus->click();
            break;
        }
    };
    Eingriffspunkt punkt;
    bool geschlossenNachDemLauf = false;
    const auto klicken = [&] {
        zeileKlicken(s.List1, zeile);
        geschlossenNachDemLauf = fenster && !fenster->isVisible();
    };
    if (fall.eingriff == Eingriff::Beenden) {
        // "Beenden" ends the program's event loop: the walk runs inside one.
        QTimer notbremse;
        notbremse.setSingleShot(true);
        QObject::connect(&notbremse, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        notbremse.start(30000);
        QTimer::singleShot(0, &s, [&] { punkt.ausfuehren(s, zeigt(fall.lauf, fall.stelle), eingreifen, klicken); });
        EXPECT_EQ(QApplication::exec(), 0) << "the program ends";
    } else {
        punkt.ausfuehren(s, zeigt(fall.lauf, fall.stelle), eingreifen, klicken);
    }
    ASSERT_TRUE(punkt.eingegriffen) << "the walk never showed " << zeigt(fall.lauf, fall.stelle).toStdString();
    EXPECT_EQ(punkt.schritteDanach, 0) << "the walk ends at once";
    EXPECT_EQ(vb::mousePointer(), 0);

    switch (fall.eingriff) {
    case Eingriff::Abbrechen:
    case Eingriff::Schliessfeld:
    case Eingriff::Beenden:
    case Eingriff::NeuOeffnen: {
        EXPECT_TRUE(geschlossenNachDemLauf) << "closed at once, and not deleted while the walk still ran";
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(fenster.isNull()) << "the closed window goes once the walk has ended";
        EXPECT_EQ(zeilenVon(f.c.lfListeCDeinlesen), vorherEintraege) << "nothing of the walk is handed over";
        if (fall.eingriff == Eingriff::Beenden) {
            EXPECT_FALSE(f.isVisible());
            break;
        }
        if (fall.eingriff == Eingriff::NeuOeffnen) {
            ASSERT_FALSE(neues.isNull());
            EXPECT_EQ(f.scanfenster(), neues.data());
            EXPECT_TRUE(neues->isVisible());
            EXPECT_TRUE(zeilenVon(f.c.lfListeCDEinlesenOhneGroesse).isEmpty()) << "emptied by the new window's load";
        } else {
            EXPECT_EQ(zeilenVon(f.c.lfListeCDEinlesenOhneGroesse), vorherNamen);
        }
        break;
    }
    case Eingriff::ZweiterKlick:
    case Eingriff::Plus:
        ereignisse();
        ASSERT_FALSE(fenster.isNull());
        if (fall.lauf == Lauf::Disc) {
            EXPECT_EQ(zeilenVon(s.lfListeCDeinlesen), QStringList{"alt.txt"} + DiscNamen)
                << "the ended walk left nothing; the next one read the whole disc once";
            EXPECT_EQ(zeilenVon(f.c.lfListeCDEinlesenOhneGroesse), QStringList{"alt.txt"} + DiscNamen);
            EXPECT_EQ(zeilenVon(f.c.lfListeCDeinlesen), zeilenVon(s.lfListeCDeinlesenAlles));
            EXPECT_EQ(s.tfCDName->text(), "Zweite");
        } else {
            EXPECT_EQ(zeilenVon(s.List1), Laufwerkszeilen + PlattenOrdner) << "each folder once";
            EXPECT_EQ(zeilenVon(s.lfListeCDeinlesen), QStringList{"alt.txt"});
        }
        EXPECT_EQ(s.tfAnzahl->text(), fall.eingriff == Eingriff::Plus ? "2" : "");
        break;
    case Eingriff::Auswerfen:
        ereignisse();
        ASSERT_FALSE(fenster.isNull());
        EXPECT_EQ(zeilenVon(s.List1), Laufwerkszeilen);
        EXPECT_EQ(s.lfListeCDeinlesen->count(), 0);
        EXPECT_EQ(f.c.lfListeCDeinlesen->count(), 0);
        EXPECT_EQ(f.c.lfListeCDEinlesenOhneGroesse->count(), 0);
        EXPECT_EQ(t.k.fake.drives.trayLog, QStringList{"open D:"});
        EXPECT_EQ(s.hoeheTwips(), scan::HoeheEingeklappt);
        break;
    }
    if (fall.eingriff == Eingriff::Beenden)
        return;

    // The program keeps working: the window, or a new one, reads the disc to the end.
    scan::frmCDeinlesen* jetzt = f.scanfenster();
    if (!jetzt || !jetzt->isVisible())
        jetzt = &t.oeffnen();
    jetzt->takt = {0, 0};
    jetzt->cmdCDAuswerfen->click();
    zeileKlicken(jetzt->List1, ZeileD);
    EXPECT_EQ(zeilenVon(jetzt->lfListeCDeinlesen), DiscNamen);
    EXPECT_EQ(zeilenVon(f.c.lfListeCDEinlesenOhneGroesse), DiscNamen);
    EXPECT_TRUE(jetzt->lbFortschritt->isHidden());
    EXPECT_FALSE(jetzt->laeuft());
}

std::vector<Fall> alleFaelle()
{
    std::vector<Fall> faelle;
    for (const Lauf lauf : {Lauf::Disc, Lauf::Platte})
        for (const Stelle stelle : {Stelle::ErsterEintrag, Stelle::MitteImOrdner, Stelle::LetzterEintrag})
            for (int e = 0; e <= int(Eingriff::Plus); ++e)
                faelle.push_back({lauf, stelle, Eingriff(e)});
    return faelle;
}

INSTANTIATE_TEST_SUITE_P(CDeinlesen, WaehrendDesLaufs, ::testing::ValuesIn(alleFaelle()),
                         [](const auto& fallInfo) { return fallName(fallInfo.param); });

// What the display shows at each step of a walk, with the display refreshed at
// every step; with a longer interval it stays hidden although events ran at
// every entry. Either way the walk's result is the same.
struct Anzeigefall {
    const char* name;
    Lauf lauf;
    QStringList schritte;  // the display's lines after the first, one entry per step
};

class Fortschritt : public ::testing::TestWithParam<Anzeigefall> {};

TEST_P(Fortschritt, ShowsEveryStepByIntervalAndGoesWithTheWalk)
{
    const Anzeigefall& fall = GetParam();
    for (const bool jedenSchritt : {true, false}) {
        SCOPED_TRACE(jedenSchritt ? "display at every step" : "display interval longer than the walk");
        Scan t("[Funktionen]\r\nmit HDD=1\r\n");
        for (const QString& ordner : PlattenOrdner)
            t.k.folder.write("platteC/" + ordner.mid(3) + "/.leer", "");
        t.discWechseln("ZWEITE", Disc);
        scan::frmCDeinlesen& s = t.oeffnen();
        s.takt = {0, jedenSchritt ? 0 : 3600 * 1000};
        QStringList gesehen;
        int pumpen = 0;
        bool sanduhr = true;
        QTimer pumpe;
        pumpe.setInterval(0);
        QObject::connect(&pumpe, &QTimer::timeout, [&] {
            ++pumpen;
            sanduhr = sanduhr && vb::mousePointer() == 11;
            if (s.lbFortschritt->isVisible())
                gesehen << s.lbFortschritt->text();
        });
        pumpe.start();
        zeileKlicken(s.List1, fall.lauf == Lauf::Disc ? ZeileD : ZeileC);
        pumpe.stop();

        const QString kopf = fall.lauf == Lauf::Disc ? QStringLiteral("Einlesen läuft …\n")
                                                     : QStringLiteral("Ordner werden gesucht …\n");
        QStringList erwartet;
        for (const QString& schritt : fall.schritte)
            erwartet << kopf + schritt;
        EXPECT_EQ(gesehen, jedenSchritt ? erwartet : QStringList{});
        EXPECT_GE(pumpen, fall.schritte.size()) << "events ran at every step";
        EXPECT_TRUE(sanduhr);
        EXPECT_TRUE(s.lbFortschritt->isHidden());
        EXPECT_EQ(vb::mousePointer(), 0);
        if (fall.lauf == Lauf::Disc) {
            EXPECT_EQ(zeilenVon(s.lfListeCDeinlesen), DiscNamen);
            EXPECT_EQ(zeilenVon(s.lfListeCDeinlesenAlles),
                      (QStringList{"A: 0", "a1.txt: 0", "a2.txt: 0", "a3.txt: 0", "b.avi: 0", "C: 0", "c1.txt: 0"}));
            EXPECT_EQ(zeilenVon(s.lfListeCDeinlesenGroesse), QStringList(5, " 0")) << "one size row a file";
            EXPECT_EQ(s.txtDriveInfo->toPlainText().section(u'\n', 1, 1), "Bezeichnung: ZWEITE");
            EXPECT_EQ(s.tfCDFormat->text(), "XVID");
        } else {
            EXPECT_EQ(zeilenVon(s.List1), Laufwerkszeilen + PlattenOrdner);
            EXPECT_EQ(s.txtDriveInfo->toPlainText(), "");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    CDeinlesen, Fortschritt,
    ::testing::Values(Anzeigefall{"Disc",
                                  Lauf::Disc,
                                  {"0 Ordner, 0 Dateien\nD:/", "1 Ordner, 0 Dateien\nD:/A", "1 Ordner, 1 Datei\nD:/A",
                                   "1 Ordner, 2 Dateien\nD:/A", "1 Ordner, 3 Dateien\nD:/", "1 Ordner, 4 Dateien\nD:/",
                                   "2 Ordner, 4 Dateien\nD:/C"}},
                      Anzeigefall{"Ordnersuche",
                                  Lauf::Platte,
                                  {"0 Ordner\nC:/", "1 Ordner\nC:/A", "2 Ordner\nC:/A", "3 Ordner\nC:/", "4 Ordner\nC:/"}}),
    [](const auto& fallInfo) { return std::string(fallInfo.param.name); });

TEST(CDeinlesenFortschritt, ALongFolderIsShortenedInTheMiddleToFitTheDisplay)
{
    Scan t;
    const QString lang = QString(120, u'x') + QStringLiteral("_Ende");
    t.discWechseln("LANG", {{lang + "/f.txt", 1}});
    scan::frmCDeinlesen& s = t.oeffnen();
    s.takt = {0, 0};
    QString zeile;
    QTimer pumpe;
    pumpe.setInterval(0);
    QObject::connect(&pumpe, &QTimer::timeout, [&] {
        if (s.lbFortschritt->isVisible() && s.lbFortschritt->text().contains("1 Ordner"))
            zeile = s.lbFortschritt->text().section(u'\n', 2);
    });
    pumpe.start();
    zeileKlicken(s.List1, ZeileD);
    pumpe.stop();
    EXPECT_TRUE(zeile.startsWith("D:/xxx")) << zeile.toStdString();
    EXPECT_TRUE(zeile.endsWith("xx_Ende")) << zeile.toStdString();
    EXPECT_TRUE(zeile.contains(QChar(0x2026)));
    EXPECT_LE(s.lbFortschritt->fontMetrics().horizontalAdvance(zeile),
              s.lbFortschritt->contentsRect().width() - 2 * s.lbFortschritt->margin());
}

TEST(CDeinlesenFortschritt, Screenshot)
{
    const QByteArray ordner = qgetenv("RDX_SCREENSHOTS");
    if (ordner.isEmpty())
        GTEST_SKIP() << "RDX_SCREENSHOTS names no folder";
    Scan t("[Funktionen]\r\nmit HDD=1\r\n");
    std::vector<std::pair<QString, qint64>> dateien;
    for (int i = 0; i < 40; ++i)
        dateien.push_back({QString("Staffel %1/Folge_%2/Der Film %3.avi").arg(i / 10).arg(i % 10).arg(i), 1});
    t.discWechseln("SERIE", dateien);
    scan::frmCDeinlesen& s = t.oeffnen();
    s.takt = {0, 0};
    bool gemacht = false;
    QTimer pumpe;
    pumpe.setInterval(0);
    QObject::connect(&pumpe, &QTimer::timeout, [&] {
        if (!gemacht && s.lbFortschritt->isVisible() && s.lbFortschritt->text().contains("Dateien\nD:/Staffel 2/")) {
            gemacht = true;
            s.grab().save(QString::fromUtf8(ordner) + "/frmCDeinlesen_lauf.png");
        }
    });
    pumpe.start();
    zeileKlicken(s.List1, ZeileD);
    pumpe.stop();
    EXPECT_TRUE(gemacht);
}

// A dialog that runs its own event loop after the close, still inside the
// walk's pump, must not delete the window under the walk.
TEST(CDeinlesenLauf, AWindowClosedDuringTheWalkOutlivesADialogOpenedThen)
{
    for (const Lauf lauf : {Lauf::Disc, Lauf::Platte}) {
        SCOPED_TRACE(lauf == Lauf::Disc ? "disc" : "folder search");
        Scan t("[Funktionen]\r\nmit HDD=1\r\n");
        for (const QString& ordner : PlattenOrdner)
            t.k.folder.write("platteC/" + ordner.mid(3) + "/.leer", "");
        t.discWechseln("ZWEITE", Disc);
        scan::frmCDeinlesen& s = t.oeffnen();
        s.takt = {0, 0};
        QPointer<scan::frmCDeinlesen> fenster(&s);
        bool ueberlebt = false;
        Eingriffspunkt punkt;
        punkt.ausfuehren(
            s, zeigt(lauf, Stelle::MitteImOrdner),
            [&] {
                s.cmdAbbrechen->click();
                QEventLoop dialog;
                QTimer::singleShot(5, &dialog, &QEventLoop::quit);
                dialog.exec();
                ueberlebt = !fenster.isNull();
            },
            [&] { zeileKlicken(s.List1, lauf == Lauf::Disc ? ZeileD : ZeileC); });
        ASSERT_TRUE(punkt.eingegriffen);
        EXPECT_TRUE(ueberlebt);
        EXPECT_EQ(punkt.schritteDanach, 0);
        EXPECT_TRUE(t.k.f->c.lfListeCDeinlesen->count() == 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(fenster.isNull());
    }
}

}  // namespace
