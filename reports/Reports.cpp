#include "reports/Reports.h"

#include "forms/ModalForms.h"
#include "platform/widgets/Captions.h"
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

// The buttons' left edge (twips), and the least room between the captions and them (pixels).
constexpr int kButtonsLeft = 2520;
constexpr int kOptionGap = 12;

} // namespace

PrintOption::PrintOption(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Printing Options");
    auto* group = new QButtonGroup(this);
    int optionsRight = 0;
    for (int i = 0; i < kPrintOptions; ++i) {
        const OptionLayout& o = kOptionLayout[size_t(i)];
        QRadioButton* option = new QRadioButton(o.caption, this);
        QRect at = Twips(120, o.top, o.width, 255);
        at.setWidth(std::max(at.width(), option->sizeHint().width()));   // the caption whole, in any font
        option->setGeometry(at);
        optionsRight = std::max(optionsRight, at.right());
        Option1[size_t(i)] = option;
        group->addButton(option, i);
    }
    Option1[DivesListOption]->setChecked(true);
    Option1[DivesListOption]->setFocus();   // the arrows then move the choice with the focus
    // The buttons, and the form's right edge with them, move right when a caption needs the room.
    const int shift = std::max(0, optionsRight + kOptionGap - Twips(kButtonsLeft, 0, 0, 0).left());
    OKCmd = new QPushButton(Padded("&OK", 14), this);
    OKCmd->setGeometry(Twips(kButtonsLeft, 480, 1275, 555).translated(shift, 0));
    OKCmd->setDefault(true);
    SmartUI1 = new QPushButton(Padded("&Cancel", 11), this);
    SmartUI1->setGeometry(Twips(kButtonsLeft, 1080, 1275, 555).translated(shift, 0));
    NameByCaption(*OKCmd);
    NameByCaption(*SmartUI1);
    setFixedSize(Twips(0, 0, 3960, 2250).size() + QSize(shift, 0));
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
