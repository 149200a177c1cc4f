#pragma once
// The add-dive dialog: how the next dive arrives (by hand or downloaded) and where its
// lifetime dive number goes. It only records the choice in gv.AddDiveMode and
// gv.NewDiveLTD; the tool bar's "AddDive" command acts on it.

#include "dive/core/AddDiveLogic.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kvl {

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
