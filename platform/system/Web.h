#pragma once
// The web as the film lookup uses it: load a page and download a picture, each
// wait bounded by a time limit, and the addresses the lookup talks to.
#include "platform/ini/IniFile.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <chrono>
#include <memory>

class QNetworkAccessManager;
class QNetworkReply;

namespace sys {

struct WebPage {
    bool loaded = false;     // a whole 2xx answer arrived
    int status = 0;          // the HTTP status, 0 without an answer
    QByteArray body;         // also the body of an error answer
    QByteArray contentType;  // the header as sent, for its charset
    QUrl address;            // the address that answered, after redirects
    QString error;           // why the page is not loaded, for the error page
};

// Each call waits in a nested event loop: the caller's other handlers may run
// before it returns.
class Web {
public:
    virtual ~Web() = default;
    // GET, redirects followed (never to a less safe scheme).
    virtual WebPage load(const QUrl& address) = 0;
    // Saves the answer as folder/fileName, only when the whole answer was a 2xx;
    // otherwise nothing is written, an older file stays, and `error` says why.
    virtual bool download(const QUrl& address, const QString& folder, const QString& fileName, QString* error) = 0;
};

// The body's inner HTML as a browser hands it over: decoded by the declared
// charset (header, then <meta>; else UTF-8 when valid, else Windows-1252), line
// ends as CR LF, numeric references decoded except those for "&", "<" and ">".
QString pageBodyHtml(const QByteArray& body, const QByteArray& contentType);
// The browser's own page for a load that failed, with the reason.
QString errorPageHtml(const QString& reason);
// What a browser shows of a load: the page's body, or the error page.
QString shownBody(const WebPage& page);

// A file name that cannot leave its folder: not empty, not "." or "..", no "/", no NUL.
bool fileNameStaysInFolder(const QString& name);

// Where the lookup searches: [URL] "Suchadresse" of the settings file (scheme,
// host and port), else the public search whose form the request reproduces.
QString searchAddress(const ini::IniFile& settings);
// Where candidate pictures are fetched: [URL] "Bildadresse", else the scheme,
// host and port of the page last loaded.
QString pictureSite(const ini::IniFile& settings, const QUrl& lastPage);

class NetWeb : public Web {
public:
    static constexpr qint64 PageLimit = 32 * 1024 * 1024;
    static constexpr qint64 PictureLimit = 20 * 1024 * 1024;
    // timeLimit: the longest a whole load or download may take.
    explicit NetWeb(std::chrono::milliseconds timeLimit, qint64 pageLimit = PageLimit,
                    qint64 pictureLimit = PictureLimit);
    ~NetWeb() override;
    NetWeb(const NetWeb&) = delete;
    NetWeb& operator=(const NetWeb&) = delete;

    WebPage load(const QUrl& address) override;
    bool download(const QUrl& address, const QString& folder, const QString& fileName, QString* error) override;

private:
    QNetworkReply* get(const QUrl& address);
    QNetworkAccessManager& manager();

    std::chrono::milliseconds m_timeLimit;
    qint64 m_pageLimit;
    qint64 m_pictureLimit;
    std::unique_ptr<QNetworkAccessManager> m_manager;
};

}  // namespace sys
