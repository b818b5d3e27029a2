#include "platform/system/Web.h"

#include "platform/system/Dateigrund.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QStringDecoder>
#include <QTimer>

#include <cctype>
#include <functional>

namespace sys {

namespace {

const QString DefaultSearchAddress = QStringLiteral("https://www.google.de");

QString origin(const QUrl& url)
{
    if (!url.isValid() || url.host().isEmpty())
        return {};
    return url.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment | QUrl::RemoveUserInfo)
        .toString(QUrl::StripTrailingSlash);
}

QString configured(const ini::IniFile& settings, const QString& key)
{
    QString value = settings.read(QStringLiteral("URL"), key).trimmed();
    while (value.endsWith(QLatin1Char('/')))
        value.chop(1);
    return value;
}

enum class Ending { Finished, TimedOut, TooLarge, Refused };

// Runs the reply to its end within the limit. `take` gets each arriving piece
// and returns false to stop (the answer is too large or cannot be kept).
Ending await(QNetworkReply* reply, std::chrono::milliseconds limit, const std::function<Ending(QByteArray)>& take)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    Ending ending = Ending::Finished;
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        ending = Ending::TimedOut;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
        if (ending != Ending::Finished)
            return;
        const Ending verdict = take(reply->readAll());
        if (verdict != Ending::Finished) {
            ending = verdict;
            reply->abort();
        }
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished()) {
        timer.start(limit);
        // Other handlers may run meanwhile, as in any wait of the program.
        loop.exec();
    }
    if (ending == Ending::Finished) {
        const QByteArray rest = reply->readAll();
        if (!rest.isEmpty())
            ending = take(rest);
    }
    return ending;
}

int statusOf(QNetworkReply* reply)
{
    return reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
}

QString reasonOf(QNetworkReply* reply, Ending ending)
{
    switch (ending) {
    case Ending::TimedOut:
        return QStringLiteral("Zeitüberschreitung");
    case Ending::TooLarge:
        return QStringLiteral("Die Antwort ist zu groß");
    case Ending::Refused:
        return QStringLiteral("Die Datei kann nicht geschrieben werden");
    case Ending::Finished:
        break;
    }
    const int status = statusOf(reply);
    if (reply->error() == QNetworkReply::NoError && status >= 200 && status < 300)
        return {};
    // A redirect left unfollowed (too many, or to a less safe scheme) says so itself.
    if (status != 0 && (status < 300 || status >= 400))
        return QStringLiteral("HTTP %1 %2")
            .arg(status)
            .arg(reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString());
    return reply->errorString();
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

bool fileNameStaysInFolder(const QString& name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

QString searchAddress(const ini::IniFile& settings)
{
    const QString value = configured(settings, QStringLiteral("Suchadresse"));
    return value.isEmpty() ? DefaultSearchAddress : value;
}

QString pictureSite(const ini::IniFile& settings, const QUrl& lastPage)
{
    const QString value = configured(settings, QStringLiteral("Bildadresse"));
    return value.isEmpty() ? origin(lastPage) : value;
}

NetWeb::NetWeb(std::chrono::milliseconds timeLimit, qint64 pageLimit, qint64 pictureLimit)
    : m_timeLimit(timeLimit), m_pageLimit(pageLimit), m_pictureLimit(pictureLimit)
{
}

NetWeb::~NetWeb() = default;

QNetworkAccessManager& NetWeb::manager()
{
    if (!m_manager)
        m_manager = std::make_unique<QNetworkAccessManager>();
    return *m_manager;
}

QNetworkReply* NetWeb::get(const QUrl& address)
{
    QNetworkRequest request(address);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(10);
    return manager().get(request);
}

WebPage NetWeb::load(const QUrl& address)
{
    WebPage page;
    page.address = address;
    if (!address.isValid() || address.scheme().isEmpty()) {
        page.error = QStringLiteral("Ungültige Adresse");
        return page;
    }
    std::unique_ptr<QNetworkReply> reply(get(address));
    const Ending ending = await(reply.get(), m_timeLimit, [&](const QByteArray& piece) {
        if (page.body.size() + piece.size() > m_pageLimit)
            return Ending::TooLarge;
        page.body.append(piece);
        return Ending::Finished;
    });
    page.status = statusOf(reply.get());
    page.contentType = reply->rawHeader("Content-Type");
    if (reply->url().isValid())
        page.address = reply->url();
    page.error = reasonOf(reply.get(), ending);
    page.loaded = page.error.isEmpty();
    if (ending != Ending::Finished)
        page.body.clear();
    return page;
}

bool NetWeb::download(const QUrl& address, const QString& folder, const QString& fileName, QString* error)
{
    const auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    if (!fileNameStaysInFolder(fileName))
        return fail(QStringLiteral("Ungültiger Dateiname"));
    if (!address.isValid() || address.scheme().isEmpty())
        return fail(QStringLiteral("Ungültige Adresse"));
    QSaveFile file(folder + QLatin1Char('/') + fileName);
    if (!file.open(QIODevice::WriteOnly))
        return fail(dateigrund(file));
    std::unique_ptr<QNetworkReply> reply(get(address));
    qint64 received = 0;
    const Ending ending = await(reply.get(), m_timeLimit, [&](const QByteArray& piece) {
        const int status = statusOf(reply.get());
        if (status < 200 || status >= 300)
            return Ending::Finished;  // an error answer is read and dropped
        received += piece.size();
        if (received > m_pictureLimit)
            return Ending::TooLarge;
        return file.write(piece) == piece.size() ? Ending::Finished : Ending::Refused;
    });
    const QString why = reasonOf(reply.get(), ending);
    if (!why.isEmpty()) {
        file.cancelWriting();
        return fail(why);
    }
    if (!file.commit())
        return fail(dateigrund(file));
    return true;
}

QString pageBodyHtml(const QByteArray& body, const QByteArray& contentType)
{
    return zeilenendenUndVerweise(innerBody(dekodieren(body, contentType)));
}

QString errorPageHtml(const QString& reason)
{
    return QStringLiteral("<h1>Die Seite kann nicht angezeigt werden.</h1>\r\n<p>") + reason.toHtmlEscaped()
           + QStringLiteral("</p>");
}

QString shownBody(const WebPage& page)
{
    return page.loaded ? pageBodyHtml(page.body, page.contentType) : errorPageHtml(page.error);
}

}  // namespace sys
