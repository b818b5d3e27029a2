#include "platform/system/Web.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QTimer>

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
        return fail(file.errorString());
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
        return fail(file.errorString());
    return true;
}

}  // namespace sys
