#include "dive/core/AddDiveLogic.h"

#include <limits>

namespace kvl {

std::optional<long> ParseLifetimeNumber(const QString& text)
{
    bool ok = false;
    const qlonglong n = text.trimmed().toLongLong(&ok);
    if (!ok || n < 1 || n > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<long>(n);
}

AddDiveResult ResolveAddDive(const AddDiveChoice& choice)
{
    AddDiveResult r;
    const std::optional<long> first = ParseLifetimeNumber(choice.firstText);
    r.firstLtd = first.value_or(0);
    std::optional<long> number;
    switch (choice.place) {
    case LtdPlace::None:
        return r;   // nothing chosen: as Cancel
    case LtdPlace::Beginning:
        number = first;
        r.mode = kAddAtBeginning;
        break;
    case LtdPlace::End:
        number = choice.lastLtd + 1;
        r.mode = kAddAfterLast;
        break;
    case LtdPlace::Middle:
        number = ParseLifetimeNumber(choice.middleText);
        r.mode = kAddAtTypedNumber;
        break;
    }
    if (!number) {
        r.mode = kAddCancelled;
        r.refused = true;
        return r;
    }
    r.newDiveLtd = *number;
    if (choice.download)
        r.mode += kAddDownload;
    return r;
}

} // namespace kvl
