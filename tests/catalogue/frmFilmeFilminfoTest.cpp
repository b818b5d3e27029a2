// The film lookup against a web server on 127.0.0.1: the request, the page
// text, the genre, the cover choice and the download into "covers".
#include "tests/catalogue/Bearbeitung.h"
#include "tests/catalogue/Filmkatalog.h"
#include "tests/support/LoopbackServer.h"

#include "platform/vb/Formular.h"
#include "platform/vb/VbRuntime.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QTimer>
#include <QUrlQuery>

#include <gtest/gtest.h>

#include <optional>

using namespace testing_support;

namespace {

const QByteArray Seite =
    "<html><head><title>x</title></head><body><p>Matrix (1999)</p>"
    "<p>GENRE: Science Fiction\r\nDARSTELLER: Neo</p><img src=\"../bilder/m.jpg\" alt=\"Bild\">"
    "<img src=\"/foto/n.jpg\"></body></html>";

struct Suche {
    Suche() : k("[URL]\r\nFilm=www.filme.example/db\r\n")
    {
        if (!server.listening())
            return;
        const ini::IniFile ini(k.folder.file("Cd.ini"));
        ini.write("URL", "Suchadresse", server.address());
        ini.write("URL", "Bildadresse", server.address());
        QDir().mkpath(k.folder.file("covers"));
    }

    frmFilme& zeigen(const QString& titel) { return testing_support::zeigen(k, titel); }

    LoopbackServer server;
    Filmkatalog k;
};

QStringList lfCoverZeilen(const frmFilme& f)
{
    QStringList z;
    for (int i = 0; i < f.c.lfCover->count(); ++i)
        z.append(f.c.lfCover->item(i)->text());
    return z;
}

}  // namespace

TEST(Filminfo, ThePageBecomesInfoGenreAndCoverChoice)
{
    Suche s;
    ASSERT_TRUE(s.server.listening());
    frmFilme& f = s.zeigen("Matrix");
    f.c.tfTitel->setText("Matrix & Co DVD");
    s.server.answer(ScriptedAnswer::with(302).redirect("/treffer"));
    s.server.answer(ScriptedAnswer::with(200, Seite).header("Content-Type", "text/html; charset=utf-8"));
    s.k.fake.messages.answer(sys::mb::Ok);
    f.c.cmdFilminfo->click();

    ASSERT_EQ(s.server.requestLines.size(), 2);
    const QUrl anfrage("http://x" + s.server.requestLines[0].section(' ', 1, 1));
    EXPECT_EQ(anfrage.path(), "/search");
    const QUrlQuery q(anfrage);
    QStringList schluessel;
    for (const auto& [name, wert] : q.queryItems(QUrl::FullyDecoded))
        schluessel << name;
    EXPECT_EQ(schluessel, (QStringList{"as_q", "num", "hl", "btnG", "as_epq", "as_oq", "as_eq", "lr", "as_ft",
                                       "as_filetype", "as_qdr", "as_occt", "as_dt", "as_sitesearch", "as_rights",
                                       "safe", "btnI", "meta"}))
        << "the \"&\" of the title cuts nothing";
    EXPECT_EQ(q.queryItemValue("as_q", QUrl::FullyDecoded), "+matrix & co ");
    EXPECT_EQ(q.queryItemValue("as_sitesearch", QUrl::FullyDecoded), "www.filme.example/db");

    EXPECT_EQ(s.k.fake.messages.shown.front().prompt, "Wollen Sie diese Info laden?");
    EXPECT_TRUE(f.c.tfInfo->toPlainText().contains("Matrix (1999)"));
    EXPECT_EQ(f.c.tfCat->text(), "Science Fiction") << "the blank before the marker is dropped";
    EXPECT_EQ(lfCoverZeilen(f), (QStringList{"../bilder/m.jpg", "/foto/n.jpg"}));
    EXPECT_FALSE(f.c.lfCover->isHidden());
    EXPECT_EQ(f.c.lbTitel(1)->text(), "Gewünschtes Image/Bild zum speichern bitte anklicken!");
    EXPECT_TRUE(f.c.lbCat(1)->isHidden());
    EXPECT_TRUE(f.c.WebBrowser1->isHidden());
    EXPECT_TRUE(f.c.WebBrowser1->Offline());
    EXPECT_EQ(f.c.WebBrowser1->ReadyState(), 4);

    // The choice: the picture goes into "covers" under the title shown.
    f.c.tfTitel->setText("Matrix");
    s.server.answer(ScriptedAnswer::with(200, "BILD"));
    f.c.lfCover->setCurrentRow(0);
    f.lfCover_Click();
    EXPECT_EQ(s.server.requestLines.last(), "GET /filminfo/bilder/m.jpg HTTP/1.1");
    EXPECT_EQ(s.k.folder.read("covers/Matrix.jpg"), "BILD");
    EXPECT_EQ(spalte(s.k, "Filme", "Cover", "Matrix"), "Matrix.jpg");
    EXPECT_TRUE(f.c.lfCover->isHidden());
    EXPECT_EQ(f.c.lfCover->count(), 0);
    EXPECT_EQ(f.c.tfCoverübergeben->text(), "0");
    EXPECT_EQ(f.c.lbTitel(1)->width(), vb::pixel(2415));
    EXPECT_EQ(integrität(s.k), "ok");
}

// A lookup that finds nothing to offer asks nothing, changes no field and
// says why: the search cannot be reached, keeps silent, or names no film.
struct Fehlschlagfall {
    const char* name;
    bool serverAus;
    std::optional<ScriptedAnswer> antwort;
    const char* meldungBeginn;
};

void PrintTo(const Fehlschlagfall& f, std::ostream* os)
{
    *os << f.name;
}

class Fehlschlag : public testing::TestWithParam<Fehlschlagfall> {};

const char* const KeinTreffer =
    "Es wurden keine Inhalte gefunden! Versuchen Sie zB. eine andere Film DB URL in den Optionen zu hinterlegen!";

TEST_P(Fehlschlag, LeavesEveryFieldAsItWasAndSaysWhy)
{
    const Fehlschlagfall& fall = GetParam();
    Suche s;
    ASSERT_TRUE(s.server.listening());
    if (fall.serverAus) {
        // A port where nothing listens any more.
        const QString tot = [] {
            LoopbackServer weg;
            return weg.address();
        }();
        ini::IniFile(s.k.folder.file("Cd.ini")).write("URL", "Suchadresse", tot);
    }
    if (fall.antwort)
        s.server.answer(*fall.antwort);
    frmFilme& f = s.zeigen("Alien");
    f.c.tfInfo->setPlainText("vorher");
    f.c.tfCat->setText("Horror");
    const auto vorher = katalogInhalt(s.k);
    f.c.cmdFilminfogoogle->click();

    ASSERT_EQ(s.k.fake.messages.shown.size(), 1u) << "no question whether to load it";
    const ShownMessage& m = s.k.fake.messages.shown.front();
    EXPECT_TRUE(m.prompt.startsWith(QString::fromUtf8(fall.meldungBeginn))) << m.prompt.toStdString();
    EXPECT_EQ(m.title, "Keine Filminfo");
    EXPECT_EQ(m.flags, sys::mb::Exclamation);
    EXPECT_EQ(f.c.tfInfo->toPlainText(), "vorher");
    EXPECT_EQ(f.c.tfCat->text(), "Horror");
    EXPECT_EQ(f.c.lfCover->count(), 0);
    EXPECT_EQ(f.c.tfCoverübergeben->text(), "0");
    EXPECT_TRUE(f.c.WebBrowser1->isHidden());
    EXPECT_TRUE(f.c.WebBrowser1->Offline());
    EXPECT_EQ(katalogInhalt(s.k), vorher);
}

INSTANTIATE_TEST_SUITE_P(
    Filminfo, Fehlschlag,
    testing::Values(
        Fehlschlagfall{"ServerAus", true, std::nullopt, "Die Seite konnte nicht geladen werden: "},
        Fehlschlagfall{"Schweigen", false, ScriptedAnswer::with(200).silent(),
                       "Die Seite konnte nicht geladen werden: Zeitüberschreitung.\nBitte die Verbindung zum "
                       "Internet prüfen."},
        Fehlschlagfall{"Fehlerantwort", false,
                       ScriptedAnswer::with(404, "<html><body>GENRE: x DARSTELLER:<img src=\"/f.jpg\"></body></html>"),
                       KeinTreffer},
        Fehlschlagfall{"SeiteOhneFilm", false,
                       ScriptedAnswer::with(200, "<html><body><p>Die Seite wurde nicht gefunden.</p></body></html>"),
                       KeinTreffer},
        Fehlschlagfall{"LeereSeite", false, ScriptedAnswer::with(200, "<html><body> </body></html>"), KeinTreffer}),
    [](const testing::TestParamInfo<Fehlschlagfall>& fall) { return std::string(fall.param.name); });

// A page without a picture still gives its text, when the user takes it; the
// cover stays as it was and the message says there was none.
TEST(Filminfo, APageWithoutAPictureGivesItsTextAndKeepsTheCover)
{
    Suche s;
    ASSERT_TRUE(s.server.listening());
    frmFilme& f = s.zeigen("Der Pate");
    s.server.answer(ScriptedAnswer::with(200, "<html><body><p>Der Pate (1972)</p>"
                                              "<p>GENRE: Krimi\r\nDARSTELLER: Brando</p></body></html>"));
    s.k.fake.messages.answer(sys::mb::Ok);
    f.c.cmdFilminfo->click();
    ASSERT_EQ(s.k.fake.messages.shown.size(), 2u);
    EXPECT_EQ(s.k.fake.messages.shown.back().prompt, "Tut mir leid - kein Image/Bild auf der Webseite gefunden");
    EXPECT_EQ(s.k.fake.messages.shown.back().title, "Kein Cover gefunden");
    EXPECT_TRUE(f.c.tfInfo->toPlainText().startsWith("Der Pate (1972)"));
    EXPECT_EQ(f.c.tfCat->text(), "Krimi");
    EXPECT_TRUE(f.c.lfCover->isHidden());
    EXPECT_EQ(spalte(s.k, "Filme", "Cover", "Der Pate"), "pate.jpg");
}

TEST(Filminfo, CancelKeepsTheFieldsAndTheChecksComeFirst)
{
    Suche s;
    ASSERT_TRUE(s.server.listening());
    frmFilme& f = s.zeigen("Alien");
    f.c.tfInfo->setPlainText("alt");
    s.server.answer(ScriptedAnswer::with(200, Seite));
    s.k.fake.messages.answer(sys::mb::Cancel);
    f.c.cmdFilminfo->click();
    EXPECT_EQ(f.c.tfInfo->toPlainText(), "alt");
    EXPECT_EQ(f.c.lfCover->count(), 0);

    f.c.tfTitel->clear();
    f.c.cmdFilminfogoogle->click();
    EXPECT_EQ(s.k.fake.messages.shown.back().prompt, "Bitte erst einen Titel wählen!");
    EXPECT_FALSE(f.c.WebBrowser1->Offline()) << "the search button leaves the browser online";
    f.c.cmdFilminfo->click();
    EXPECT_TRUE(f.c.WebBrowser1->Offline());
    EXPECT_EQ(s.server.requestLines.size(), 1);
}

TEST(Filminfo, TheDownloadGoesToTheSubEntryShownAndRefusesWhatItCannotStore)
{
    Suche s;
    ASSERT_TRUE(s.server.listening());
    frmFilme& f = s.zeigen("Matrix");
    f.c.cmdUnterordner->click();
    for (int i = 0; i < f.c.lfListe2->count(); ++i)
        if (f.c.lfListe2->item(i)->text().startsWith("Matrix Teil 1"))
            f.c.lfListe2->setCurrentRow(i);
    ASSERT_EQ(f.c.tfTitel->text(), "Matrix Teil 1");
    s.server.answer(ScriptedAnswer::with(200, "TEIL"));
    f.c.lfCover->addItem("/filminfo/t.jpg");
    f.c.lfCover->setCurrentRow(0);
    f.lfCover_Click();
    EXPECT_EQ(s.server.requestLines.last(), "GET /filminfo/t.jpg HTTP/1.1");
    EXPECT_EQ(roh(s.k.folder.file("filme.mdb"), "SELECT Cover FROM Unterordner WHERE Titel2 = 'Matrix Teil 1'"),
              std::vector<QStringList>{{"Matrix Teil 1.jpg"}});
    EXPECT_EQ(spalte(s.k, "Filme", "Cover", "Matrix"), "-");

    // A failed answer writes nothing and keeps the older picture.
    s.k.folder.write("covers/Matrix Teil 1.jpg", "ALT");
    s.server.answer(ScriptedAnswer::with(500, "Fehlerseite"));
    f.c.lfCover->addItem("../x.jpg");
    f.c.lfCover->setCurrentRow(0);
    f.lfCover_Click();
    EXPECT_EQ(s.k.fake.messages.shown.back().prompt, "Fehler beim Download von Bilddateien: Fehler beim Download!");
    EXPECT_EQ(s.k.fake.messages.shown.back().flags, sys::mb::Critical);
    EXPECT_EQ(s.k.folder.read("covers/Matrix Teil 1.jpg"), "ALT");
    EXPECT_TRUE(f.c.lfCover->isHidden()) << "the choice closes all the same";

    // An unsaved title downloads nothing and keeps the choice open.
    f.c.tfTitel->setText("a/b");
    f.c.lfCover->addItem("../y.jpg");
    f.c.lfCover->setCurrentRow(0);
    const int anfragen = static_cast<int>(s.server.requestLines.size());
    f.lfCover_Click();
    EXPECT_EQ(s.k.fake.messages.shown.back().prompt, "Bitte Datensatz erst speichern!");
    EXPECT_EQ(f.c.lfCover->count(), 1);
    EXPECT_EQ(s.server.requestLines.size(), anfragen);
}

TEST(Filminfo, ClicksDuringALookupAreIgnoredAndATitleWithASlashWritesNothing)
{
    Suche s;
    ASSERT_TRUE(s.server.listening());
    s.k.ausführen("INSERT INTO Filme (Titel, Cover) VALUES ('AC/DC Live', '-')");
    frmFilme& f = s.zeigen("AC/DC Live");
    ASSERT_EQ(f.c.tfTitel->text(), "AC/DC Live");
    s.server.answer(ScriptedAnswer::with(200, Seite).delay(400));
    // Both buttons clicked again while the page is on its way.
    QTimer::singleShot(100, f.c.cmdFilminfo, [&f] {
        f.c.cmdFilminfo->click();
        f.c.cmdFilminfogoogle->click();
    });
    s.k.fake.messages.answer(sys::mb::Ok);
    f.c.cmdFilminfogoogle->click();
    EXPECT_EQ(s.server.requestLines.size(), 1);
    EXPECT_EQ(s.k.fake.messages.shown.size(), 1u);
    ASSERT_EQ(lfCoverZeilen(f), (QStringList{"../bilder/m.jpg", "/foto/n.jpg"}));

    f.c.lfCover->setCurrentRow(1);
    f.lfCover_Click();
    EXPECT_EQ(s.k.fake.messages.shown.back().prompt, "Fehler beim Download von Bilddateien: Fehler beim Download!");
    EXPECT_EQ(s.server.requestLines.size(), 1) << "nothing fetched for a name that leaves \"covers\"";
    EXPECT_EQ(QDir(s.k.folder.file("covers")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    EXPECT_EQ(spalte(s.k, "Filme", "Cover", "AC/DC Live"), "-");
}

// A page of some 20 MB: the genre at its start, a line to find at its end.
QByteArray riesenseite()
{
    QByteArray seite = "<html><body><p>Matrix (1999)</p><p>GENRE: Science Fiction\r\nDARSTELLER: Neo</p>\r\n";
    const QByteArray zeile = "<p>Eine lange Seite &amp; noch eine Zeile mit <b>fettem</b> Text und &Auml;rger.</p>\r\n";
    seite.reserve(20 * 1024 * 1024 + 1024);
    while (seite.size() < 20 * 1024 * 1024)
        seite += zeile;
    return seite + "<p>Das Ende der Seite</p><img src=\"/foto/ende.jpg\"></body></html>";
}

// The window is drawn as the user sees it, pending events and layouts included.
QImage gezeichnet(QWidget& w)
{
    QCoreApplication::processEvents();
    return w.grab().toImage();
}

TEST(Filminfo, AVeryLargePageShowsItsBeginningAndLeavesTheProgramResponsive)
{
    Suche s;
    ASSERT_TRUE(s.server.listening());
    frmFilme& f = s.zeigen("Matrix");
    f.show();
    // The page while the question asks whether to load it.
    f.c.WebBrowser1->setWeb(&s.k.fake.web);
    f.c.WebBrowser1->setOffline(false);
    s.server.answer(ScriptedAnswer::with(200, riesenseite()).header("Content-Type", "text/html; charset=utf-8"));
    f.c.WebBrowser1->show();
    f.c.WebBrowser1->raise();
    f.c.WebBrowser1->Navigate(QUrl(s.server.address() + "/seite"));
    EXPECT_FALSE(gezeichnet(f).isNull());
    f.c.WebBrowser1->hide();

    s.server.answer(ScriptedAnswer::with(200, riesenseite()).header("Content-Type", "text/html; charset=utf-8"));
    s.k.fake.messages.answer(sys::mb::Ok);
    f.c.cmdFilminfo->click();
    EXPECT_FALSE(gezeichnet(f).isNull());
    const QString info = f.c.tfInfo->toPlainText();
    EXPECT_TRUE(f.c.tfInfo->isVisible());
    EXPECT_TRUE(info.startsWith("Matrix (1999)")) << info.left(80).toStdString();
    EXPECT_TRUE(info.endsWith("(Die Seite ist sehr lang: der Text wurde nach 100.000 Zeichen abgeschnitten.)"))
        << info.right(120).toStdString();
    EXPECT_FALSE(info.contains("Das Ende der Seite"));
    EXPECT_EQ(f.c.tfCat->text(), "Science Fiction");
    EXPECT_EQ(lfCoverZeilen(f), QStringList{"/foto/ende.jpg"}) << "the whole page is searched for pictures";

    // "Beenden" asks about the fetched text; without it the program ends at once.
    s.k.fake.messages.answer(sys::mb::No);
    f.c.mnuBeenden->trigger();
    EXPECT_EQ(s.k.fake.messages.shown.back().prompt, "Änderungen an \"Matrix\" speichern?");
    EXPECT_FALSE(f.isVisible());
}

TEST(Filminfo, Screenshots)
{
    const QByteArray ordner = qgetenv("RDX_SCREENSHOTS");
    if (ordner.isEmpty())
        GTEST_SKIP() << "RDX_SCREENSHOTS names no folder";
    Suche s;
    ASSERT_TRUE(s.server.listening());
    frmFilme& f = s.zeigen("Matrix");
    f.c.WebBrowser1->setWeb(&s.k.fake.web);
    f.c.WebBrowser1->setOffline(false);
    s.server.answer(ScriptedAnswer::with(200, Seite));
    f.c.WebBrowser1->show();
    f.c.WebBrowser1->raise();
    f.c.WebBrowser1->Navigate(QUrl(s.server.address() + "/seite"));
    f.grab().save(QString::fromUtf8(ordner) + "/frmFilme_Browser.png");
    f.c.WebBrowser1->hide();
    s.server.answer(ScriptedAnswer::with(200, Seite));
    s.k.fake.messages.answer(sys::mb::Ok);
    f.c.cmdFilminfo->click();
    f.grab().save(QString::fromUtf8(ordner) + "/frmFilme_Coverauswahl.png");
}
