#include "device/core/LinkClock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <cmath>

namespace kvl {
namespace {

// A hair more than asked, so that "more than the given seconds" holds.
constexpr double Margin = 1e-6;

qint64 MonotonicNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

void LinkClock::Delay(double seconds)
{
    delays_.push_back(seconds);
    DoDelay(seconds);
}

void LinkClock::Wait(double seconds)
{
    waits_.push_back(seconds);
    DoWait(seconds);
}

SteadyClock::SteadyClock(double scale) : scale_(scale), startNs_(MonotonicNs()) {}

double SteadyClock::Now() const
{
    return double(MonotonicNs() - startNs_) / 1e9 / scale_;
}

void SteadyClock::Wake()
{
    woken_ = true;
    if (loop_)
        loop_->quit();
}

void SteadyClock::DoDelay(double seconds)
{
    const double end = Now() + seconds;
    while (Now() <= end) {
        const double left = (end - Now()) * scale_;
        QThread::usleep(static_cast<unsigned long>(std::max(1.0, left * 1e6 + 1)));
    }
}

void SteadyClock::DoWait(double seconds)
{
    const double end = Now() + seconds;
    woken_ = false;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    loop_ = &loop;
    while (!woken_ && Now() <= end) {
        const double leftMs = (end - Now()) * scale_ * 1000.0;
        timer.start(static_cast<int>(std::ceil(std::max(0.0, leftMs))) + 1);
        loop.exec();
    }
    loop_ = nullptr;
}

VirtualClock::VirtualClock(std::function<bool()> pending) : pending_(std::move(pending)) {}

void VirtualClock::DoDelay(double seconds)
{
    now_ += seconds + Margin;
}

void VirtualClock::DoWait(double seconds)
{
    woken_ = false;
    // Posted deliveries are handled one turn at a time, as a real loop would.
    while (!woken_ && pending_ && pending_())
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    if (!woken_)
        now_ += seconds + Margin;
}

} // namespace kvl
