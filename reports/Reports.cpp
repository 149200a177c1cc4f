#include "reports/Reports.h"

#include "shell/core/Global_Vars.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kvl {

namespace {

std::function<bool()> printerDialog;

// A column of radio buttons, the first checked, ids from 1, above OK and Cancel.
QButtonGroup* AddChoices(QDialog& dialog, const QString& heading, const QStringList& captions)
{
    auto* layout = new QVBoxLayout(&dialog);
    auto* group = new QButtonGroup(&dialog);
    auto* label = new QLabel(heading, &dialog);
    layout->addWidget(label);
    for (int i = 0; i < captions.size(); ++i) {
        auto* button = new QRadioButton(captions[i], &dialog);
        group->addButton(button, i + 1);
        layout->addWidget(button);
    }
    group->button(1)->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    return group;
}

} // namespace

PrintOption::PrintOption(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Print");
    choices_ = AddChoices(*this, "Choose the report to print:",
                          {"Logbook page", "Dive details", "Dives list", "Personal information", "Gauge settings"});
    gv.PrintChoice = 0;
}

void PrintOption::SetChoice(int choice)
{
    if (auto* button = choices_->button(choice))
        button->setChecked(true);
}

void PrintOption::accept()
{
    gv.PrintChoice = static_cast<quint8>(choices_->checkedId());
    QDialog::accept();
}

void PrintOption::reject()
{
    gv.PrintChoice = 0;
    QDialog::reject();
}

DelimiterOption::DelimiterOption(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Export Dive Data");
    delimiters_ = AddChoices(*this, "Separate the values with:", {"Tab", "Semicolon ( ; )", "Comma ( , )"});
}

QString DelimiterOption::Delimiter() const
{
    switch (delimiters_->checkedId()) {
    case 2:
        return ";";
    case 3:
        return ",";
    default:
        return "\t";
    }
}

PrintFrm& PrintFrm::Instance()
{
    static PrintFrm form;
    return form;
}

void PrintDiveDetails() {}
void PrintDivesList() {}
void PrintPersonalInfo() {}
void PrintGaugeSettings(qint32& modelId, qint32& serialNo)
{
    (void)modelId;
    (void)serialNo;
}

bool ChoosePrinter()
{
    if (printerDialog)
        return printerDialog();
    QPrinter printer;
    QPrintDialog dialog(&printer);
    return dialog.exec() == QDialog::Accepted;
}

void InstallPrinterDialog(std::function<bool()> dialog)
{
    printerDialog = std::move(dialog);
}

} // namespace kvl
