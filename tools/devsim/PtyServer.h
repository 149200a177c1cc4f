#pragma once
// Serves the simulated device on a pseudo-terminal: the slave's path is what the
// host opens. Optionally paces both directions at 960 bytes a second, as a
// 9600-baud line would. A plain poll loop with microsecond deadlines, so pacing
// adds no timer slack.

#include "tools/devsim/sim/Device.h"

#include <QByteArray>
#include <QString>

#include <deque>

namespace devsim {

class PtyServer {
public:
    PtyServer(Device& device, bool paced) : device_(device), paced_(paced) {}
    ~PtyServer();

    // Opens the pseudo-terminal; false with an error text.
    bool Start(QString* error);
    QString SlavePath() const { return slavePath_; }
    // Serves until SIGTERM or SIGINT, the cable is pulled, or (when watchStdin)
    // standard input closes.
    void Serve(bool watchStdin);

private:
    struct Pending {
        double at = 0;        // seconds since start when it is due
        QByteArray bytes;
        bool unplug = false;
    };
    double Now() const;
    void Read();
    void RunDue();
    void Close();

    Device& device_;
    bool paced_;
    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
    long long startNs_ = 0;
    std::deque<Pending> outbound_;  // reply chunks, due when the line has carried them
    double inFreeAt_ = 0;
    double outFreeAt_ = 0;
    bool unplugged_ = false;
};

// Set by SIGTERM and SIGINT.
void InstallStopHandlers();

} // namespace devsim
