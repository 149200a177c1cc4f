#include "dive/frmDate.h"

#include "analysis/QueriesFrm.h"
#include "dive/ValueList.h"
#include "settings/DCFrm.h"
#include "shell/Global_Vars.h"

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
    Form_Load();
}

frmDate& frmDate::DropDownFor()
{
    frmDate& picker = Instance();
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
    HandBack(date);
}

void frmDate::MonthView1_SelChange()
{
    HandBack(MonthView1->selectedDate());
}

void frmDate::HandBack(const QDate& date)
{
    gv.PickedDate = FormatPickedDate(date, PickOrder());
    switch (gv.DatePickerCaller) {
    case kPickFromDate: {
        ValueList& list = *QueriesFrm::Instance().lst2;
        list.SetItemText(QStringLiteral("fromDate"), gv.PickedDate);
        if (list.ItemText(QStringLiteral("toDate")).isEmpty())
            list.SetItemText(QStringLiteral("toDate"), gv.PickedDate);
        break;
    }
    case kPickToDate:
        QueriesFrm::Instance().lst2->SetItemText(QStringLiteral("toDate"), gv.PickedDate);
        break;
    case kPickSettingsDate:
        DCFrm::Instance().lst2->SetItemText(QStringLiteral("Date"), gv.PickedDate);
        break;
    default:
        break;
    }
    hide();
}

} // namespace kvl
