#include "platform/vb/WebBrowser.h"

namespace vb {

WebBrowser::WebBrowser(QWidget* parent) : QTextBrowser(parent)
{
    setReadOnly(true);
    setOpenLinks(false);
    setOpenExternalLinks(false);
}

void WebBrowser::Navigate(const QUrl& address)
{
    m_readyState = 1;
    sys::WebPage seite;
    if (m_offline || !m_web) {
        seite.error = QStringLiteral("Offline");
        seite.address = address;
    } else {
        seite = m_web->load(address);
    }
    m_address = seite.address.isEmpty() ? address : seite.address;
    m_body = sys::shownBody(seite);
    setHtml(m_body);
    m_readyState = 4;
}

// Pictures and style sheets of a page are never fetched.
QVariant WebBrowser::loadResource(int, const QUrl&)
{
    return {};
}

}  // namespace vb
