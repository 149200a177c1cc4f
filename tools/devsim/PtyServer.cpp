#include "tools/devsim/PtyServer.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

namespace devsim {
namespace {

constexpr double LineBytesPerSecond = 960.0;
volatile std::sig_atomic_t stopRequested = 0;

void OnStopSignal(int)
{
    stopRequested = 1;
}

long long MonotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000000000LL + ts.tv_nsec;
}

} // namespace

void InstallStopHandlers()
{
    struct sigaction sa{};
    sa.sa_handler = OnStopSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

PtyServer::~PtyServer()
{
    Close();
}

double PtyServer::Now() const
{
    return double(MonotonicNs() - startNs_) / 1e9;
}

bool PtyServer::Start(QString* error)
{
    startNs_ = MonotonicNs();
    prctl(PR_SET_TIMERSLACK, 1UL);  // pacing deadlines to the microsecond
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        *error = QStringLiteral("cannot open a pseudo-terminal");
        return false;
    }
    const char* name = ptsname(master_);
    if (!name) {
        *error = QStringLiteral("no pseudo-terminal name");
        return false;
    }
    slavePath_ = QString::fromLocal8Bit(name);
    // Keeping a slave descriptor open ourselves means reads on the master do not
    // fail before the host connects, nor after it closes.
    slave_ = open(name, O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        *error = QStringLiteral("cannot open ") + slavePath_;
        return false;
    }
    termios raw{};
    tcgetattr(slave_, &raw);
    cfmakeraw(&raw);
    cfsetispeed(&raw, B9600);
    cfsetospeed(&raw, B9600);
    tcsetattr(slave_, TCSANOW, &raw);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    return true;
}

void PtyServer::Close()
{
    if (master_ >= 0)
        ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
    master_ = slave_ = -1;
}

void PtyServer::Read()
{
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0)
            return;
        const double now = Now();
        double arrived = now;
        if (paced_) {
            inFreeAt_ = std::max(now, inFreeAt_) + double(n) / LineBytesPerSecond;
            arrived = inFreeAt_;
        }
        // The device sees the bytes when the line has carried them; its reply is
        // queued at once and leaves only when due, so no extra wake-up is needed.
        const Reply reply = device_.Receive(QByteArray(buffer, int(n)), arrived);
        for (const QByteArray& chunk : reply.chunks) {
            double at = arrived;
            if (paced_) {
                outFreeAt_ = std::max(arrived, outFreeAt_) + double(chunk.size()) / LineBytesPerSecond;
                at = outFreeAt_;
            }
            outbound_.push_back({at, chunk, false});
        }
        if (reply.unplug)
            outbound_.push_back({outbound_.empty() ? arrived : outbound_.back().at, {}, true});
    }
}

void PtyServer::RunDue()
{
    while (!outbound_.empty() && outbound_.front().at <= Now()) {
        const Pending out = std::move(outbound_.front());
        outbound_.pop_front();
        if (out.unplug) {
            unplugged_ = true;
            return;
        }
        const char* data = out.bytes.constData();
        qsizetype left = out.bytes.size();
        while (left > 0) {
            const ssize_t n = ::write(master_, data, size_t(left));
            if (n < 0 && errno != EAGAIN && errno != EINTR)
                break;
            if (n > 0) {
                data += n;
                left -= n;
            }
        }
    }
}

void PtyServer::Serve(bool watchStdin)
{
    bool stdinOpen = watchStdin;
    while (!stopRequested && !unplugged_) {
        const double next = outbound_.empty() ? -1 : outbound_.front().at;
        timespec timeout{};
        timespec* timeoutPtr = nullptr;
        if (next >= 0) {
            const double wait = std::max(0.0, next - Now());
            timeout.tv_sec = time_t(wait);
            timeout.tv_nsec = long((wait - double(timeout.tv_sec)) * 1e9);
            timeoutPtr = &timeout;
        }
        pollfd fds[2] = {{master_, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        const int count = stdinOpen ? 2 : 1;
        const int ready = ppoll(fds, nfds_t(count), timeoutPtr, nullptr);
        if (ready < 0 && errno != EINTR)
            break;
        if (ready > 0 && (fds[0].revents & POLLIN))
            Read();
        if (ready > 0 && stdinOpen && (fds[1].revents & (POLLIN | POLLHUP))) {
            char sink[256];
            if (::read(STDIN_FILENO, sink, sizeof sink) <= 0)
                break;
        }
        RunDue();
    }
    Close();
}

} // namespace devsim
