#include "endsignals.h"

#include "platform.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <iterator>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int Watched[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int WatchedCount = int(std::size(Watched));

// Written by the handler, read by the event loop.
int g_socket[2] = {-1, -1};
struct sigaction g_before[WatchedCount];
bool g_installed[WatchedCount] = {};

extern "C" void onEndSignal(int signal) {
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    // Nothing to do when it fails: the socket is full of signals already.
    [[maybe_unused]] const ssize_t written = ::write(g_socket[0], &number, 1);
    errno = savedErrno;
}

} // namespace

EndSignals::EndSignals(Platform& platform, QObject* parent)
    : QObject(parent), m_platform(platform) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, g_socket) != 0)
        return;
    m_notifier = new QSocketNotifier(g_socket[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndSignals::readSignal);
    for (int i = 0; i < WatchedCount; ++i) {
        struct sigaction current {};
        if (::sigaction(Watched[i], nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
            continue;
        struct sigaction handler {};
        handler.sa_handler = onEndSignal;
        sigemptyset(&handler.sa_mask);
        handler.sa_flags = SA_RESTART;
        g_installed[i] = ::sigaction(Watched[i], &handler, &g_before[i]) == 0;
    }
}

EndSignals::~EndSignals() {
    for (int i = 0; i < WatchedCount; ++i)
        if (g_installed[i]) {
            ::sigaction(Watched[i], &g_before[i], nullptr);
            g_installed[i] = false;
        }
    delete m_notifier;
    for (int& fd : g_socket) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void EndSignals::readSignal() {
    unsigned char number = 0;
    if (::read(g_socket[1], &number, 1) == 1)
        m_platform.terminate(number);
}
