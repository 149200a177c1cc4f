#include "dive/core/frmDateLogic.h"

#include <QStringList>

namespace kvl {

int PickerDateOrder(int caller, int dcDateFormat, int unitDate)
{
    return caller >= kPickSettingsDate ? (dcDateFormat == 1 ? 1 : 0) : (unitDate == 1 ? 1 : 0);
}

QString FormatPickedDate(const QDate& date, int order)
{
    return date.toString(order == 1 ? QStringLiteral("MM/dd/yyyy") : QStringLiteral("dd/MM/yyyy"));
}

QDate ReadPickedDate(const QString& text, int order, const QDate& today)
{
    const QStringList parts = text.trimmed().split(QLatin1Char('/'));
    if (parts.size() != 3)
        return today;
    bool okA = false, okB = false, okY = false;
    const int a = parts[0].toInt(&okA);
    const int b = parts[1].toInt(&okB);
    const int y = parts[2].toInt(&okY);
    if (!okA || !okB || !okY || parts[2].size() != 4)
        return today;
    const QDate date = order == 1 ? QDate(y, a, b) : QDate(y, b, a);
    return date.isValid() ? date : today;
}

} // namespace kvl
