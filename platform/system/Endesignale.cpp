#include "platform/system/Endesignale.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <unistd.h>

namespace sys {

namespace {

// The handler only writes the signal's number into a pipe; the event loop reads it.
int s_pipe[2] = {-1, -1};
constexpr int Signale[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int AnzahlSignale = int(std::size(Signale));
// What each signal did before, put back when the object goes; false for one
// the program was started with ignored (nohup, a background job), which stays so.
struct sigaction s_vorher[AnzahlSignale];
bool s_uebernommen[AnzahlSignale] = {};

void handler(int signal)
{
    const int saved = errno;
    const char byte = char(signal);
    [[maybe_unused]] const ssize_t written = ::write(s_pipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

Endesignale::Endesignale()
{
    if (::pipe2(s_pipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        s_pipe[0] = s_pipe[1] = -1;
        return;
    }
    m_notifier = std::make_unique<QSocketNotifier>(s_pipe[0], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, this, [this] { lesen(); });
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < AnzahlSignale; ++i) {
        s_uebernommen[i] = ::sigaction(Signale[i], nullptr, &s_vorher[i]) == 0 && s_vorher[i].sa_handler != SIG_IGN
                           && ::sigaction(Signale[i], &action, nullptr) == 0;
    }
}

Endesignale::~Endesignale()
{
    if (s_pipe[0] < 0)
        return;
    for (int i = 0; i < AnzahlSignale; ++i) {
        if (s_uebernommen[i])
            ::sigaction(Signale[i], &s_vorher[i], nullptr);
        s_uebernommen[i] = false;
    }
    m_notifier.reset();
    ::close(s_pipe[0]);
    ::close(s_pipe[1]);
    s_pipe[0] = s_pipe[1] = -1;
}

void Endesignale::lesen()
{
    char byte = 0;
    while (::read(s_pipe[0], &byte, 1) == 1)
        m_signal = byte;
    // A message box of the start is answered first; the program then ends
    // instead of going on (see exec).
    if (m_signal != 0 && m_laeuft)
        QCoreApplication::exit(0);
}

int Endesignale::exec()
{
    // A signal that came while the start had no event loop waits in the pipe.
    lesen();
    if (m_signal != 0)
        return 0;
    m_laeuft = true;
    const int result = QCoreApplication::exec();
    m_laeuft = false;
    return result;
}

}  // namespace sys
