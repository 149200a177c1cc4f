#include "dive/frmDate.h"

#include "shell/core/Global_Vars.h"

#include <QAbstractItemView>
#include <QCalendarWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace kvl {

namespace {

int PickOrder()
{
    return PickerDateOrder(gv.DatePickerCaller, gv.DCDateFormat, gv.UnitDate);
}

} // namespace

frmDate::frmDate()
{
    MonthView1 = new QCalendarWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(MonthView1);
    connect(MonthView1, &QCalendarWidget::clicked, this, &frmDate::MonthView1_DateClick);
    connect(MonthView1, &QCalendarWidget::activated, this, &frmDate::MonthView1_DateClick);
    connect(MonthView1, &QCalendarWidget::selectionChanged, this, &frmDate::MonthView1_SelChange);
    setFocusProxy(MonthView1);   // the keys move the calendar's selection at once
    if (auto* days = MonthView1->findChild<QAbstractItemView*>())   // the part that takes the keys
        days->setAccessibleName(QStringLiteral("Calendar"));
    Form_Load();
}

frmDate& frmDate::DropDownFor(HandBackTo item)
{
    frmDate& picker = Instance();
    picker.item_ = std::move(item);
    picker.Form_Load();
    return picker;
}

void frmDate::Form_Load()
{
    const QSignalBlocker quiet(MonthView1);
    MonthView1->setSelectedDate(ReadPickedDate(gv.PickedDate, PickOrder()));
}

void frmDate::MonthView1_DateClick(const QDate& date)
{
    HandBack(date, true);
    hide();
}

// The item follows the selection, but the calendar stays open: moving by the keys
// goes on until Enter or a click picks the date (or Escape leaves).
void frmDate::MonthView1_SelChange()
{
    HandBack(MonthView1->selectedDate(), false);
}

void frmDate::HandBack(const QDate& date, bool picked)
{
    gv.PickedDate = FormatPickedDate(date, PickOrder());
    if (item_)
        item_(gv.PickedDate, picked);
}

} // namespace kvl
