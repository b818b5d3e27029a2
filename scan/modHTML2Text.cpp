#include "scan/modHTML2Text.h"

#include <QHash>

#include <utility>

namespace scan {

namespace {

const QString Zeilenende = QStringLiteral("\r\n");

// The Latin-1 names of HTML 4 for 160 to 255; "shy" is not among ours.
constexpr const char* Latin1Namen[96] = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",   "ordf",
    "laquo",  "not",    nullptr,  "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",
    "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave",
    "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",
    "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",
    "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute",
    "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave",
    "iacute", "icirc",  "iuml",   "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide",
    "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};

std::vector<Entitaet> tabelleBauen()
{
    std::vector<Entitaet> tabelle = {{"amp", u'&'}, {"quot", u'"'}, {"lt", u'<'}, {"gt", u'>'}, {"nbsp", u' '},
                                     {"Auml", u'\u00c4'}, {"auml", u'\u00e4'}};
    for (int i = 0; i < 96; ++i) {
        const char* name = Latin1Namen[i];
        if (!name || std::any_of(tabelle.begin(), tabelle.end(), [name](const Entitaet& e) {
                return qstrcmp(e.name, name) == 0;
            }))
            continue;
        // "brvbar" reads as a plain bar.
        tabelle.push_back({name, qstrcmp(name, "brvbar") == 0 ? u'|' : char16_t(160 + i)});
    }
    return tabelle;
}

const QHash<QString, QChar>& entitaetenNachName()
{
    static const QHash<QString, QChar> tabelle = [] {
        QHash<QString, QChar> t;
        for (const Entitaet& e : entitaeten())
            t.insert(QString::fromLatin1(e.name), QChar(e.zeichen));
        return t;
    }();
    return tabelle;
}

// Trims blanks only.
QStringView ohneBlanks(QStringView text)
{
    qsizetype anfang = 0;
    qsizetype ende = text.size();
    while (anfang < ende && text.at(anfang) == u' ')
        ++anfang;
    while (ende > anfang && text.at(ende - 1) == u' ')
        --ende;
    return text.mid(anfang, ende - anfang);
}

// Case-insensitive search for a text beginning with "<": Qt's own folds every
// character it passes, which is many times slower on a long page.
qsizetype tagSuchen(const QString& text, QStringView gesucht, qsizetype ab)
{
    for (qsizetype p = text.indexOf(u'<', ab); p >= 0; p = text.indexOf(u'<', p + 1))
        if (QStringView(text).mid(p, gesucht.size()).compare(gesucht, Qt::CaseInsensitive) == 0)
            return p;
    return -1;
}

// The next position of a search from `ab` on, kept between calls: hostile input
// (a "<" with no ">" anywhere after it) stays linear.
class Weiter {
public:
    Weiter(const QString& text, qsizetype ende, QString gesucht, Qt::CaseSensitivity fall = Qt::CaseSensitive)
        : m_text(text), m_ende(ende), m_gesucht(std::move(gesucht)), m_fall(fall)
    {
    }
    qsizetype ab(qsizetype start)
    {
        if (m_pos == -1 || (m_pos >= start && m_gueltig))
            return m_pos;
        m_gueltig = true;
        m_pos = m_fall == Qt::CaseInsensitive ? tagSuchen(m_text, m_gesucht, start)
                                              : m_text.indexOf(m_gesucht, start);
        if (m_pos >= 0 && m_pos + m_gesucht.size() > m_ende)
            m_pos = -1;
        return m_pos;
    }

private:
    const QString& m_text;
    qsizetype m_ende;
    QString m_gesucht;
    Qt::CaseSensitivity m_fall;
    qsizetype m_pos = 0;
    bool m_gueltig = false;
};

// The part of the page that is converted: the body's inside when the text has
// a body tag, otherwise all of it.
std::pair<qsizetype, qsizetype> bodyInneres(const QString& html)
{
    qsizetype anfang = 0;
    qsizetype ende = html.size();
    const qsizetype body = tagSuchen(html, u"<body", 0);
    if (body >= 0) {
        const qsizetype schluss = html.indexOf(u'>', body);
        anfang = schluss < 0 ? ende : schluss + 1;
        const qsizetype bodyEnde = tagSuchen(html, u"</body>", anfang);
        if (bodyEnde >= 0)
            ende = bodyEnde;
    }
    return {anfang, ende};
}

// A picture as the template writes it, between blanks; nothing without a template.
QString bildText(const QString& attribute, const QString& bildvorlage, Coverkandidaten* kandidaten)
{
    if (bildvorlage.isEmpty())
        return {};
    QString alt;
    QString quelle;
    for (const QString& teil : AttributeTeilen(attribute, u' ')) {
        if (teil.left(4).toLower() == QLatin1String("src="))
            quelle = przBildQuelle(teil.mid(4), kandidaten);
        else if (teil.left(4).toLower() == QLatin1String("alt="))
            alt = przBildQuelle(teil.mid(4), kandidaten);
        if (!alt.isEmpty() && !quelle.isEmpty())
            break;
    }
    if (ohneBlanks(alt).isEmpty())
        alt = QStringLiteral("Image ") + quelle;
    QString bild = TextErsetzen(bildvorlage, QStringLiteral("%imgalt"), alt);
    bild = TextErsetzen(bild, QStringLiteral("%imgsrc"), quelle);
    return QLatin1Char(' ') + bild + QLatin1Char(' ');
}

// The target of a link's "href"; "" without one.
QString linkzielLesen(const QString& attribute, Coverkandidaten* kandidaten)
{
    for (const QString& teil : AttributeTeilen(attribute, u' ')) {
        if (teil.left(5).toLower() == QLatin1String("href="))
            return przBildQuelle(teil.mid(5), kandidaten);
    }
    return {};
}

// What follows a link's text: its target in brackets, unless the text already
// ends with it. A target written is used up; one the text shows is kept.
QString linkAnhang(QString& linkziel, const QString& ausgabe)
{
    if (ohneBlanks(linkziel).isEmpty())
        return {};
    if (linkziel.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        linkziel.remove(0, 7);
    const QStringView bisher = ohneBlanks(ausgabe);
    const bool steht = bisher.endsWith(linkziel, Qt::CaseInsensitive)
                       || (linkziel.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
                           && bisher.endsWith(QStringView(linkziel).mid(7), Qt::CaseInsensitive));
    if (steht)
        return {};
    QString anhang = QStringLiteral(" [") + linkziel + QLatin1Char(']');
    linkziel.clear();
    return anhang;
}

// Trimmed, and line breaks at either end removed, each followed by another trim.
QString ränderBeschneiden(const QString& ausgabe)
{
    QStringView rest = ohneBlanks(ausgabe);
    while (rest.startsWith(Zeilenende))
        rest = ohneBlanks(rest.mid(2));
    while (rest.endsWith(Zeilenende))
        rest = ohneBlanks(rest.chopped(2));
    return rest.toString();
}

// One pass over the page: plain characters are copied in runs, line breaks
// become blanks, tags become line breaks, pictures and link targets, and
// entities their characters.
class Umwandlung {
public:
    Umwandlung(const QString& html, const QString& bildvorlage, Coverkandidaten* kandidaten)
        : Umwandlung(html, bildvorlage, kandidaten, bodyInneres(html))
    {
    }

    QString text()
    {
        while (m_i < m_ende) {
            const QChar c = m_html.at(m_i++);
            if (c == u' ') {
                // A piece of one character never ends a line: it goes straight out.
                m_ausgabe.append(c);
                blanksUeberspringen();
            } else if (c == u'\r' || c == u'\n') {
                zeilenumbruch();
            } else if (c == u'<') {
                tag();
            } else if (c == u'&') {
                entitaet();
            } else {
                zeichenlauf();
            }
        }
        return ränderBeschneiden(m_ausgabe);
    }

private:
    Umwandlung(const QString& html, const QString& bildvorlage, Coverkandidaten* kandidaten,
               std::pair<qsizetype, qsizetype> bereich)
        : m_html(html), m_bildvorlage(bildvorlage), m_kandidaten(kandidaten), m_i(bereich.first),
          m_ende(bereich.second)
    {
        m_ausgabe.reserve(m_ende - m_i);
    }

    void blanksUeberspringen()
    {
        while (m_i < m_ende && m_html.at(m_i) == u' ')
            ++m_i;
    }

    void zeilenumbruch()
    {
        if (!m_ausgabe.endsWith(u' ') && !m_ausgabe.endsWith(Zeilenende))
            m_ausgabe.append(u' ');
        if (m_i < m_ende && m_html.at(m_i) == u'\n')
            ++m_i;
        blanksUeberspringen();
    }

    // The run of ordinary characters up to the next one with a rule, in one go.
    // A single blank and an "&" that no ";" follows anywhere are ordinary here too.
    void zeichenlauf()
    {
        const qsizetype anfang = m_i - 1;
        while (m_i < m_ende) {
            const char16_t u = m_html.at(m_i).unicode();
            if (u == u'\r' || u == u'\n' || u == u'<')
                break;
            if (u == u' ' && m_i + 1 < m_ende && m_html.at(m_i + 1) == u' ')
                break;
            if (u == u'&' && m_semikolon.ab(m_i + 1) >= 0)
                break;
            ++m_i;
        }
        m_ausgabe.append(QStringView(m_html).mid(anfang, m_i - anfang));
    }

    void tag()
    {
        const qsizetype gt = m_groesser.ab(m_i);
        if (gt < 0)
            return;
        const QStringView tag = QStringView(m_html).mid(m_i, gt - m_i);
        m_i = gt + 1;
        const qsizetype blank = tag.indexOf(u' ');
        const QStringView roherName = blank >= 0 ? tag.left(blank) : tag;
        // No name we know is longer than "/blockquote": longer ones need no lower-casing.
        if (roherName.size() > 11)
            return;
        const QString name = roherName.toString().toLower();
        QString attribute;
        if (blank >= 0 && (name == QLatin1String("img") || name == QLatin1String("a")))
            attribute = TextErsetzen(ohneBlanks(tag.mid(blank + 1)).toString(), Zeilenende, QString());
        QString stueck = tagStueck(name, attribute);
        if (m_zitat && stueck.endsWith(Zeilenende))
            stueck.append(QStringLiteral("> "));
        m_ausgabe.append(stueck);
    }

    // What a tag writes; it may move on past its closing tag (script, pre).
    QString tagStueck(const QString& name, const QString& attribute)
    {
        if (name == QLatin1String("p"))
            return m_ausgabe.endsWith(Zeilenende + Zeilenende) ? QString() : Zeilenende + Zeilenende;
        if (name == QLatin1String("/div"))
            return m_ausgabe.endsWith(Zeilenende) ? QString() : Zeilenende;
        if (name == QLatin1String("br") || name == QLatin1String("ul") || name == QLatin1String("/ul")
            || name == QLatin1String("ol") || name == QLatin1String("/ol"))
            return Zeilenende;
        if (name == QLatin1String("li"))
            return Zeilenende + QStringLiteral("   - ");
        if (name == QLatin1String("blockquote") || name == QLatin1String("/blockquote")) {
            m_zitat = name == QLatin1String("blockquote");
            return {};
        }
        if (name == QLatin1String("img"))
            return bildText(attribute, m_bildvorlage, m_kandidaten);
        if (name == QLatin1String("a")) {
            m_linkziel = linkzielLesen(attribute, m_kandidaten);
            return {};
        }
        if (name == QLatin1String("/a"))
            return linkAnhang(m_linkziel, m_ausgabe);
        if (name == QLatin1String("hr"))
            return Zeilenende + QString(70, u'-') + Zeilenende;
        if (name == QLatin1String("sigboundary"))
            return Zeilenende + QStringLiteral("-- ") + Zeilenende;
        if (name == QLatin1String("script")) {
            const qsizetype schluss = m_scriptEnde.ab(m_i);
            if (schluss >= 0)
                m_i = schluss;
            return {};
        }
        if (name == QLatin1String("pre"))
            return vorformatiert();
        return {};
    }

    // A "pre" block: its text as it stands, on lines of its own.
    QString vorformatiert()
    {
        QString stueck = Zeilenende;
        const qsizetype schluss = m_preEnde.ab(m_i);
        if (schluss >= 0) {
            stueck.append(QStringView(m_html).mid(m_i, schluss - m_i));
            m_i = schluss;
        }
        stueck.append(Zeilenende);
        return stueck;
    }

    // An entity its character, an unknown one as written; an "&" with no ";"
    // before the next blank stays as it is.
    void entitaet()
    {
        const qsizetype semikolon = m_semikolon.ab(m_i);
        if (semikolon >= 0 && (semikolon < m_blank.ab(m_i) || m_blank.ab(m_i) < 0)) {
            const QString name = m_html.mid(m_i, semikolon - m_i);
            m_i = semikolon + 1;
            const auto gefunden = entitaetenNachName().constFind(name);
            if (gefunden != entitaetenNachName().constEnd())
                m_ausgabe.append(*gefunden);
            else
                m_ausgabe.append(QLatin1Char('&') + name + QLatin1Char(';'));
        } else {
            m_ausgabe.append(u'&');
        }
    }

    const QString& m_html;
    const QString& m_bildvorlage;
    Coverkandidaten* m_kandidaten;
    qsizetype m_i;
    const qsizetype m_ende;  // the searches below are bounded by it
    QString m_ausgabe;
    bool m_zitat = false;
    QString m_linkziel;
    Weiter m_groesser{m_html, m_ende, QStringLiteral(">")};
    Weiter m_semikolon{m_html, m_ende, QStringLiteral(";")};
    Weiter m_blank{m_html, m_ende, QStringLiteral(" ")};
    Weiter m_scriptEnde{m_html, m_ende, QStringLiteral("</script>"), Qt::CaseInsensitive};
    Weiter m_preEnde{m_html, m_ende, QStringLiteral("</pre>"), Qt::CaseInsensitive};
};

}  // namespace

const std::vector<Entitaet>& entitaeten()
{
    static const std::vector<Entitaet> tabelle = tabelleBauen();
    return tabelle;
}

QString TextErsetzen(const QString& text, const QString& suche, const QString& ersatz)
{
    if (suche.isEmpty())
        return text;
    QString ergebnis;
    qsizetype von = 0;
    for (qsizetype fund = text.indexOf(suche, 0, Qt::CaseInsensitive); fund >= 0;
         fund = text.indexOf(suche, von, Qt::CaseInsensitive)) {
        ergebnis.append(QStringView(text).mid(von, fund - von));
        ergebnis.append(ersatz);
        von = fund + suche.size();
    }
    if (von == 0)
        return text;
    ergebnis.append(QStringView(text).mid(von));
    return ergebnis;
}

QStringList AttributeTeilen(const QString& attribute, QChar trenner)
{
    QStringList teile;
    QStringView rest(attribute);
    do {
        qsizetype p = rest.indexOf(trenner);
        const qsizetype quote = rest.indexOf(u'"');
        if (p >= 0 && quote >= 0 && quote < p) {
            const qsizetype schluss = rest.indexOf(u'"', quote + 1);
            while (p >= 0 && schluss > p)
                p = rest.indexOf(trenner, p + 1);
        }
        if (p >= 0) {
            teile.append(rest.left(p).toString());
            rest = rest.mid(p + 1);
        } else {
            teile.append(rest.toString());
            rest = {};
        }
    } while (!rest.isEmpty());
    return teile;
}

QString przBildQuelle(const QString& wert, Coverkandidaten* kandidaten)
{
    QString quelle = wert;
    if (quelle.startsWith(u'"'))
        quelle.remove(0, 1);
    if (quelle.endsWith(u'"'))
        quelle.chop(1);
    if (kandidaten && (quelle.startsWith(QLatin1String("../")) || quelle.startsWith(QLatin1String("/f"))))
        kandidaten->kandidat(quelle);
    return quelle;
}

QString HTMLzuText(const QString& html, const QString& bildvorlage, Coverkandidaten* kandidaten)
{
    return Umwandlung(html, bildvorlage, kandidaten).text();
}

}  // namespace scan
