#pragma once
// The print-choice dialog, the printed reports and the export's delimiter dialog,
// as the main window calls them. The reports themselves come with the reports
// subsystem; for now they print nothing.

#include <QDialog>

#include <functional>

class QButtonGroup;

namespace kvl {

// The print-choice dialog: OK sets gv.PrintChoice to the report chosen (1 logbook
// page, 2 dive details, 3 dives list, 4 personal page, 5 gauge settings), Cancel to 0.
class PrintOption : public QDialog {
    Q_OBJECT
public:
    explicit PrintOption(QWidget* parent = nullptr);
    // Marks the report that OK will choose (1 to 5).
    void SetChoice(int choice);
    void accept() override;
    void reject() override;

private:
    QButtonGroup* choices_;
};

// The delimiter dialog of the dive-details export: Tab, ";" or ",".
class DelimiterOption : public QDialog {
    Q_OBJECT
public:
    explicit DelimiterOption(QWidget* parent = nullptr);
    // The delimiter chosen.
    QString Delimiter() const;

private:
    QButtonGroup* delimiters_;
};

// The form the logbook page is drawn on.
class PrintFrm {
public:
    static PrintFrm& Instance();
    // Prints the logbook page of the current dive.
    void PrintIt() {}
};

void PrintDiveDetails();
void PrintDivesList();
void PrintPersonalInfo();
void PrintGaugeSettings(qint32& modelId, qint32& serialNo);

// Shows the printer dialog before a report prints; false when the user cancels.
bool ChoosePrinter();
// Replaces the printer dialog (tests); an empty function restores it.
void InstallPrinterDialog(std::function<bool()> dialog);

} // namespace kvl
