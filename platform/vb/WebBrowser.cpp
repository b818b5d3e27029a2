#include "platform/vb/WebBrowser.h"

#include <QImage>
#include <QTextDocument>

namespace vb {

namespace {

// Qt's rich text needs seconds per megabyte to lay a page out, so the browser
// shows only a page's beginning; the lookup reads the whole body.
constexpr qsizetype GezeigteLaenge = 100000;

}  // namespace

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
    m_loaded = seite.loaded;
    m_status = seite.status;
    m_error = seite.error;
    m_body = sys::shownBody(seite);
    setHtml(m_body.size() > GezeigteLaenge ? m_body.left(GezeigteLaenge) : m_body);
    m_readyState = 4;
}

// Pictures and style sheets of a page are never fetched; a picture takes no
// room instead of showing a broken-picture sign.
QVariant WebBrowser::loadResource(int type, const QUrl&)
{
    if (type == QTextDocument::ImageResource) {
        QImage leer(1, 1, QImage::Format_ARGB32);
        leer.fill(Qt::transparent);
        return leer;
    }
    return {};
}

}  // namespace vb
