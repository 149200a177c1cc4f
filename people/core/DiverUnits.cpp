#include "people/core/DiverUnits.h"

namespace kvl::people {

std::optional<quint8> UnitSystemOfRow(const db::Recordset& units)
{
    if (units.EOF())
        return std::nullopt;
    return units.Field(QStringLiteral("DEPTH")).ToBool() ? 1 : 0;
}

} // namespace kvl::people
