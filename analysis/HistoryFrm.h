#pragma once
// The history form (form code 8): lifetime statistics (dives and bottom time over
// the whole log, the last six and the last twelve months) and the record dives. A
// click on a record's caption makes that dive current and brings up its record.
// The form only reads the log.

#include "shell/ChildForm.h"

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
    // A click on a record's caption (index as Extreme).
    void XTremeLbl_Click(int index);

    QLabel* Header = nullptr;
    std::array<QLabel*, 2> Label1{};
    // The headings and row captions, by their index (0, 1, 2, 3, 5, 8, 10).
    QLabel& Label2(int index) const { return *label2_.at(index); }
    std::array<QLineEdit*, 3> TotalTxt{};
    std::array<QLineEdit*, 3> SixTxt{};
    std::array<QLineEdit*, 3> TwelveTxt{};
    std::array<QLabel*, 7> XTremeLbl{};
    std::array<QLineEdit*, 7> REcordTxt{};

protected:
    void Form_Load() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LayOutForm();

    std::map<int, QLabel*> label2_;
};

} // namespace kvl
