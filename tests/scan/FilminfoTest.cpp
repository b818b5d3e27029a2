#include "scan/Filminfo.h"

#include <QUrlQuery>
#include <gtest/gtest.h>

namespace {

// The query's keys and values as a server decodes them ("+" is a blank).
QList<QPair<QString, QString>> werte(const QUrl& url)
{
    QList<QPair<QString, QString>> paare;
    for (const QString& teil : url.query(QUrl::FullyEncoded).split(QLatin1Char('&'))) {
        const qsizetype gleich = teil.indexOf(QLatin1Char('='));
        QByteArray wert = teil.mid(gleich + 1).toLatin1().replace('+', ' ');
        paare.append({teil.left(gleich), QString::fromUtf8(QByteArray::fromPercentEncoding(wert))});
    }
    return paare;
}

}  // namespace

TEST(suchwort, RemovesTheThreeSpellingsOfDvdThenLowerCases)
{
    EXPECT_EQ(scan::suchwort(QStringLiteral("Titanic DVD")), QStringLiteral("titanic "));
    EXPECT_EQ(scan::suchwort(QStringLiteral("Titanic dVd")), QStringLiteral("titanic dvd"));
    EXPECT_EQ(scan::suchwort(QStringLiteral("DvdÄrger")), QStringLiteral("ärger"));
}

TEST(suchanfrage, SendsEveryKeyInOrderWithTheTitleAndSiteEncoded)
{
    const QUrl url = scan::suchanfrage(QStringLiteral("http://127.0.0.1:8080"), QStringLiteral("ärger & co #1 +5%"),
                                       QStringLiteral("www.filme.example/a/b"));
    EXPECT_EQ(url.path(), QStringLiteral("/search"));
    EXPECT_EQ(url.host(), QStringLiteral("127.0.0.1"));
    const auto paare = werte(url);
    QStringList schluessel;
    for (const auto& p : paare)
        schluessel << p.first;
    EXPECT_EQ(schluessel.join(QLatin1Char(',')),
              QStringLiteral("as_q,num,hl,btnG,as_epq,as_oq,as_eq,lr,as_ft,as_filetype,as_qdr,as_occt,as_dt,"
                             "as_sitesearch,as_rights,safe,btnI,meta"));
    EXPECT_EQ(paare.at(0).second, QStringLiteral(" ärger & co #1 +5%"));
    EXPECT_EQ(paare.at(3).second, QStringLiteral("Google-Suche"));
    EXPECT_EQ(paare.at(13).second, QStringLiteral("www.filme.example/a/b"));
    EXPECT_EQ(paare.at(16).second, QStringLiteral("Auf gut Glück!"));
    // As it goes on the wire: the site's "/" as "%2F", the plus after "as_q=" literal.
    const QByteArray roh = url.toEncoded();
    EXPECT_TRUE(roh.contains("as_sitesearch=www.filme.example%2Fa%2Fb&")) << roh.constData();
    EXPECT_TRUE(roh.contains("?as_q=+%C3%A4rger%20%26%20co%20%231%20%2B5%25&num=10")) << roh.constData();
}

TEST(bildAdresse, CutsTheLeadingDotsAndFilmPart)
{
    const QString seite = QStringLiteral("http://127.0.0.1:9");
    EXPECT_EQ(scan::bildAdresse(seite, QStringLiteral("../bilder/x.jpg")).toString(),
              QStringLiteral("http://127.0.0.1:9/filminfo/bilder/x.jpg"));
    EXPECT_EQ(scan::bildAdresse(seite, QStringLiteral("/filminfo/bilder/x.jpg")).toString(),
              QStringLiteral("http://127.0.0.1:9/filminfo/bilder/x.jpg"));
    EXPECT_EQ(scan::bildAdresse(seite, QStringLiteral("../filminfo/bilder/x.jpg")).toString(),
              QStringLiteral("http://127.0.0.1:9/filminfo/bilder/x.jpg"));
    EXPECT_EQ(scan::bildAdresse(seite, QStringLiteral("/foto/x.jpg")).toString(),
              QStringLiteral("http://127.0.0.1:9/filminfo/foto/x.jpg"));
}

TEST(genre, CutsBetweenTheMarkers)
{
    EXPECT_EQ(scan::genre(QStringLiteral("GENRE: Drama\r\nDARSTELLER: x")), QStringLiteral("Drama\r"));
    EXPECT_EQ(scan::genre(QStringLiteral("xxxxxxABCDEFDARSTELLER:")), QStringLiteral("ABCDE"));
    EXPECT_EQ(scan::genre(QStringLiteral("GENRE:  DARSTELLER:")), QString());
    EXPECT_FALSE(scan::genre(QStringLiteral("GENRE: DARSTELLER:")));
    EXPECT_FALSE(scan::genre(QStringLiteral("DARSTELLER: a GENRE: b")));
    EXPECT_FALSE(scan::genre(QStringLiteral("GENRE: Drama")));
    EXPECT_TRUE(scan::seiteNichtGefunden(QStringLiteral("Die Seite kann nicht angezeigt werden.")));
    EXPECT_FALSE(scan::seiteNichtGefunden(QStringLiteral("die Seite")));
}
