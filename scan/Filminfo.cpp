#include "scan/Filminfo.h"

#include <QStringDecoder>
#include <QStringList>

#include <cctype>

namespace scan {

namespace {

QByteArray kodiert(const QString& wert)
{
    return QUrl::toPercentEncoding(wert);
}

// The characters Windows-1252 puts at 0x80 to 0x9F; the rest is Latin-1.
constexpr char16_t Cp1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString ausCp1252(const QByteArray& bytes)
{
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b >= 0x80 && b < 0xA0 ? QChar(Cp1252[b - 0x80]) : QChar(char16_t(b)));
    }
    return text;
}

// The charset named after "charset=" in a header or a <meta> tag.
QByteArray zeichensatzIn(const QByteArray& text)
{
    const qsizetype pos = text.toLower().indexOf("charset=");
    if (pos < 0)
        return {};
    qsizetype i = pos + 8;
    while (i < text.size() && (text.at(i) == '"' || text.at(i) == '\'' || text.at(i) == ' '))
        ++i;
    qsizetype ende = i;
    while (ende < text.size() && (std::isalnum(static_cast<unsigned char>(text.at(ende))) || text.at(ende) == '-'
                                  || text.at(ende) == '_' || text.at(ende) == ':' || text.at(ende) == '.'))
        ++ende;
    return text.mid(i, ende - i).toLower();
}

QByteArray metaZeichensatz(const QByteArray& body)
{
    const QByteArray kopf = body.left(8192);
    const QByteArray klein = kopf.toLower();
    for (qsizetype meta = klein.indexOf("<meta"); meta >= 0; meta = klein.indexOf("<meta", meta + 5)) {
        const qsizetype ende = klein.indexOf('>', meta);
        const QByteArray zs = zeichensatzIn(kopf.mid(meta, ende < 0 ? -1 : ende - meta));
        if (!zs.isEmpty())
            return zs;
    }
    return {};
}

QString dekodieren(const QByteArray& body, const QByteArray& contentType)
{
    QByteArray zs = zeichensatzIn(contentType);
    if (zs.isEmpty())
        zs = metaZeichensatz(body);
    if (zs == "windows-1252" || zs == "cp1252")
        return ausCp1252(body);
    if (zs == "iso-8859-1" || zs == "latin1" || zs == "us-ascii" || zs == "iso-8859-15") {
        // Browsers read these labels as Windows-1252.
        return ausCp1252(body);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(body);
    if (zs == "utf-8" || zs == "utf8" || !utf8.hasError())
        return text;
    return ausCp1252(body);
}

QString innerBody(const QString& html)
{
    const qsizetype body = html.indexOf(QLatin1String("<body"), 0, Qt::CaseInsensitive);
    if (body >= 0) {
        const qsizetype start = html.indexOf(u'>', body);
        if (start < 0)
            return {};
        const qsizetype ende = html.indexOf(QLatin1String("</body>"), start, Qt::CaseInsensitive);
        return html.mid(start + 1, ende < 0 ? -1 : ende - start - 1);
    }
    const qsizetype kopf = html.indexOf(QLatin1String("</head>"), 0, Qt::CaseInsensitive);
    return kopf >= 0 ? html.mid(kopf + 7) : html;
}

QString zeilenendenUndVerweise(const QString& html)
{
    QString text;
    text.reserve(html.size());
    for (qsizetype i = 0; i < html.size(); ++i) {
        const QChar c = html.at(i);
        if (c == u'\r' || c == u'\n') {
            text.append(QLatin1String("\r\n"));
            if (c == u'\r' && i + 1 < html.size() && html.at(i + 1) == u'\n')
                ++i;
            continue;
        }
        if (c == u'&' && i + 2 < html.size() && html.at(i + 1) == u'#') {
            qsizetype j = i + 2;
            const bool hex = j < html.size() && (html.at(j) == u'x' || html.at(j) == u'X');
            if (hex)
                ++j;
            const qsizetype ziffern = j;
            const auto ziffer = [hex](QChar z) {
                const char16_t u = z.unicode();
                const bool dezimal = u >= u'0' && u <= u'9';
                return hex ? dezimal || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F') : dezimal;
            };
            while (j < html.size() && j - ziffern < 8 && ziffer(html.at(j)))
                ++j;
            bool ok = false;
            const uint code = html.mid(ziffern, j - ziffern).toUInt(&ok, hex ? 16 : 10);
            if (ok && j > ziffern && j < html.size() && html.at(j) == u';' && code != '&' && code != '<'
                && code != '>' && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF)) {
                const char32_t zeichen = code;
                text.append(QString::fromUcs4(&zeichen, 1));
                i = j;
                continue;
            }
        }
        text.append(c);
    }
    return text;
}

}  // namespace

QString suchwort(const QString& titel)
{
    QString wort = titel;
    for (const char* weg : {"DVD", "dvd", "Dvd"})
        wort.remove(QLatin1String(weg), Qt::CaseSensitive);
    return wort.toLower();
}

QUrl suchanfrage(const QString& suchadresse, const QString& wort, const QString& filmSeite)
{
    const QByteArray query = "as_q=+" + kodiert(wort)
                             + "&num=10&hl=de&btnG=Google-Suche&as_epq=&as_oq=&as_eq=&lr=&as_ft=i&as_filetype="
                               "&as_qdr=all&as_occt=any&as_dt=i&as_sitesearch="
                             + kodiert(filmSeite) + "&as_rights=&safe=images&btnI=Auf+gut+Gl%C3%BCck%21&meta=";
    QUrl url(suchadresse + QStringLiteral("/search"));
    // Already encoded: Qt must not encode it again.
    url.setQuery(QString::fromLatin1(query), QUrl::StrictMode);
    return url;
}

QString kandidatPfad(const QString& kandidat)
{
    QString pfad = kandidat;
    if (pfad.startsWith(QLatin1String("../")))
        pfad.remove(0, 2);
    if (pfad.startsWith(QLatin1String("/film")))
        pfad.remove(0, 9);
    return pfad;
}

QUrl bildAdresse(const QString& bildseite, const QString& kandidat)
{
    return QUrl(bildseite + QStringLiteral("/filminfo") + kandidatPfad(kandidat));
}

std::optional<QString> genre(const QString& text)
{
    const qsizetype g = text.indexOf(QLatin1String("GENRE:")) + 1;
    const qsizetype d = text.indexOf(QLatin1String("DARSTELLER:")) + 1;
    if (d >= 2 && (d - 2) - g - 6 >= 0)
        return text.mid(g + 6, d - g - 8);
    return std::nullopt;
}

bool seiteNichtGefunden(const QString& text)
{
    return text.startsWith(QLatin1String("Die Seite "));
}

QString seitenText(const QByteArray& body, const QByteArray& contentType)
{
    return zeilenendenUndVerweise(innerBody(dekodieren(body, contentType)));
}

QString fehlerseite(const QString& grund)
{
    return QStringLiteral("<h1>Die Seite kann nicht angezeigt werden.</h1>\r\n<p>") + grund.toHtmlEscaped()
           + QStringLiteral("</p>");
}

}  // namespace scan
