#pragma once
// The download window. The main window sets gv.CommMode (1 read settings,
// 2 write settings, 3 download dives) and shows it modally; in mode 3 it sets
// gv.DivesAdded once it has stored a dive.

#include <QDialog>

namespace kvl {

class CommFrm : public QDialog {
    Q_OBJECT
public:
    explicit CommFrm(QWidget* parent = nullptr);

    // The mode the window was opened with.
    quint8 Mode() const { return mode_; }
    // Called when a dive has been stored in DIVEDATA.
    void DiveStored();

private:
    quint8 mode_;
};

} // namespace kvl
