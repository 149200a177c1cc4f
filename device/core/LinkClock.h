#pragma once
// The link's clock: monotonic seconds, the short pauses that hold replies back,
// and the yielding wait that returns as soon as a reply completes, its time is
// up, or the user closes. SteadyClock runs on real time, scaled for tests;
// VirtualClock advances only when asked, for tests that check order and windows.

#include <QtGlobal>

#include <functional>
#include <vector>

class QEventLoop;

namespace kvl {

class LinkClock {
public:
    virtual ~LinkClock() = default;

    // Seconds on a monotonic clock.
    virtual double Now() const = 0;
    // Returns after more than the given seconds; no reply is taken in meanwhile.
    void Delay(double seconds);
    // Runs the event loop until Wake() or until more than the given seconds passed.
    void Wait(double seconds);
    // Ends the running Wait (called when a reply completes or Close is asked).
    virtual void Wake() = 0;

    // What was asked of the clock, in order.
    const std::vector<double>& Delays() const { return delays_; }
    const std::vector<double>& Waits() const { return waits_; }

protected:
    virtual void DoDelay(double seconds) = 0;
    virtual void DoWait(double seconds) = 0;

private:
    std::vector<double> delays_;
    std::vector<double> waits_;
};

// Real time. Every pause and window is multiplied by the scale (1 in the program).
class SteadyClock : public LinkClock {
public:
    explicit SteadyClock(double scale = 1.0);
    double Now() const override;
    void Wake() override;

protected:
    void DoDelay(double seconds) override;
    void DoWait(double seconds) override;

private:
    double scale_;
    qint64 startNs_;
    QEventLoop* loop_ = nullptr;
    bool woken_ = false;
};

// Time that moves only by Delay and by a Wait that is not woken. A Wait first
// runs the event loop while `pending` says something is on its way.
class VirtualClock : public LinkClock {
public:
    explicit VirtualClock(std::function<bool()> pending = {});
    double Now() const override { return now_; }
    void Wake() override { woken_ = true; }
    void SetPending(std::function<bool()> pending) { pending_ = std::move(pending); }

protected:
    void DoDelay(double seconds) override;
    void DoWait(double seconds) override;

private:
    std::function<bool()> pending_;
    double now_ = 0;
    bool woken_ = false;
};

} // namespace kvl
