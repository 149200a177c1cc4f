#pragma once
// "Export VURO Dive Details": the dives of the log in a grid to tick, the delimiter
// of the sample tables and the Export that writes the chosen dives' details. The
// profile export shows it without the grid, only to choose the delimiter.

#include "reports/core/ExportDiveDetails.h"

#include <QDialog>

#include <array>
#include <memory>

class QPushButton;
class QRadioButton;
class QToolButton;

namespace kvl {

class DataGrid;

// The delimiter options by index.
enum DelimiterIndex { TabOption = 0, SemiColonOption = 1, CommaOption = 2 };
inline constexpr int kDelimiterOptions = 3;

class DelimiterOption : public QDialog {
    Q_OBJECT
public:
    // ExportDives: the full dialog whose Export writes the ticked dives;
    // DelimiterOnly: without grid and "Select", Export only records the delimiter.
    enum Mode { ExportDives, DelimiterOnly };
    explicit DelimiterOption(QWidget* parent = nullptr, Mode mode = ExportDives);

    std::array<QRadioButton*, kDelimiterOptions> Option1{};
    DataGrid* Grid = nullptr;
    QToolButton* Cmd = nullptr;
    QPushButton* OKCmd = nullptr;
    QPushButton* SmartUI1 = nullptr;

    qint32 LastRowLTD = 0;      // lifetime number of the last dive listed; 0: none
    qint32 RowCount = 0;        // rows visited by the last walk
    QString ExportFileName;

    // "SelectAll" ticks every dive, "SelectNone" clears them.
    void Cmd_ItemClick(const QString& key);
    // Clicks the item of "Select" with this caption, as the user does.
    void Menu(const QString& caption);
    // Export: records the delimiter; the full dialog then asks the file and writes it.
    void OKCmd_ItemClick();
    // Cancel, also for Esc and a close by the frame: no delimiter.
    void SmartUI1_ItemClick();
    void reject() override;

    // The ticked dives in grid order.
    std::vector<ExportDive> TickedDives() const;

    // The export file named ExportFileName: opened with its title line, closed with the
    // closing dashes and put in place. Export runs them around its walk of the grid.
    void OpenExportFile();
    ExportOutcome CloseExportFile();
    // Appends the block of the dive of a grid row to the open export file, using
    // ExportDelimiter: the dive is found by its DIVEID and printed with the row's
    // lifetime number. Does nothing while no export file is open.
    void ExportDiveDetails(const ExportDive& dive);

private:
    void Form_Load();
    void ExportTickedDives();
    ExportDive RowDive(int row) const;
    bool RowTicked(int row) const;

    Mode mode_;
    std::unique_ptr<DiveDetailsExport> exportFile_;   // the open export file, if any
};

} // namespace kvl
