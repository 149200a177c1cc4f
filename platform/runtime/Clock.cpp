#include "platform/runtime/Clock.h"

namespace kvl {

namespace {

QDate& SetDate()
{
    static QDate date;
    return date;
}

} // namespace

QDate Today()
{
    return SetDate().isValid() ? SetDate() : QDate::currentDate();
}

void SetToday(const QDate& date)
{
    SetDate() = date;
}

} // namespace kvl
