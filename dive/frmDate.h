#pragma once
// The calendar that drops down under the date items of the query form ("fromDate",
// "toDate") and of the settings form ("Date"). The caller puts the item's text in
// gv.PickedDate and itself in gv.DatePickerCaller, and hands the calendar the way
// back to its item.

#include "dive/PopupForm.h"
#include "dive/core/frmDateLogic.h"

#include <QDate>
#include <QString>

#include <functional>

class QCalendarWidget;

namespace kvl {

class frmDate : public PopupFormOf<frmDate> {
    Q_OBJECT
public:
    frmDate();

    QCalendarWidget* MonthView1 = nullptr;

    // Writes a date, as the item shows it, into the item; `picked` for a click or
    // Enter, false while the keys move the selection.
    using HandBackTo = std::function<void(const QString& text, bool picked)>;

    // The calendar as a date item drops it down: loaded when needed and, as it
    // serves several items, set each time on the item's date (gv.PickedDate).
    static frmDate& DropDownFor(HandBackTo item);

    // A click or double-click on a date: hand it back to the caller's item and hide.
    void MonthView1_DateClick(const QDate& date);
    // The calendar's selection moved (keyboard): the item follows it.
    void MonthView1_SelChange();

private:
    void Form_Load();
    // Writes the date into the caller's item; `picked` for a click or Enter.
    void HandBack(const QDate& date, bool picked);

    HandBackTo item_;
};

} // namespace kvl
