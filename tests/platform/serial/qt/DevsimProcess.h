#pragma once
// The device simulator as a child process: started on a fixture, its
// pseudo-terminal's path read from the first line of its output. It ends when
// its standard input closes, so a test that dies leaves nothing running.

#include "tools/devsim/sim/Fixture.h"

#include <QProcess>
#include <QStringList>

namespace kvl::test {

class DevsimProcess {
public:
    // Starts devsim; PtyPath() is empty when it did not come up.
    explicit DevsimProcess(const QString& fixture, const QStringList& options = {})
    {
        QStringList args = options;
        args << QStringLiteral("--stdin-eof") << devsim::FixturesDir() + "/" + fixture;
        process_.start(QStringLiteral(DEVSIM_PROGRAM), args);
        if (!process_.waitForStarted(5000))
            return;
        while (!process_.canReadLine() && process_.waitForReadyRead(5000)) {
        }
        path_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
    }
    ~DevsimProcess() { Stop(); }

    QString PtyPath() const { return path_; }
    // Closes its standard input and waits for it to end (and write its dump).
    bool Stop()
    {
        if (process_.state() == QProcess::NotRunning)
            return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
        process_.closeWriteChannel();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished(1000);
            return false;
        }
        return process_.exitCode() == 0;
    }

    // Ends it at once, as a crash or a pulled plug would.
    void Kill()
    {
        process_.kill();
        process_.waitForFinished(5000);
    }

private:
    QProcess process_;
    QString path_;
};

} // namespace kvl::test
