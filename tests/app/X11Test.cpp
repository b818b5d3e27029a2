// The programs on a real X server (Xvfb, where it is installed): their
// windows carry the class that their menu entries name and the program's
// icon, read with xprop as a user would; a later start brings the running
// window to the front with the focus and ends the launcher's start-up feedback.
#include "tests/Quellordner.h"
#include "tests/app/Programmordner.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

using testing_support::programmordnerAnlegen;
using testing_support::Programmstart;
using testing_support::Start;
using testing_support::TempFolder;
using testing_support::waitFor;

namespace {

template <class T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

// An X server of the test's own, on the first free display.
class XServer {
public:
    XServer()
    {
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        if (xvfb.isEmpty())
            return;
        m_server.start(xvfb, {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1280x1024x24"});
        // It writes its display's number once it takes clients.
        if (!waitFor([&] { return m_server.waitForReadyRead(50) || m_server.canReadLine(); }, 10000))
            return;
        const QString number = QString::fromLatin1(m_server.readLine()).trimmed();
        if (!number.isEmpty())
            m_display = ':' + number;
        m_c = xcb_connect(m_display.toLatin1().constData(), nullptr);
        if (xcb_connection_has_error(m_c))
            m_display.clear();
    }
    ~XServer()
    {
        if (m_c)
            xcb_disconnect(m_c);
        m_server.terminate();
        m_server.waitForFinished(5000);
    }
    bool ok() const { return !m_display.isEmpty(); }
    const QString& display() const { return m_display; }
    xcb_connection_t* c() const { return m_c; }
    xcb_window_t root() const { return xcb_setup_roots_iterator(xcb_get_setup(m_c)).data->root; }

    xcb_atom_t atom(const char* name) const
    {
        const Reply<xcb_intern_atom_reply_t> r(
            xcb_intern_atom_reply(m_c, xcb_intern_atom(m_c, 0, uint16_t(std::strlen(name)), name), nullptr), &std::free);
        return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    std::optional<quint32> cardinal(xcb_window_t w, const char* name) const
    {
        const Reply<xcb_get_property_reply_t> r(
            xcb_get_property_reply(m_c, xcb_get_property(m_c, 0, w, atom(name), XCB_ATOM_CARDINAL, 0, 1), nullptr),
            &std::free);
        if (!r || r->format != 32 || xcb_get_property_value_length(r.get()) < 4)
            return std::nullopt;
        return *static_cast<const quint32*>(xcb_get_property_value(r.get()));
    }
    bool viewable(xcb_window_t w) const
    {
        const Reply<xcb_get_window_attributes_reply_t> r(
            xcb_get_window_attributes_reply(m_c, xcb_get_window_attributes(m_c, w), nullptr), &std::free);
        return r && r->map_state == XCB_MAP_STATE_VIEWABLE;
    }
    // The viewable top-level windows of the process `pid`.
    std::vector<xcb_window_t> windowsOf(qint64 pid) const
    {
        std::vector<xcb_window_t> found;
        const Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(m_c, xcb_query_tree(m_c, root()), nullptr),
                                                 &std::free);
        if (!tree)
            return found;
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i)
            if (viewable(children[i]) && cardinal(children[i], "_NET_WM_PID") == quint32(pid))
                found.push_back(children[i]);
        return found;
    }
    xcb_window_t focus() const
    {
        const Reply<xcb_get_input_focus_reply_t> r(xcb_get_input_focus_reply(m_c, xcb_get_input_focus(m_c), nullptr),
                                                   &std::free);
        return r ? r->focus : xcb_window_t(XCB_NONE);
    }

private:
    QProcess m_server;
    QString m_display;
    xcb_connection_t* m_c = nullptr;
};

QProcessEnvironment aufX(const XServer& x)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("DISPLAY", x.display());
    env.remove("WAYLAND_DISPLAY");
    env.remove("DESKTOP_STARTUP_ID");
    env.remove("XDG_ACTIVATION_TOKEN");
    return env;
}

// What xprop says of a property of a window.
QString xprop(const XServer& x, xcb_window_t w, const char* property)
{
    QProcess p;
    p.start("xprop", {"-display", x.display(), "-notype", "-id", QString::number(w), property});
    p.waitForFinished(10000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

// The StartupWMClass of a menu entry that the package ships.
QString startupWmClass(const char* desktopFile)
{
    const QString text = QString::fromUtf8(testing_support::fileBytes(RDX_SOURCE_DIR "/package/" + QString(desktopFile)));
    return QRegularExpression("^StartupWMClass=(.*)$", QRegularExpression::MultilineOption).match(text).captured(1);
}

struct Fensterfall {
    const char* name;
    const char* program;
    const char* desktopFile;
};

class Fensterklasse : public ::testing::TestWithParam<Fensterfall> {};

}  // namespace

TEST_P(Fensterklasse, EveryWindowCarriesTheMenuEntrysClassAndTheProgramsIcon)
{
    XServer x;
    if (!x.ok())
        GTEST_SKIP() << "no Xvfb installed";
    if (QStandardPaths::findExecutable("xprop").isEmpty())
        GTEST_SKIP() << "no xprop installed";
    TempFolder folder;
    TempFolder config;
    ASSERT_TRUE(programmordnerAnlegen(folder));
    const QString klasse = startupWmClass(GetParam().desktopFile);
    ASSERT_FALSE(klasse.isEmpty()) << "the menu entry names no StartupWMClass";

    Start start(folder.path(), config.path(), aufX(x), GetParam().program);
    ASSERT_TRUE(start.runsPastTheSplash()) << start.output();
    std::vector<xcb_window_t> fenster;
    ASSERT_TRUE(waitFor([&] { return !(fenster = x.windowsOf(start.process.processId())).empty(); }, 10000))
        << start.output();
    for (const xcb_window_t w : fenster) {
        const QString wmClass = xprop(x, w, "WM_CLASS");
        EXPECT_TRUE(wmClass.endsWith(", \"" + klasse + "\"")) << wmClass.toStdString();
        // xprop draws each picture that the window carries, after its size.
        const QString icon = xprop(x, w, "_NET_WM_ICON").section('\n', 0, 0);
        EXPECT_TRUE(QRegularExpression("^_NET_WM_ICON =\\s+Icon \\(48 x 48\\):").match(icon).hasMatch())
            << icon.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Programme, Fensterklasse,
                         ::testing::Values(Fensterfall{"Rondavex", "Rondavex", "org.rondavex.Rondavex.desktop"},
                                           Fensterfall{"Tools", "tools", "org.rondavex.Rondavex.Tools.desktop"}),
                         [](const ::testing::TestParamInfo<Fensterfall>& i) { return std::string(i.param.name); });

TEST(X11, ALaterStartTakesTheFocusBackWithItsStartupIdAndEndsItsFeedback)
{
    XServer x;
    if (!x.ok())
        GTEST_SKIP() << "no Xvfb installed";
    TempFolder folder;
    TempFolder config;
    ASSERT_TRUE(programmordnerAnlegen(folder));
    Start first(folder.path(), config.path(), aufX(x));
    ASSERT_TRUE(first.runsPastTheSplash()) << first.output();
    const qint64 pid = first.process.processId();
    ASSERT_TRUE(waitFor([&] { return x.windowsOf(pid).size() == 1; }, 10000)) << x.windowsOf(pid).size() << " windows";
    // The running program's window: the main window, the splash being gone.
    const auto ihresFenster = [&](xcb_window_t w) {
        const std::vector<xcb_window_t> fenster = x.windowsOf(pid);
        return std::find(fenster.begin(), fenster.end(), w) != fenster.end();
    };

    // Another program's window takes the focus, and the launcher's watch on the root window begins.
    xcb_connection_t* c = x.c();
    const xcb_window_t andere = xcb_generate_id(c);
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, andere, x.root(), 0, 0, 200, 100, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
    xcb_map_window(c, andere);
    xcb_change_window_attributes(c, x.root(), XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
    ASSERT_TRUE(waitFor([&] { return x.viewable(andere); }, 5000));
    xcb_set_input_focus(c, XCB_INPUT_FOCUS_POINTER_ROOT, andere, XCB_CURRENT_TIME);
    // The server's time now, as a launcher takes it from the user's click.
    const xcb_atom_t stempel = x.atom("RDX_STEMPEL");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, andere, stempel, XCB_ATOM_STRING, 8, 1, "x");
    xcb_flush(c);
    xcb_timestamp_t jetzt = 0;
    while (jetzt == 0) {
        const Reply<xcb_generic_event_t> e(xcb_wait_for_event(c), &std::free);
        ASSERT_TRUE(e);
        if ((e->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            const auto* p = reinterpret_cast<const xcb_property_notify_event_t*>(e.get());
            if (p->window == andere && p->atom == stempel)
                jetzt = p->time;
        }
    }
    ASSERT_EQ(x.focus(), andere);

    const QString id = "rondavex-test-" + QString::number(jetzt) + "_TIME" + QString::number(jetzt);
    QProcessEnvironment env = aufX(x);
    env.insert("DESKTOP_STARTUP_ID", id);
    Start second(folder.path(), config.path(), env);
    ASSERT_TRUE(second.process.waitForFinished(15000));
    EXPECT_EQ(second.process.exitCode(), 0) << second.output();

    // The startup notification messages on the root window, put together.
    const xcb_atom_t begin = x.atom("_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = x.atom("_NET_STARTUP_INFO");
    QByteArray nachricht;
    QList<QByteArray> nachrichten;
    const bool fokus = waitFor(
        [&] {
            while (const Reply<xcb_generic_event_t> e{xcb_poll_for_event(c), &std::free}) {
                if ((e->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
                    continue;
                const auto* m = reinterpret_cast<const xcb_client_message_event_t*>(e.get());
                if (m->type != begin && m->type != more)
                    continue;
                if (m->type == begin)
                    nachricht.clear();
                const QByteArray stueck(reinterpret_cast<const char*>(m->data.data8), 20);
                nachricht += stueck.left(stueck.indexOf('\0') < 0 ? 20 : stueck.indexOf('\0'));
                if (stueck.contains('\0'))
                    nachrichten << nachricht;
            }
            return ihresFenster(x.focus()) && !nachrichten.isEmpty();
        },
        5000);
    EXPECT_TRUE(fokus) << "focus on " << x.focus() << ", not a window of the running program";
    EXPECT_EQ(nachrichten, QList<QByteArray>{"remove: ID=\"" + id.toUtf8() + "\""});
    EXPECT_EQ(first.process.state(), QProcess::Running);
}
