#include "platform/system/Web.h"
#include "tests/support/LoopbackServer.h"
#include "tests/support/TempFolder.h"

#include <QFile>
#include <gtest/gtest.h>

using testing_support::LoopbackServer;
using testing_support::ScriptedAnswer;
using testing_support::TempFolder;

namespace {

constexpr auto Limit = std::chrono::milliseconds(1500);

QUrl at(const LoopbackServer& server, const char* path)
{
    return QUrl(server.address() + QLatin1String(path));
}

}  // namespace

TEST(NetWeb, LoadsAPageAfterItsRedirectsAndKeepsTheAddressThatAnswered)
{
    LoopbackServer server;
    ASSERT_TRUE(server.listening());
    server.answer(ScriptedAnswer::with(302).redirect("/film/titanic.htm"));
    server.answer(ScriptedAnswer::with(200, "<html><body>GENRE: Drama</body></html>")
                      .header("Content-Type", "text/html; charset=utf-8"));
    sys::NetWeb web(Limit);
    const sys::WebPage page = web.load(at(server, "/search?as_q=+titanic"));
    EXPECT_TRUE(page.loaded) << page.error.toStdString();
    EXPECT_EQ(page.status, 200);
    EXPECT_EQ(page.body, QByteArray("<html><body>GENRE: Drama</body></html>"));
    EXPECT_EQ(page.contentType, QByteArray("text/html; charset=utf-8"));
    EXPECT_EQ(page.address.path(), QStringLiteral("/film/titanic.htm"));
    EXPECT_EQ(server.requestLines,
              (QStringList{QStringLiteral("GET /search?as_q=+titanic HTTP/1.1"),
                           QStringLiteral("GET /film/titanic.htm HTTP/1.1")}));
}

struct Fehlschlag {
    const char* name;
    std::vector<ScriptedAnswer> answers;
    const char* reason;  // a part of the error text
};

class NetWebFehler : public ::testing::TestWithParam<Fehlschlag> {};

TEST_P(NetWebFehler, EndsWithinTheLimitWithAReasonForTheErrorPage)
{
    LoopbackServer server;
    ASSERT_TRUE(server.listening());
    for (const ScriptedAnswer& a : GetParam().answers)
        server.answer(a);
    sys::NetWeb web(Limit, 1024);
    const sys::WebPage page = web.load(at(server, "/loop"));
    EXPECT_FALSE(page.loaded);
    EXPECT_TRUE(page.error.contains(QString::fromUtf8(GetParam().reason))) << page.error.toStdString();
}

std::vector<ScriptedAnswer> redirectLoop()
{
    std::vector<ScriptedAnswer> answers;
    for (int i = 0; i < 20; ++i)
        answers.push_back(ScriptedAnswer::with(301).redirect("/loop"));
    return answers;
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, NetWebFehler,
    ::testing::Values(Fehlschlag{"NotFound", {ScriptedAnswer::with(404, "<p>weg</p>")}, "404"},
                      Fehlschlag{"ServerError", {ScriptedAnswer::with(500, "kaputt")}, "500"},
                      Fehlschlag{"SilentServer", {ScriptedAnswer::with(200).silent()}, "Zeitüberschreitung"},
                      Fehlschlag{"SlowerThanTheLimit", {ScriptedAnswer::with(200, "spät").delay(3000)},
                                 "Zeitüberschreitung"},
                      Fehlschlag{"OverTheSizeLimit", {ScriptedAnswer::with(200, QByteArray(5000, 'x'))}, "zu groß"},
                      // Stopped by the redirect limit, long before the script runs out.
                      Fehlschlag{"RedirectLoop", redirectLoop(), "edirect"}),
    [](const auto& fall) { return std::string(fall.param.name); });

TEST(NetWeb, ARefusedConnectionIsAnError)
{
    quint16 port = 0;
    {
        LoopbackServer closed;
        port = QUrl(closed.address()).port();
    }
    sys::NetWeb web(Limit);
    const sys::WebPage page = web.load(QUrl(QStringLiteral("http://127.0.0.1:%1/x").arg(port)));
    EXPECT_FALSE(page.loaded);
    EXPECT_FALSE(page.error.isEmpty());
}

TEST(NetWeb, DownloadsAWholePictureIntoItsFolder)
{
    TempFolder covers;
    LoopbackServer server;
    const QByteArray bytes = QByteArray("\x89PNG\r\n", 6) + QByteArray(3000, 'p');
    server.answer(ScriptedAnswer::with(200, bytes).header("Content-Type", "image/jpeg"));
    sys::NetWeb web(Limit);
    QString error;
    ASSERT_TRUE(web.download(at(server, "/filminfo/bilder/x.jpg"), covers.path(), QStringLiteral("Titanic.jpg"),
                             &error))
        << error.toStdString();
    EXPECT_EQ(covers.read(QStringLiteral("Titanic.jpg")), bytes);
    EXPECT_EQ(server.requestLines, QStringList{QStringLiteral("GET /filminfo/bilder/x.jpg HTTP/1.1")});
}

struct Abbruch {
    const char* name;
    ScriptedAnswer answer;
};

class NetWebDownload : public ::testing::TestWithParam<Abbruch> {};

TEST_P(NetWebDownload, LeavesAnOlderPictureAsItWasAndNoPartialFile)
{
    TempFolder covers;
    covers.write(QStringLiteral("Titanic.jpg"), "alt");
    LoopbackServer server;
    server.answer(GetParam().answer);
    sys::NetWeb web(Limit, sys::NetWeb::PageLimit, 2048);
    QString error;
    EXPECT_FALSE(web.download(at(server, "/bild.jpg"), covers.path(), QStringLiteral("Titanic.jpg"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(covers.read(QStringLiteral("Titanic.jpg")), QByteArray("alt"));
    EXPECT_EQ(QDir(covers.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Titanic.jpg")});
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, NetWebDownload,
    ::testing::Values(Abbruch{"NotFound", ScriptedAnswer::with(404, "<html>nicht da</html>")},
                      Abbruch{"ServerError", ScriptedAnswer::with(500, "x")},
                      Abbruch{"DroppedInTheMiddle", ScriptedAnswer::with(200, QByteArray(1500, 'b')).cut(700)},
                      Abbruch{"OverTheLimit", ScriptedAnswer::with(200, QByteArray(5000, 'b'))},
                      Abbruch{"SilentServer", ScriptedAnswer::with(200).silent()}),
    [](const auto& fall) { return std::string(fall.param.name); });

TEST(NetWeb, RefusesAFileNameThatLeavesItsFolderAndAMissingFolder)
{
    TempFolder covers;
    LoopbackServer server;
    sys::NetWeb web(Limit);
    for (const QString& name : {QStringLiteral("../x.jpg"), QStringLiteral("a/b.jpg"), QStringLiteral(".."),
                                QString()}) {
        QString error;
        EXPECT_FALSE(web.download(at(server, "/x"), covers.path(), name, &error)) << name.toStdString();
    }
    EXPECT_TRUE(server.requestLines.isEmpty());
    QString error;
    EXPECT_FALSE(
        web.download(at(server, "/x"), covers.file(QStringLiteral("covers")), QStringLiteral("a.jpg"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(sys::fileNameStaysInFolder(QStringLiteral("AC/DC Live?.jpg").mid(3)));
}

TEST(WebAddresses, DefaultsInCodeOverriddenByTheSettingsFile)
{
    TempFolder folder;
    const ini::IniFile settings(folder.file(QStringLiteral("Cd.ini")));
    const QUrl last(QStringLiteral("https://filme.example:8443/film/x.htm?y=1"));
    EXPECT_TRUE(sys::searchAddress(settings).startsWith(QLatin1String("https://")));
    EXPECT_EQ(sys::pictureSite(settings, last), QStringLiteral("https://filme.example:8443"));
    EXPECT_EQ(sys::pictureSite(settings, QUrl()), QString());
    ASSERT_TRUE(settings.write(QStringLiteral("URL"), QStringLiteral("Suchadresse"),
                               QStringLiteral("http://127.0.0.1:8080/")));
    ASSERT_TRUE(settings.write(QStringLiteral("URL"), QStringLiteral("Bildadresse"),
                               QStringLiteral("http://127.0.0.1:9090")));
    EXPECT_EQ(sys::searchAddress(settings), QStringLiteral("http://127.0.0.1:8080"));
    EXPECT_EQ(sys::pictureSite(settings, last), QStringLiteral("http://127.0.0.1:9090"));
}

struct Antwort {
    const char* name;
    QByteArray body;
    QByteArray contentType;
    const char16_t* text;
};

class pageBodyHtml : public ::testing::TestWithParam<Antwort> {};

TEST_P(pageBodyHtml, GivesTheBodyAsTheBrowserHandsItOver)
{
    EXPECT_EQ(sys::pageBodyHtml(GetParam().body, GetParam().contentType), QString::fromUtf16(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Seiten, pageBodyHtml,
    ::testing::Values(
        Antwort{"Utf8ByHeader", "<html><body class=a>\xc3\xa4\nb</body></html>", "text/html; charset=UTF-8",
                u"\u00e4\r\nb"},
        Antwort{"Cp1252ByMeta", "<head><meta charset=\"windows-1252\"></head><body>\x80 \xe4</body>", "text/html",
                u"\u20ac \u00e4"},
        Antwort{"Latin1LabelReadsAsCp1252", "<body>\x93x\x94</body>", "text/html; charset=ISO-8859-1",
                u"\u201cx\u201d"},
        Antwort{"Utf8WhenValid", "<body>\xc3\xbc</body>", "", u"\u00fc"},
        Antwort{"Cp1252WhenNotUtf8", "<body>\xfc</body>", "", u"\u00fc"},
        Antwort{"NoBodyAfterTheHead", "<head><title>t</title></head>Rest\r\n", "", u"Rest\r\n"},
        Antwort{"NoBodyNoHead", "a\rb", "", u"a\r\nb"},
        Antwort{"NumericReferences", "<body>&#233;&#x41;&#38;&#60;&#62;&#xZ;&#1234567890;</body>", "",
                u"\u00e9A&#38;&#60;&#62;&#xZ;&#1234567890;"}),
    [](const auto& fall) { return std::string(fall.param.name); });

TEST(shownBody, AFailedLoadShowsTheErrorPageWithItsReason)
{
    sys::WebPage page;
    page.error = QStringLiteral("HTTP 404 <Not Found>");
    EXPECT_EQ(sys::shownBody(page), QStringLiteral("<h1>Die Seite kann nicht angezeigt werden.</h1>\r\n"
                                                   "<p>HTTP 404 &lt;Not Found&gt;</p>"));
    page.loaded = true;
    page.body = "<body>da</body>";
    EXPECT_EQ(sys::shownBody(page), QStringLiteral("da"));
}
