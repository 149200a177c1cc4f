#pragma once
// The simulated dive computer: 4096 pages of 16 bytes, asleep or awake, a parser
// of the host's frames, the reply of every command, injected faults, and a
// record of every frame received.

#include <QByteArray>
#include <QString>

#include <array>
#include <vector>

namespace devsim {

inline constexpr int PageCount = 4096;
inline constexpr int PageSize = 16;
using Page = std::array<quint8, PageSize>;

enum class FaultKind {
    NoReply,          // no reply (count times or always)
    ShortReply,       // only the first `bytes` bytes of the reply
    BadChecksum,      // a page reply whose checksum is off by one
    GarbageBeforeZ,   // a stray byte before the 'Z'
    SplitChunks,      // the reply in chunks of the given sizes
    GlueExtra,        // extra bytes glued to the reply
    NoWriteAck,       // a page write gets no acknowledgement
    ReadBackDiffers,  // a page write stores something else
    WrongIdentity,    // the wake reply carries `identity`
    SerialZero,       // page 0 reads serial number 0
    ShortWakeReply,   // a wake while awake gets a 10-byte reply
    UnplugAfterPage,  // the cable is pulled after the reply to `page`
};

struct Fault {
    FaultKind kind = FaultKind::NoReply;
    int command = 0x20;        // the command the fault hits (0x90 stands for both wakes)
    int page = -1;             // the page it hits; -1 any
    int count = -1;            // how many times; -1 always
    int skip = 0;              // hits let through before it acts (faults that act on a frame)
    int bytes = 0;             // ShortReply: bytes kept
    std::vector<int> chunks;   // SplitChunks: chunk sizes
    QByteArray extra;          // GlueExtra: bytes glued after the reply
    QString identity;          // WrongIdentity
};

// Parses "kind[:key=value,...]", e.g. "noreply:page=70,count=3", "split:chunks=5/5/8",
// "identity:text=ABCDEFG V2B 0001", "unplug:page=80", "noreply:page=5,skip=1" (the
// second read of page 5 gets no reply). Empty kind on error.
bool ParseFault(const QString& text, Fault& fault, QString* error = nullptr);

struct FrameRecord {
    double time = 0;
    QByteArray bytes;          // the frame without its closing 0x00
    int command() const { return bytes.isEmpty() ? -1 : quint8(bytes[0]); }
    int page() const;          // read or write frames: the page; else -1
};

struct Reply {
    std::vector<QByteArray> chunks;
    bool unplug = false;
};

class Device {
public:
    Device();

    Page& PageAt(int page) { return memory_[size_t(page)]; }
    const Page& PageAt(int page) const { return memory_[size_t(page)]; }
    QString identity = QStringLiteral("TARQX07 V2B 0001");
    double idleSeconds = 60;
    // The first device family: register frames (0x6A), 0x34 page reads, no wake.
    bool familyA = false;
    // Its 16 clock registers and the clock the last clock write set from them.
    std::array<quint8, 16> registers{};
    std::array<quint8, 16> clock{};

    void AddFault(const Fault& fault) { faults_.push_back(fault); }
    // Takes bytes from the host; `now` in seconds.
    Reply Receive(const QByteArray& bytes, double now);

    bool Awake() const { return awake_; }
    int WokenBy() const { return wokenBy_; }
    const std::vector<FrameRecord>& Frames() const { return frames_; }
    const std::vector<FrameRecord>& ClockFrames() const { return clockFrames_; }
    // Frames of one command (and page, unless -1), in order.
    std::vector<FrameRecord> FramesOf(int command, int page = -1) const;
    // The whole memory, page after page.
    QByteArray Dump() const;

private:
    void Handle(const QByteArray& frame, double now, Reply& reply);
    void HandleFamilyA(const QByteArray& frame, Reply& reply);
    QByteArray PageReply(int page, int command = 0x20);
    QByteArray WakeReply(bool repeated);
    void Shape(int command, int page, QByteArray bytes, Reply& reply);
    Fault* Active(FaultKind kind, int command, int page);
    // The fault that acts on this frame (its count and skip counted down), or nullptr.
    Fault* Take(FaultKind kind, int command, int page);
    bool Fire(FaultKind kind, int command, int page);

    std::array<Page, PageCount> memory_{};
    std::vector<Fault> faults_;
    QByteArray input_;
    bool awake_ = false;
    int wokenBy_ = 0;
    double lastFrameTime_ = 0;
    std::vector<FrameRecord> frames_;
    std::vector<FrameRecord> clockFrames_;
};

// Length of a frame by its command byte, without the closing 0x00; 0 when unknown.
int FrameLength(int command);
int FamilyAFrameLength(int command);

} // namespace devsim
