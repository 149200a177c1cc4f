#include "shell/core/Scramble.h"

#include "platform/folders/Folders.h"
#include "platform/runtime/Runtime.h"
#include "shell/core/SystemServices.h"


#include <array>
#include <cstring>

namespace kvl {

namespace {

// XORs data, which starts at file offset `offset`, with the positional mask.
void ApplyMask(char* data, qint64 size, qint64 offset, const QByteArray& mask)
{
    std::array<unsigned char, ScrambleBlockSize> phased;
    for (int k = 0; k < ScrambleBlockSize; ++k)
        phased[k] = static_cast<unsigned char>(mask[(offset + k) % ScrambleBlockSize]);
    quint64 lo, hi;
    std::memcpy(&lo, phased.data(), 8);
    std::memcpy(&hi, phased.data() + 8, 8);
    qint64 i = 0;
    for (; i + ScrambleBlockSize <= size; i += ScrambleBlockSize) {
        quint64 a, b;
        std::memcpy(&a, data + i, 8);
        std::memcpy(&b, data + i + 8, 8);
        a ^= lo;
        b ^= hi;
        std::memcpy(data + i, &a, 8);
        std::memcpy(data + i + 8, &b, 8);
    }
    for (; i < size; ++i)
        data[i] = static_cast<char>(data[i] ^ phased[i % ScrambleBlockSize]);
}

// The pass itself: a copy whose chunks go through the positional mask.
bool CopyScrambled(const QString& source, const QString& target, const QByteArray& key)
{
    BasicRnd scratch;
    const QByteArray mask = ScrambleMask(key, ScrambleBlockSize, scratch);
    const qint64 total = CopyFileReplacing(source, target, [&mask](char* data, qint64 size, qint64 offset) {
        ApplyMask(data, size, offset, mask);
    });
    if (total < 0)
        return false;
    // Leave the process-wide generator as the last block leaves it.
    if (total > 0) {
        const int lastBlock = int((total - 1) % ScrambleBlockSize) + 1;
        ScrambleMask(key, lastBlock, Runtime::Rng());
    }
    return true;
}

} // namespace

int ScrambleFile(const QString& source, const QString& target, const QByteArray& key)
{
    SetProcessPriority(0, 0, HIGH_PRIORITY_CLASS);
    const bool ok = CopyScrambled(source, target, key);
    SetProcessPriority(0, 0, NORMAL_PRIORITY_CLASS);
    return ok ? 1 : 0;
}

QByteArray ScrambleMask(const QByteArray& key, int length, BasicRnd& rng)
{
    rng.Rnd(-1);
    rng.Randomize(key.size());
    qint32 seed = 0;
    for (int i = 1; i <= key.size(); ++i) {
        const int r = int(rng.Rnd() * 256);
        const int c = static_cast<unsigned char>(key[i - 1]);
        seed += (c ^ r) ^ (i % 256);
    }
    rng.Rnd(-1);
    rng.Randomize(seed);
    QByteArray mask(length, Qt::Uninitialized);
    for (char& m : mask)
        m = static_cast<char>(int(rng.Rnd() * 256));
    return mask;
}

QByteArray ScrambleText(QByteArray text, const QByteArray& key)
{
    const QByteArray mask = ScrambleMask(key, int(text.size()), Runtime::Rng());
    for (qsizetype j = 0; j < text.size(); ++j)
        text[j] = static_cast<char>(text[j] ^ mask[j]);
    return text;
}

QString TextBeforeLast(const QString& text, const QString& separator, int compareMode, int flag)
{
    const Qt::CaseSensitivity cs = compareMode == 1 ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const qsizetype p = text.lastIndexOf(separator, -1, cs);
    if (p >= 0)
        return text.left(p);
    return flag == 0 ? text : QString();
}

} // namespace kvl
