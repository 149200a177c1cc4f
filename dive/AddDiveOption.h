#pragma once
// The add-dive dialog: how the next dive arrives (by hand or downloaded) and where its
// lifetime dive number goes. It only records the choice in gv.AddDiveMode and
// gv.NewDiveLTD; the tool bar's "AddDive" command acts on it.

#include "shell/MDI_Rules.h"

#include <QDialog>
#include <QString>

#include <optional>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kvl {

// The lifetime-number options of the dialog, by index.
enum class LtdPlace { None = -1, Beginning = 0, End = 1, Middle = 2 };

struct AddDiveChoice {
    bool download = false;
    LtdPlace place = LtdPlace::None;
    QString firstText;    // the "beginning" box (editable only in a log without dives)
    QString middleText;   // the typed lifetime dive number
    long lastLtd = 0;     // highest lifetime number of the log, 0 for none
};

struct AddDiveResult {
    int mode = kAddCancelled;
    long newDiveLtd = 0;
    long firstLtd = 0;
    // The number typed for the chosen place is not a whole number of at least 1:
    // the dialog warns and stays open.
    bool refused = false;
};

// A typed lifetime dive number, or nothing when the text is not a whole number of at least 1.
std::optional<long> ParseLifetimeNumber(const QString& text);
// What OK makes of the dialog's state. No place chosen counts as Cancel.
AddDiveResult ResolveAddDive(const AddDiveChoice& choice);

inline constexpr const char* kLtdRefusedMessage = "Life Time Dive Number should be greater than 0.";

class AddDiveOption : public QDialog {
    Q_OBJECT
public:
    AddDiveOption(QWidget* parent = nullptr);

    // Shows the dialog modally (through the modal seam); when it returns,
    // gv.AddDiveMode holds the choice: 99 unless OK accepted one.
    static void Run(QWidget* parent = nullptr);

    void InitInfo();
    void OKCmd_ItemClick();
    void SmartUI1_ItemClick();   // Cancel
    void Text1_GotFocus(int index);

    QRadioButton* Option1[2] = {};   // 0 by hand, 1 download
    QComboBox* DCList = nullptr;
    QRadioButton* Option2[3] = {};   // beginning, end, middle
    QLineEdit* Text1[3] = {};
    QPushButton* OKCmd = nullptr;
    QPushButton* CancelCmd = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    AddDiveChoice Choice() const;
};

} // namespace kvl
