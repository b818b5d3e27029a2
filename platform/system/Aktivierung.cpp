#include "platform/system/Aktivierung.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace sys {

namespace {

template <class T> using XcbReply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    const XcbReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The window manager says that it activates windows on request (_NET_SUPPORTED).
bool wmActivates(xcb_connection_t* c, xcb_window_t root)
{
    const xcb_atom_t active = atom(c, "_NET_ACTIVE_WINDOW");
    const XcbReply<xcb_get_property_reply_t> supported(
        xcb_get_property_reply(c, xcb_get_property(c, 0, root, atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 0, 4096), nullptr),
        &std::free);
    if (!supported || supported->format != 32)
        return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(supported.get()));
    const int count = xcb_get_property_value_length(supported.get()) / 4;
    return std::find(atoms, atoms + count, active) != atoms + count;
}

// The launcher's feedback ends and the window manager is asked to activate
// the window with the time of the user's click, which its focus stealing
// prevention weighs against the user's later actions.
void aktivierenX11(const QWidget& fenster, const QString& startupId)
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    const xcb_window_t window = xcb_window_t(fenster.winId());
    if (!c || !window)
        return;
    const XcbReply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr), &std::free);
    if (!tree)
        return;
    const xcb_window_t root = tree->root;

    const QByteArray message = startupRemoveMessage(startupId);
    if (!message.isEmpty()) {
        // Sent to the root window in pieces of 20 bytes, the first of its own kind, the closing NUL included.
        const xcb_atom_t begin = atom(c, "_NET_STARTUP_INFO_BEGIN");
        const xcb_atom_t more = atom(c, "_NET_STARTUP_INFO");
        const qsizetype length = message.size() + 1;
        for (qsizetype sent = 0; sent < length; sent += 20) {
            xcb_client_message_event_t event{};
            event.response_type = XCB_CLIENT_MESSAGE;
            event.format = 8;
            event.window = root;
            event.type = sent == 0 ? begin : more;
            std::memcpy(event.data.data8, message.constData() + sent, size_t(qMin<qsizetype>(20, length - sent)));
            xcb_send_event(c, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE, reinterpret_cast<const char*>(&event));
        }
    }

    const quint32 time = startupTime(startupId);
    if (time != 0 && !wmActivates(c, root)) {
        // No window manager that activates: the focus is ours to set, at the click's time.
        xcb_set_input_focus(c, XCB_INPUT_FOCUS_PARENT, window, time);
    } else if (time != 0) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atom(c, "_NET_WM_USER_TIME"), XCB_ATOM_CARDINAL, 32, 1,
                            &time);
        xcb_client_message_event_t event{};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = window;
        event.type = atom(c, "_NET_ACTIVE_WINDOW");
        event.data.data32[0] = 1;  // asked for by an application
        event.data.data32[1] = time;
        event.data.data32[2] = XCB_NONE;
        xcb_send_event(c, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char*>(&event));
    }
    xcb_flush(c);
}

}  // namespace

Activation activationOfThisStart()
{
    return {qEnvironmentVariable("DESKTOP_STARTUP_ID"), qEnvironmentVariable("XDG_ACTIVATION_TOKEN")};
}

quint32 startupTime(const QString& startupId)
{
    const qsizetype at = startupId.lastIndexOf(QStringLiteral("_TIME"));
    if (at < 0)
        return 0;
    bool ok = false;
    const quint32 time = startupId.mid(at + 5).toUInt(&ok);
    return ok ? time : 0;
}

QByteArray startupRemoveMessage(const QString& startupId)
{
    if (startupId.isEmpty())
        return {};
    QByteArray quoted = "remove: ID=\"";
    for (const char ch : startupId.toUtf8()) {
        if (ch == '"' || ch == '\\')
            quoted += '\\';
        quoted += ch;
    }
    return quoted + '"';
}

void nachVorn(QWidget& fenster, const Activation& activation)
{
    QWidget& oben = *fenster.window();
    oben.setWindowState(oben.windowState() & ~Qt::WindowMinimized);
    oben.show();
    oben.raise();
    const QString platform = QGuiApplication::platformName();
    // Qt's Wayland client activates with the token it finds there, and takes it away.
    if (platform.startsWith(QStringLiteral("wayland")) && !activation.activationToken.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", activation.activationToken.toUtf8());
    oben.activateWindow();
    if (platform == QStringLiteral("xcb"))
        aktivierenX11(oben, activation.startupId);
}

}  // namespace sys
