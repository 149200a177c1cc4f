#pragma once
// The calendar that drops down under the date items of the query form ("fromDate",
// "toDate") and of the settings form ("Date"). The caller puts the item's text in
// gv.PickedDate and itself in gv.DatePickerCaller before it hands the form over.

#include "dive/PopupForm.h"
#include "dive/core/frmDateLogic.h"

#include <QDate>
#include <QString>

class QCalendarWidget;

namespace kvl {

class frmDate : public PopupFormOf<frmDate> {
    Q_OBJECT
public:
    frmDate();

    QCalendarWidget* MonthView1 = nullptr;

    // The calendar as a date item drops it down: loaded when needed and, as it
    // serves several items, set each time on the item's date (gv.PickedDate).
    static frmDate& DropDownFor();

    // A click or double-click on a date: hand it back to the caller's item and hide.
    void MonthView1_DateClick(const QDate& date);
    // The calendar's selection moved (keyboard): the item follows it.
    void MonthView1_SelChange();

private:
    void Form_Load();
    // Writes the date into the caller's item; `picked` for a click or Enter.
    void HandBack(const QDate& date, bool picked);
};

} // namespace kvl
