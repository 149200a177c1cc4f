#pragma once
// The history form (form code 8): lifetime statistics (dives and bottom time over
// the whole log, the last six and the last twelve months) and the record dives. A
// click on a record's caption, or Enter or Space on it, makes that dive current and
// brings up its record.
// The form only reads the log.

#include "forms/ChildForm.h"

#include <array>
#include <map>

class QLabel;
class QLineEdit;

namespace kvl {

class HistoryFrm : public ChildFormOf<HistoryFrm> {
    Q_OBJECT
public:
    HistoryFrm();

    // Indices of the statistics boxes.
    enum StatRow { DivesRow = 0, TimeRow = 1, GasRow = 2 };

    void LoadStatisticHistory();
    void LoadExtremesHistory();
    void Form_Resize();
    // A record's caption clicked or pressed by keys (index as Extreme).
    void XTremeLbl_Click(int index);

    QLabel* Header = nullptr;
    enum { kStatisticsHeading = 0, kExtremesHeading = 1 };   // Label1
    std::array<QLabel*, 2> Label1{};
    // Indices of the headings and row captions.
    enum HistoryLabel {
        DivesCaption = 0,
        TotalHeading = 1,
        TimeCaption = 2,
        GasCaption = 3,
        SixMonthsHeading = 5,
        RecordHeading = 8,
        TwelveMonthsHeading = 10,
    };
    QLabel& Label2(HistoryLabel index) const { return *label2_.at(index); }
    std::array<QLineEdit*, 3> TotalTxt{};
    std::array<QLineEdit*, 3> SixTxt{};
    std::array<QLineEdit*, 3> TwelveTxt{};
    std::array<QLabel*, 7> XTremeLbl{};
    std::array<QLineEdit*, 7> REcordTxt{};

protected:
    void Form_Load() override;

private:
    void LayOutForm();

    std::map<int, QLabel*> label2_;
};

} // namespace kvl
