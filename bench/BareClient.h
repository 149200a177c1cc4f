#pragma once
// A bare client of the simulated device on its pseudo-terminal: plain POSIX
// writes, poll and reads, no event loop and no log. The time it takes for the
// same exchanges as KVL is what the line and this machine's scheduling alone
// cost, so KVL's time over it is the host's own share.

#include "device/core/LinkState.h"

#include <QString>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace kvl::bench {

class BareClient {
public:
    // Opens the terminal in raw mode; IsOpen() says whether it worked.
    explicit BareClient(const QString& path) : fd_(open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY))
    {
        if (fd_ < 0)
            return;
        termios raw{};
        tcgetattr(fd_, &raw);
        cfmakeraw(&raw);
        tcsetattr(fd_, TCSANOW, &raw);
    }
    ~BareClient()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    BareClient(const BareClient&) = delete;
    BareClient& operator=(const BareClient&) = delete;

    bool IsOpen() const { return fd_ >= 0; }

    // The wake command and its identity reply.
    bool Wake()
    {
        const char frame[2] = {char(CmdWake), 0};
        return Exchange(frame, sizeof frame, WakeReplySize);
    }

    // One page read and its 18-byte reply.
    bool ReadPage(int page)
    {
        const char frame[6] = {char(CmdReadPage), char(page % 256), char(page / 256), char(page % 256),
                               char(page / 256), 0};
        return Exchange(frame, sizeof frame, PageReplySize);
    }

private:
    bool Exchange(const char* frame, int size, int replyBytes)
    {
        if (write(fd_, frame, size_t(size)) != size)
            return false;
        char reply[64];
        for (int got = 0; got < replyBytes;) {
            pollfd p{fd_, POLLIN, 0};
            if (poll(&p, 1, 2000) <= 0)
                return false;
            const ssize_t n = read(fd_, reply, sizeof reply);
            if (n <= 0)
                return false;
            got += int(n);
        }
        return true;
    }

    int fd_ = -1;
};

} // namespace kvl::bench
