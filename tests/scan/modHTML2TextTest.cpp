#include "scan/modHTML2Text.h"

#include <gtest/gtest.h>

namespace {

class Sammler : public scan::Coverkandidaten {
public:
    void kandidat(const QString& quelle) override { liste << quelle; }
    QStringList liste;
};

struct Seite {
    const char* name;
    const char16_t* html;
    const char16_t* vorlage;
    const char16_t* text;
    QStringList kandidaten;
};

class HTMLzuText : public ::testing::TestWithParam<Seite> {};

TEST_P(HTMLzuText, GivesTheTextAndTheCandidates)
{
    Sammler sammler;
    const QString text = scan::HTMLzuText(QString::fromUtf16(GetParam().html), QString::fromUtf16(GetParam().vorlage),
                                          &sammler);
    EXPECT_EQ(text, QString::fromUtf16(GetParam().text));
    EXPECT_EQ(sammler.liste, GetParam().kandidaten);
}

INSTANTIATE_TEST_SUITE_P(
    Seiten, HTMLzuText,
    ::testing::Values(
        Seite{"Empty", u"", u" ", u"", {}},
        Seite{"BlankRunsBecomeOne", u"a  b", u" ", u"a b", {}},
        Seite{"LineBreakIsABlank", u"a\r\nb", u" ", u"a b", {}},
        Seite{"BlankThenLineBreak", u"a \r\nb", u" ", u"a b", {}},
        Seite{"LoneLessThanVanishes", u"a < b", u" ", u"a  b", {}},
        Seite{"LessThanWithoutGreaterThan", u"a <b c", u" ", u"a b c", {}},
        Seite{"Br", u"x<br>y", u" ", u"x\r\ny", {}},
        Seite{"BrSlashIsNoBreak", u"x<br/>y", u" ", u"xy", {}},
        Seite{"UpperCaseTag", u"x<BR>y", u" ", u"x\r\ny", {}},
        Seite{"ParagraphTrimmed", u"<p>Hallo</p>", u" ", u"Hallo", {}},
        Seite{"TwoParagraphs", u"a<p>b<p><p>c", u" ", u"a\r\n\r\nb\r\n\r\nc", {}},
        Seite{"List", u"<ul><li>a<li>b</ul>", u" ", u"- a\r\n   - b", {}},
        Seite{"Entities", u"&amp;&AMP;&#233;x&nbsp;y&plusmn;&brvbar;&shy;&Auml;", u" ",
              u"&&AMP;&#233;x y\u00b1|&shy;\u00c4", {}},
        Seite{"AmpersandBeforeABlank", u"a & b;", u" ", u"a & b;", {}},
        Seite{"EntitySwallowsATag", u"a&x<b>;y", u" ", u"a&x<b>;y", {}},
        Seite{"Script", u"<script>x=1</script>y", u" ", u"y", {}},
        Seite{"ScriptWithoutEnd", u"<script>x=1", u" ", u"x=1", {}},
        Seite{"Pre", u"x<pre>a  <b>c</b></pre>y", u" ", u"x\r\na  <b>c</b>\r\ny", {}},
        Seite{"Blockquote", u"<blockquote>a<br>b</blockquote>", u" ", u"a\r\n> b", {}},
        Seite{"BlockquoteEnds", u"<blockquote>a<br>b</blockquote>c<br>d<p>e", u" ", u"a\r\n> bc\r\nd\r\n\r\ne", {}},
        Seite{"BrThenLineBreak", u"x<br>\r\ny", u" ", u"x\r\ny", {}},
        Seite{"BrThenLineBreaks", u"x<br>\r\n\r\n  y<br>\ny", u" ", u"x\r\ny\r\ny", {}},
        Seite{"BrThenLineBreakInAQuote", u"<blockquote>a<br>\r\nb</blockquote>", u" ", u"a\r\n> b", {}},
        Seite{"AmpersandBeforeABlankInATag", u"&x<b class=y>z;", u" ", u"&xz;", {}},
        Seite{"AmpersandBeforeABlankAfterATag", u"a&b <i>c</i>;", u" ", u"a&b c;", {}},
        Seite{"AmpersandInATagBeforeABlank", u"<i>&</i> x;", u" ", u"& x;", {}},
        Seite{"EntityAfterAnAmpersandBeforeABlank", u"a & <i>b</i>&amp;", u" ", u"a & b&", {}},
        Seite{"EntityBeforeAnAmpersandBeforeABlank", u"<i>&amp;</i>&x y;", u" ", u"&&x y;", {}},
        Seite{"LinkShowingItsTarget", u"<a href=/film/x.htm>/film/x.htm</a>", u" ", u"/film/x.htm",
              {QStringLiteral("/film/x.htm")}},
        Seite{"LinkWithText", u"<a href=\"/film/x.htm\">Film</a>", u" ", u"Film [/film/x.htm]",
              {QStringLiteral("/film/x.htm")}},
        Seite{"MailLink", u"<a href=mailto:a@b.de>Post</a>", u" ", u"Post [a@b.de]", {}},
        Seite{"HttpLinkShowingItsHost", u"<A HREF=http://x.de>x.de</A>", u" ", u"x.de", {}},
        Seite{"Picture", u"x<img src=../bild.jpg>y", u" ", u"x   y", {QStringLiteral("../bild.jpg")}},
        Seite{"PictureTemplate", u"<img alt=\"Das Cover\" src=\"/f/c.jpg\">", u"[%IMGALT|%imgsrc]",
              u"[Das Cover|/f/c.jpg]", {QStringLiteral("/f/c.jpg")}},
        Seite{"PictureWithoutAlt", u"<img src=a.png>", u"%imgalt", u"Image a.png", {}},
        Seite{"NoTemplateDropsPictures", u"a<img src=../b.jpg>b", u"", u"ab", {}},
        Seite{"AltBeginningWithDotsIsACandidate", u"<img alt=../x src=y>", u" ", u"", {QStringLiteral("../x")}},
        Seite{"Rule", u"a<hr>b", u" ",
              u"a\r\n----------------------------------------------------------------------\r\nb", {}},
        Seite{"Body", u"<html><head><title>T</title></head><BODY class=x>Inhalt</body>Rest", u" ", u"Inhalt", {}},
        Seite{"UnknownAndClosingTagsVanish", u"<div>a</div><span>b</span><!-- c -->", u" ", u"a\r\nb", {}},
        Seite{"DottedCapitalIDoesNotShiftTheBody", u"\u0130\u0130<body>x</body>", u" ", u"x", {}},
        Seite{"TagNameEndsOnlyAtABlank", u"a<br\r\nclass=x>b", u" ", u"ab", {}}),
    [](const auto& fall) { return std::string(fall.param.name); });

TEST(TextErsetzen, ReplacesWithoutCaseAndGoesOnAfterTheReplacement)
{
    EXPECT_EQ(scan::TextErsetzen(QStringLiteral("aXa"), QStringLiteral("x"), QStringLiteral("xx")),
              QStringLiteral("axxa"));
    EXPECT_EQ(scan::TextErsetzen(QStringLiteral("Ab aB ab"), QStringLiteral("AB"), QStringLiteral("-")),
              QStringLiteral("- - -"));
    EXPECT_EQ(scan::TextErsetzen(QStringLiteral("a\r\nb\r\n"), QStringLiteral("\r\n"), QString()),
              QStringLiteral("ab"));
    EXPECT_EQ(scan::TextErsetzen(QStringLiteral("abc"), QStringLiteral("x"), QStringLiteral("y")),
              QStringLiteral("abc"));
}

TEST(AttributeTeilen, CutsAtTheSeparatorKeepingDoubleQuotedValues)
{
    EXPECT_EQ(scan::AttributeTeilen(QStringLiteral("alt=\"Das Cover\" src=x.jpg"), u' '),
              (QStringList{QStringLiteral("alt=\"Das Cover\""), QStringLiteral("src=x.jpg")}));
    EXPECT_EQ(scan::AttributeTeilen(QStringLiteral("alt='Das Cover'"), u' '),
              (QStringList{QStringLiteral("alt='Das"), QStringLiteral("Cover'")}));
    EXPECT_EQ(scan::AttributeTeilen(QStringLiteral("a  b"), u' '),
              (QStringList{QStringLiteral("a"), QString(), QStringLiteral("b")}));
    EXPECT_EQ(scan::AttributeTeilen(QString(), u' '), QStringList{QString()});
    EXPECT_EQ(scan::AttributeTeilen(QStringLiteral("x=\"a b\""), u' '), QStringList{QStringLiteral("x=\"a b\"")});
    EXPECT_EQ(scan::AttributeTeilen(QStringLiteral("x=\"a b"), u' '),
              (QStringList{QStringLiteral("x=\"a"), QStringLiteral("b")}));
}

TEST(entitaeten, NinetyNineNamesWithTheirCharacters)
{
    const auto& tabelle = scan::entitaeten();
    EXPECT_EQ(tabelle.size(), 99u);
    EXPECT_STREQ(tabelle.front().name, "amp");
    EXPECT_STREQ(tabelle.back().name, "yuml");
    EXPECT_EQ(tabelle.back().zeichen, u'\u00ff');
    Sammler keiner;
    EXPECT_EQ(scan::HTMLzuText(QStringLiteral("&szlig;&THORN;&times;&Yacute;&copy;"), QStringLiteral(" "), &keiner),
              QString::fromUtf16(u"\u00df\u00de\u00d7\u00dd\u00a9"));
}

}  // namespace
