#pragma once
// The About box: the product's title, the maker's notices and the version.

#include <QDialog>

class QLabel;
class QPushButton;

namespace kvl {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* lblVersion;
    QPushButton* cmdOK;

private:
    void Form_Load();
};

} // namespace kvl
