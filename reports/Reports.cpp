#include "reports/Reports.h"

#include "forms/ModalForms.h"
#include "platform/printer/qt/PrintPreview.h"
#include "shell/core/FormCode.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/StateCodes.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace kvl {

namespace {

PrintStepRunner printStep;

// Layout positions are given in twips, 15 to a pixel.
QRect Twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

// A caption centred in blanks to the given length.
QString Padded(const QString& caption, int length)
{
    const int blanks = std::max(0, length - int(caption.size()));
    return QString(blanks / 2, QLatin1Char(' ')) + caption + QString(blanks - blanks / 2, QLatin1Char(' '));
}

struct OptionLayout {
    const char* caption;
    int top;
    int width;
};

// By index; "Dives List" stands first on the form.
const std::array<OptionLayout, kPrintOptions> kOptionLayout{{
    {"Dive data and graph", 600, 2055},
    {"Dive details", 960, 2175},
    {"Dives List", 240, 2175},
    {"Personal", 1320, 2175},
    {"Settings", 1680, 2175},
}};

} // namespace

PrintOption::PrintOption(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Printing Options");
    setFixedSize(Twips(0, 0, 3960, 2250).size());
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < kPrintOptions; ++i) {
        const OptionLayout& o = kOptionLayout[size_t(i)];
        Option1[size_t(i)] = new QRadioButton(o.caption, this);
        Option1[size_t(i)]->setGeometry(Twips(120, o.top, o.width, 255));
        group->addButton(Option1[size_t(i)], i);
    }
    Option1[DivesListOption]->setChecked(true);
    OKCmd = new QPushButton(Padded("&OK", 14), this);
    OKCmd->setGeometry(Twips(2520, 480, 1275, 555));
    OKCmd->setDefault(true);
    SmartUI1 = new QPushButton(Padded("&Cancel", 11), this);
    SmartUI1->setGeometry(Twips(2520, 1080, 1275, 555));
    connect(OKCmd, &QPushButton::clicked, this, &PrintOption::OKCmd_Click);
    connect(SmartUI1, &QPushButton::clicked, this, &PrintOption::SmartUI1_Click);
    Form_Load();
}

void PrintOption::Form_Load()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move((area.width() - width()) / 2, (area.height() - height()) / 2);
    }
    Option1[SettingsOption]->setEnabled(false);
    const int form = gv.ActiveFormID;
    if (form == FormCode::Personal || form == FormCode::DiveComputer || form == FormCode::History) {
        Option1[LogbookOption]->setEnabled(false);
        Option1[DetailsOption]->setEnabled(false);
        if (form == FormCode::DiveComputer)
            Option1[SettingsOption]->setEnabled(true);
    }
}

void PrintOption::SetChoice(PrintOptionIndex index)
{
    Option1[size_t(index)]->setChecked(true);
}

void PrintOption::OKCmd_Click()
{
    accept();
}

void PrintOption::accept()
{
    gv.PrintChoice = kPrintNone;
    for (int i = 0; i < kPrintOptions; ++i) {
        if (Option1[size_t(i)]->isChecked()) {
            gv.PrintChoice = quint8(i + 1);
            break;
        }
    }
    QDialog::accept();
}

void PrintOption::SmartUI1_Click()
{
    reject();
}

void PrintOption::reject()
{
    gv.PrintChoice = kPrintNone;
    QDialog::reject();
}

ReportJob LogbookPageJob()
{
    return {gv.DiverName + " - Logbook", [](Printer& printer) { PrintFrm::Instance().PrintIt(printer); }};
}

ReportJob DiveDetailsJob()
{
    return {gv.DiverName + " - Dive Details", [](Printer& printer) { PrintDiveDetails(printer); }};
}

void RunPrintStep(const ReportJob& job)
{
    if (printStep)
        return printStep(job);
    PrintPreview preview(job.title, [job](Printer& printer) { return DrawReport(printer, job); });
    ShowModal(preview);
}

void InstallPrintStep(PrintStepRunner runner)
{
    printStep = std::move(runner);
}

} // namespace kvl
