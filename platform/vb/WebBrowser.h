#pragma once
// The browser control of the film lookup: shows the body of the page it was
// sent to, read-only, without following links or loading anything itself.
// The page comes through the web service, under its time limit.
#include "platform/system/Web.h"

#include <QTextBrowser>
#include <QUrl>

namespace vb {

class WebBrowser : public QTextBrowser {
    Q_OBJECT
    Q_PROPERTY(bool Offline READ Offline WRITE setOffline)
public:
    explicit WebBrowser(QWidget* parent = nullptr);

    void setWeb(sys::Web* web) { m_web = web; }

    bool Offline() const { return m_offline; }
    void setOffline(bool offline) { m_offline = offline; }
    // 4 once a load ended, with its page or its error page; 0 before.
    int ReadyState() const { return m_readyState; }

    // Loads the page and shows its body. Offline, or without a web service,
    // the error page is shown.
    void Navigate(const QUrl& address);

    // The inner HTML of the body shown, as the lookup reads it.
    const QString& bodyHtml() const { return m_body; }
    // The address that answered the last load, after its redirects.
    const QUrl& address() const { return m_address; }
    // How the last load ended: a whole 2xx answer, the HTTP status (0 without
    // an answer) and why it is not loaded ("" when it is).
    bool loaded() const { return m_loaded; }
    int status() const { return m_status; }
    const QString& error() const { return m_error; }

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    sys::Web* m_web = nullptr;
    bool m_offline = false;
    int m_readyState = 0;
    bool m_loaded = false;
    int m_status = 0;
    QString m_error;
    QString m_body;
    QUrl m_address;
};

}  // namespace vb
