#pragma once
// The print-choice dialog and the print step that shows a report before it goes to paper
// or PDF, as the main window calls them.

#include "reports/core/DiveDetails.h"
#include "reports/core/LogbookPage.h"
#include "reports/core/ReportRun.h"

#include <QDialog>

#include <array>
#include <functional>

class QButtonGroup;
class QPushButton;
class QRadioButton;

namespace kvl {

// The options of the print-choice dialog by index; OK stores index + 1 in gv.PrintChoice
// (1 logbook page, 2 dive details, 3 dives list, 4 personal page, 5 gauge settings).
enum PrintOptionIndex { LogbookOption = 0, DetailsOption = 1, DivesListOption = 2, PersonalOption = 3,
                        SettingsOption = 4 };
inline constexpr int kPrintOptions = 5;

// "Printing Options": the five reports, enabled by the child form open when it loads.
// OK stores the first selected option's choice, Cancel and a close by the frame 0.
class PrintOption : public QDialog {
    Q_OBJECT
public:
    explicit PrintOption(QWidget* parent = nullptr);

    std::array<QRadioButton*, kPrintOptions> Option1{};
    QPushButton* OKCmd = nullptr;
    QPushButton* SmartUI1 = nullptr;

    // Selects the option that OK will store (a disabled one too, as a click could not).
    void SetChoice(PrintOptionIndex index);
    void OKCmd_Click();
    void SmartUI1_Click();
    // OK's work: stores the choice and closes.
    void accept() override;
    // Cancel's work, also for Esc and a close by the frame.
    void reject() override;

private:
    void Form_Load();
};

ReportJob LogbookPageJob();
ReportJob DiveDetailsJob();

// The print step: the report's preview, from which the user prints it, saves it as a
// PDF or closes it (nothing printed, nothing said).
void RunPrintStep(const ReportJob& job);
// Replaces the print step (tests: cancel, draw into a recording printer, or write a
// PDF); an empty function restores the preview.
using PrintStepRunner = std::function<void(const ReportJob&)>;
void InstallPrintStep(PrintStepRunner runner);

} // namespace kvl
