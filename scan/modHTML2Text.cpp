#include "scan/modHTML2Text.h"

#include <QHash>

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
    // The body's inside, when the text has a body tag.
    qsizetype i = 0;
    qsizetype ende = html.size();
    const qsizetype body = tagSuchen(html, u"<body", 0);
    if (body >= 0) {
        const qsizetype schluss = html.indexOf(u'>', body);
        i = schluss < 0 ? ende : schluss + 1;
        const qsizetype bodyEnde = tagSuchen(html, u"</body>", i);
        if (bodyEnde >= 0)
            ende = bodyEnde;
    }

    Weiter naechstesGroesser(html, ende, QStringLiteral(">"));
    Weiter naechstesSemikolon(html, ende, QStringLiteral(";"));
    Weiter naechsterBlank(html, ende, QStringLiteral(" "));
    Weiter scriptEnde(html, ende, QStringLiteral("</script>"), Qt::CaseInsensitive);
    Weiter preEnde(html, ende, QStringLiteral("</pre>"), Qt::CaseInsensitive);

    QString ausgabe;
    ausgabe.reserve(ende - i);
    QString stueck;
    bool zitat = false;
    QString linkziel;
    const auto blanksUeberspringen = [&] {
        while (i < ende && html.at(i) == u' ')
            ++i;
    };

    while (i < ende) {
        const QChar c = html.at(i++);
        // A piece of one character never ends a line: it goes straight out.
        if (c == u' ') {
            ausgabe.append(c);
            blanksUeberspringen();
            continue;
        }
        if (c == u'\r' || c == u'\n') {
            if (!ausgabe.endsWith(u' ') && !ausgabe.endsWith(Zeilenende))
                ausgabe.append(u' ');
            if (i < ende && html.at(i) == u'\n')
                ++i;
            blanksUeberspringen();
            continue;
        }
        if (c != u'<' && c != u'&') {
            // The run of ordinary characters up to the next one with a rule, in one go.
            const qsizetype anfang = i - 1;
            // A single blank and an "&" that no ";" follows anywhere are ordinary here too.
            while (i < ende) {
                const char16_t u = html.at(i).unicode();
                if (u == u'\r' || u == u'\n' || u == u'<')
                    break;
                if (u == u' ' && i + 1 < ende && html.at(i + 1) == u' ')
                    break;
                if (u == u'&' && naechstesSemikolon.ab(i + 1) >= 0)
                    break;
                ++i;
            }
            ausgabe.append(QStringView(html).mid(anfang, i - anfang));
            continue;
        }
        stueck.clear();
        if (c == u'<') {
            const qsizetype gt = naechstesGroesser.ab(i);
            if (gt < 0)
                continue;
            const QStringView tag = QStringView(html).mid(i, gt - i);
            i = gt + 1;
            const qsizetype blank = tag.indexOf(u' ');
            const QStringView roherName = blank >= 0 ? tag.left(blank) : tag;
            // No name we know is longer than "/blockquote": longer ones need no lower-casing.
            if (roherName.size() > 11)
                continue;
            const QString name = roherName.toString().toLower();
            QString attribute;
            if (blank >= 0 && (name == QLatin1String("img") || name == QLatin1String("a")))
                attribute = TextErsetzen(ohneBlanks(tag.mid(blank + 1)).toString(), Zeilenende, QString());
            if (name == QLatin1String("p")) {
                if (!ausgabe.endsWith(Zeilenende + Zeilenende))
                    stueck = Zeilenende + Zeilenende;
            } else if (name == QLatin1String("/div")) {
                if (!ausgabe.endsWith(Zeilenende))
                    stueck = Zeilenende;
            } else if (name == QLatin1String("br") || name == QLatin1String("ul") || name == QLatin1String("/ul")
                       || name == QLatin1String("ol") || name == QLatin1String("/ol")) {
                stueck = Zeilenende;
            } else if (name == QLatin1String("li")) {
                stueck = Zeilenende + QStringLiteral("   - ");
            } else if (name == QLatin1String("blockquote")) {
                zitat = true;
            } else if (name == QLatin1String("/blockquote")) {
                zitat = false;
            } else if (name == QLatin1String("img")) {
                if (!bildvorlage.isEmpty()) {
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
                    stueck = QLatin1Char(' ') + bild + QLatin1Char(' ');
                }
            } else if (name == QLatin1String("a")) {
                linkziel.clear();
                for (const QString& teil : AttributeTeilen(attribute, u' ')) {
                    if (teil.left(5).toLower() == QLatin1String("href=")) {
                        linkziel = przBildQuelle(teil.mid(5), kandidaten);
                        break;
                    }
                }
            } else if (name == QLatin1String("/a")) {
                if (!ohneBlanks(linkziel).isEmpty()) {
                    if (linkziel.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
                        linkziel.remove(0, 7);
                    const QStringView bisher = ohneBlanks(ausgabe);
                    const bool steht = bisher.endsWith(linkziel, Qt::CaseInsensitive)
                                       || (linkziel.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
                                           && bisher.endsWith(QStringView(linkziel).mid(7), Qt::CaseInsensitive));
                    if (!steht) {
                        stueck = QStringLiteral(" [") + linkziel + QLatin1Char(']');
                        linkziel.clear();
                    }
                }
            } else if (name == QLatin1String("hr")) {
                stueck = Zeilenende + QString(70, u'-') + Zeilenende;
            } else if (name == QLatin1String("sigboundary")) {
                stueck = Zeilenende + QStringLiteral("-- ") + Zeilenende;
            } else if (name == QLatin1String("script")) {
                const qsizetype schluss = scriptEnde.ab(i);
                if (schluss >= 0)
                    i = schluss;
            } else if (name == QLatin1String("pre")) {
                stueck = Zeilenende;
                const qsizetype schluss = preEnde.ab(i);
                if (schluss >= 0) {
                    stueck.append(QStringView(html).mid(i, schluss - i));
                    i = schluss;
                }
                stueck.append(Zeilenende);
            }
        } else if (c == u'&') {
            const qsizetype semikolon = naechstesSemikolon.ab(i);
            if (semikolon >= 0 && (semikolon < naechsterBlank.ab(i) || naechsterBlank.ab(i) < 0)) {
                const QString name = html.mid(i, semikolon - i);
                i = semikolon + 1;
                const auto gefunden = entitaetenNachName().constFind(name);
                if (gefunden != entitaetenNachName().constEnd())
                    ausgabe.append(*gefunden);
                else
                    ausgabe.append(QLatin1Char('&') + name + QLatin1Char(';'));
            } else {
                ausgabe.append(c);
            }
            continue;
        }
        if (zitat && stueck.endsWith(Zeilenende))
            stueck.append(QStringLiteral("> "));
        ausgabe.append(stueck);
    }

    // Trimmed, and line breaks at either end removed, each followed by another trim.
    QStringView rest = ohneBlanks(ausgabe);
    while (rest.startsWith(Zeilenende))
        rest = ohneBlanks(rest.mid(2));
    while (rest.endsWith(Zeilenende))
        rest = ohneBlanks(rest.chopped(2));
    return rest.toString();
}

}  // namespace scan
