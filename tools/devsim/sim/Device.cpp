#include "tools/devsim/sim/Device.h"

#include <QStringList>

#include <algorithm>

namespace devsim {
namespace {

constexpr int CmdReadPage = 0x20;
constexpr int CmdWritePage = 0x40;
constexpr int CmdTest = 0x55;
constexpr int CmdWake = 0x90;
constexpr int CmdKeepAwake = 0x91;
constexpr int CmdSetClock = 0x94;
constexpr int CmdWakeForWrite = 0x95;
constexpr int CmdSleep = 0x98;
constexpr char Lead = 0x5A;
constexpr int CmdACalibrate = 0x18;
constexpr int CmdAReadPage = 0x34;
constexpr int CmdARegister = 0x6A;
constexpr int CmdATest = 0xAA;
constexpr int RegWriteRam = 0x02;
constexpr int RegQuery = 0x08;
constexpr int RegWriteClock = 0x0D;
constexpr int ShortWakeSize = 10;

bool IsWake(int command)
{
    return command == CmdWake || command == CmdWakeForWrite;
}

bool Writable(int page)
{
    return page == 5 || (page >= 48 && page <= 60);
}

quint8 Sum(const QByteArray& bytes, int from, int count)
{
    unsigned sum = 0;
    for (int i = from; i < from + count && i < bytes.size(); ++i)
        sum += quint8(bytes[i]);
    return quint8(sum % 256);
}

} // namespace

int FrameLength(int command)
{
    switch (command) {
    case CmdWake:
    case CmdWakeForWrite:
    case CmdSleep:
    case CmdTest:
        return 1;
    case CmdReadPage:
        return 5;
    case CmdWritePage:
        return 20;
    case CmdSetClock:
        return 9;
    case CmdKeepAwake:
        return 3;
    default:
        return 0;
    }
}

int FamilyAFrameLength(int command)
{
    switch (command) {
    case CmdACalibrate:
    case CmdATest:
        return 1;
    case CmdARegister:
        return 3;
    case CmdAReadPage:
        return 5;
    default:
        return 0;
    }
}

int FrameRecord::page() const
{
    const int c = command();
    if (c == CmdAReadPage && bytes.size() >= 3)
        return quint8(bytes[1]) * 256 + quint8(bytes[2]);
    if ((c == CmdReadPage || c == CmdWritePage) && bytes.size() >= 3)
        return quint8(bytes[1]) + quint8(bytes[2]) * 256;
    return -1;
}

Device::Device() = default;

std::vector<FrameRecord> Device::FramesOf(int command, int page) const
{
    std::vector<FrameRecord> out;
    std::copy_if(frames_.begin(), frames_.end(), std::back_inserter(out), [&](const FrameRecord& f) {
        return f.command() == command && (page < 0 || f.page() == page);
    });
    return out;
}

QByteArray Device::Dump() const
{
    QByteArray out;
    out.reserve(PageCount * PageSize);
    for (const Page& p : memory_)
        out.append(reinterpret_cast<const char*>(p.data()), PageSize);
    return out;
}

Reply Device::Receive(const QByteArray& bytes, double now)
{
    Reply reply;
    input_.append(bytes);
    while (!input_.isEmpty()) {
        const int command = quint8(input_[0]);
        const int length = familyA ? FamilyAFrameLength(command) : FrameLength(command);
        if (length == 0) {
            input_.remove(0, 1);
            continue;
        }
        if (input_.size() < length + 1)
            break;
        if (input_[length] != '\0') {
            input_.remove(0, 1);
            continue;
        }
        const QByteArray frame = input_.left(length);
        input_.remove(0, length + 1);
        Handle(frame, now, reply);
    }
    return reply;
}

Fault* Device::Active(FaultKind kind, int command, int page)
{
    for (Fault& f : faults_) {
        if (f.kind != kind || f.count == 0)
            continue;
        const bool commandHit = f.command == command || (IsWake(f.command) && IsWake(command));
        if (commandHit && (f.page < 0 || f.page == page))
            return &f;
    }
    return nullptr;
}

Fault* Device::Take(FaultKind kind, int command, int page)
{
    Fault* f = Active(kind, command, page);
    if (!f)
        return nullptr;
    if (f->skip > 0) {
        --f->skip;
        return nullptr;
    }
    if (f->count > 0)
        --f->count;
    return f;
}

bool Device::Fire(FaultKind kind, int command, int page)
{
    return Take(kind, command, page) != nullptr;
}

void Device::Handle(const QByteArray& frame, double now, Reply& reply)
{
    const int command = quint8(frame[0]);
    if (awake_ && now - lastFrameTime_ > idleSeconds)
        awake_ = false;
    lastFrameTime_ = now;
    frames_.push_back({now, frame});
    if (familyA) {
        HandleFamilyA(frame, reply);
        return;
    }

    if (IsWake(command)) {
        const bool repeated = awake_;
        awake_ = true;
        wokenBy_ = command;
        Shape(command, -1, WakeReply(repeated), reply);
        return;
    }
    if (command == CmdTest) {
        Shape(command, -1, QByteArrayLiteral("DEVSIM READY"), reply);
        return;
    }
    if (!awake_)
        return;
    switch (command) {
    case CmdSleep:
        awake_ = false;
        break;
    case CmdSetClock:
        clockFrames_.push_back({now, frame});
        break;
    case CmdKeepAwake:
        Shape(command, -1, QByteArrayLiteral("\x91\x01"), reply);
        break;
    case CmdReadPage: {
        const int page = quint8(frame[1]) + quint8(frame[2]) * 256;
        const int copy = quint8(frame[3]) + quint8(frame[4]) * 256;
        if (page != copy || page >= PageCount)
            break;
        Shape(command, page, PageReply(page), reply);
        reply.unplug = reply.unplug || Fire(FaultKind::UnplugAfterPage, command, page);
        break;
    }
    case CmdWritePage: {
        const int page = quint8(frame[1]) + quint8(frame[2]) * 256;
        if (!Writable(page) || Sum(frame, 3, PageSize) != quint8(frame[19]))
            break;
        if (Fire(FaultKind::NoWriteAck, command, page))
            break;
        Page& target = memory_[size_t(page)];
        for (int k = 0; k < PageSize; ++k)
            target[size_t(k)] = quint8(frame[3 + k]);
        if (Fire(FaultKind::ReadBackDiffers, command, page))
            target[0] ^= 0x01;
        Shape(command, page, QByteArray(1, Lead), reply);
        break;
    }
    default:
        break;
    }
}

// The first family answers whenever the port is open.
void Device::HandleFamilyA(const QByteArray& frame, Reply& reply)
{
    const int command = quint8(frame[0]);
    switch (command) {
    case CmdACalibrate:
        Shape(command, -1, QByteArrayLiteral("\x18\x01"), reply);
        break;
    case CmdATest:
        Shape(command, -1, QByteArrayLiteral("DEVSIM READY"), reply);
        break;
    case CmdAReadPage: {
        const int page = quint8(frame[1]) * 256 + quint8(frame[2]);
        const int copy = quint8(frame[3]) * 256 + quint8(frame[4]);
        if (page == copy && page < PageCount)
            Shape(command, page, PageReply(page, command), reply);
        break;
    }
    case CmdARegister: {
        const int op = quint8(frame[1]);
        const quint8 value = quint8(frame[2]);
        if (op == RegWriteRam)
            registers[size_t(value >> 4)] = value & 15;
        else if (op == RegWriteClock)
            clock = registers;
        Shape(command, -1, op == RegQuery ? QByteArray("Z\x01", 2) : QByteArray(1, Lead), reply);
        break;
    }
    default:
        break;
    }
}

QByteArray Device::WakeReply(bool repeated)
{
    QString text = identity;
    if (Fault* f = Active(FaultKind::WrongIdentity, CmdWake, -1))
        text = f->identity;
    QByteArray out(1, char(wokenBy_));
    out.append(text.toLatin1().leftJustified(PageSize, '\0', true));
    if (repeated && Fire(FaultKind::ShortWakeReply, CmdWake, -1))
        out.truncate(ShortWakeSize);
    return out;
}

QByteArray Device::PageReply(int page, int command)
{
    Page data = memory_[size_t(page)];
    if (page == 0 && Active(FaultKind::SerialZero, CmdReadPage, -1))
        data[11] = data[12] = data[13] = 0;
    QByteArray out(1, Lead);
    out.append(reinterpret_cast<const char*>(data.data()), PageSize);
    quint8 sum = Sum(out, 1, PageSize);
    if (Fire(FaultKind::BadChecksum, command, page))
        ++sum;
    out.append(char(sum));
    return out;
}

// Applies the faults that change how a reply travels, and queues it.
void Device::Shape(int command, int page, QByteArray bytes, Reply& reply)
{
    if (Fire(FaultKind::NoReply, command, page))
        return;
    if (const Fault* f = Take(FaultKind::ShortReply, command, page))
        bytes.truncate(f->bytes);
    if (Fire(FaultKind::GarbageBeforeZ, command, page))
        bytes.prepend(char(0xA5));
    if (const Fault* f = Take(FaultKind::GlueExtra, command, page))
        bytes.append(f->extra.isEmpty() ? QByteArray(7, char(0x33)) : f->extra);
    if (const Fault* f = Take(FaultKind::SplitChunks, command, page)) {
        const std::vector<int> sizes = f->chunks;
        int at = 0;
        for (int size : sizes) {
            if (at >= bytes.size())
                break;
            reply.chunks.push_back(bytes.mid(at, size));
            at += size;
        }
        if (at < bytes.size())
            reply.chunks.push_back(bytes.mid(at));
        return;
    }
    if (!bytes.isEmpty())
        reply.chunks.push_back(bytes);
}

bool ParseFault(const QString& text, Fault& fault, QString* error)
{
    static const std::vector<std::pair<QString, FaultKind>> kinds = {
        {"noreply", FaultKind::NoReply},         {"short", FaultKind::ShortReply},
        {"badsum", FaultKind::BadChecksum},      {"garbage", FaultKind::GarbageBeforeZ},
        {"split", FaultKind::SplitChunks},       {"glue", FaultKind::GlueExtra},
        {"noack", FaultKind::NoWriteAck},        {"readback", FaultKind::ReadBackDiffers},
        {"identity", FaultKind::WrongIdentity},  {"serial0", FaultKind::SerialZero},
        {"shortwake", FaultKind::ShortWakeReply}, {"unplug", FaultKind::UnplugAfterPage},
    };
    const QString name = text.section(QLatin1Char(':'), 0, 0).trimmed().toLower();
    auto kind = std::find_if(kinds.begin(), kinds.end(), [&](const auto& k) { return k.first == name; });
    if (kind == kinds.end()) {
        if (error)
            *error = QStringLiteral("unknown fault: ") + name;
        return false;
    }
    fault = Fault{};
    fault.kind = kind->second;
    if (fault.kind == FaultKind::WrongIdentity || fault.kind == FaultKind::ShortWakeReply)
        fault.command = CmdWake;
    if (fault.kind == FaultKind::NoWriteAck || fault.kind == FaultKind::ReadBackDiffers)
        fault.command = CmdWritePage;
    if (fault.kind == FaultKind::UnplugAfterPage)
        fault.count = 1;
    const QString options = text.section(QLatin1Char(':'), 1);
    for (const QString& option : options.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString key = option.section(QLatin1Char('='), 0, 0).trimmed().toLower();
        const QString value = option.section(QLatin1Char('='), 1);
        if (key == "page")
            fault.page = value.toInt();
        else if (key == "count")
            fault.count = value.toInt();
        else if (key == "skip")
            fault.skip = value.toInt();
        else if (key == "bytes")
            fault.bytes = value.toInt();
        else if (key == "command")
            fault.command = value.toInt(nullptr, 0);
        else if (key == "chunks")
            for (const QString& n : value.split(QLatin1Char('/'), Qt::SkipEmptyParts))
                fault.chunks.push_back(n.toInt());
        else if (key == "extra")
            fault.extra = QByteArray::fromHex(value.toLatin1());
        else if (key == "text")
            fault.identity = value;
        else {
            if (error)
                *error = QStringLiteral("unknown fault option: ") + key;
            return false;
        }
    }
    return true;
}

} // namespace devsim
