#include "reports/DelimiterOption.h"

#include "platform/dialogs/Dialogs.h"
#include "platform/folders/Folders.h"
#include "platform/widgets/Captions.h"
#include "platform/widgets/DataGrid.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Lookups.h"
#include "shell/core/Units.h"

#include <QApplication>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QScreen>
#include <QTableView>
#include <QToolButton>
#include <QHeaderView>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

namespace kvl {

namespace {

constexpr char LtdColumn[] = "LTD #";
constexpr char SelectColumn[] = "Select";
constexpr char DiveIdColumn[] = "DIVEID";
// The "Select" cell of a ticked and of a clear row.
constexpr char Ticked[] = "-1";
constexpr char Clear[] = "0";
constexpr char SelectAllKey[] = "SelectAll";
constexpr char SelectNoneKey[] = "SelectNone";
// Exports of more dives than this show their progress.
constexpr int ProgressFrom = 50;

const std::array<QString, kDelimiterOptions> Delimiters{"\t", ";", ","};

} // namespace

DelimiterOption::DelimiterOption(QWidget* parent, Mode mode) : QDialog(parent), mode_(mode)
{
    setWindowTitle("Export VURO Dive Details");
    auto* layout = new QVBoxLayout(this);
    auto* options = new QHBoxLayout;
    options->addWidget(new QLabel("Delimiter Options", this));
    const std::array<QString, kDelimiterOptions> captions{"Tab", "Semi Colon", "Comma"};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < kDelimiterOptions; ++i) {
        Option1[size_t(i)] = new QRadioButton(captions[size_t(i)], this);
        group->addButton(Option1[size_t(i)], i);
        options->addWidget(Option1[size_t(i)]);
    }
    Option1[CommaOption]->setChecked(true);
    Option1[CommaOption]->setFocus();   // the arrows then move the choice with the focus
    options->addStretch();
    layout->addLayout(options);

    Grid = new DataGrid(this);
    Grid->SetColumns({{LtdColumn, {}, true, false},
                      {"Date", {}, true, false},
                      {"Time", {}, true, false},
                      {"Dive #", {}, true, false},
                      {"Radarar Edeze Model", {}, true, false},
                      {SelectColumn, {}, true, true},
                      {DiveIdColumn, DiveIdColumn, false, false}});
    Grid->View().setAccessibleName(QStringLiteral("Dives to export"));   // the grid shows no caption
    layout->addWidget(Grid, 1);

    auto* buttons = new QHBoxLayout;
    Cmd = new QToolButton(this);
    Cmd->setText("Select");
    Cmd->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(Cmd);
    const auto addItem = [&](const QString& caption, const QString& key) {
        connect(menu->addAction(caption), &QAction::triggered, this, [this, key] { Cmd_ItemClick(key); });
    };
    addItem("All Dives", SelectAllKey);
    addItem("None", SelectNoneKey);
    Cmd->setMenu(menu);
    OKCmd = new QPushButton("&Export   ", this);
    SmartUI1 = new QPushButton("&Cancel", this);
    OKCmd->setDefault(true);
    NameByCaption(*OKCmd);
    connect(OKCmd, &QPushButton::clicked, this, &DelimiterOption::OKCmd_ItemClick);
    connect(SmartUI1, &QPushButton::clicked, this, &DelimiterOption::SmartUI1_ItemClick);
    buttons->addWidget(Cmd);
    buttons->addStretch();
    buttons->addWidget(OKCmd);
    buttons->addWidget(SmartUI1);
    layout->addLayout(buttons);

    if (mode_ == DelimiterOnly) {
        Grid->hide();
        Cmd->hide();
    } else {
        // Wide enough for every column and the scroll bar, so the ticks never scroll sideways.
        const QTableView& view = Grid->View();
        const int gridWidth =
            view.horizontalHeader()->length() + view.verticalScrollBar()->sizeHint().width() + 2 * view.frameWidth();
        const QMargins margins = layout->contentsMargins();
        resize(std::max(560, gridWidth + margins.left() + margins.right()), 420);
    }
    Form_Load();
}

void DelimiterOption::Form_Load()
{
    LastRowLTD = 0;
    ExportDelimiter = Delimiters[CommaOption];
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move((area.width() - width()) / 2, (area.height() - height()) / 2);
    }
    if (mode_ == DelimiterOnly)
        return;
    // Every dive of the log in its sort order, whatever the browsed list's filter.
    const auto rs = LogDB().OpenSnapshot("Select DIVEID, LIFETIMEDIVENO, DIVEDATE, DIVETIME, DIVENO, MODELID "
                                         "from DIVEDATA order by "
                                         + gv.SortOrder + " ;");
    std::map<qint64, QString> models;
    QStringList rows;
    for (; !rs->EOF(); rs->MoveNext()) {
        const db::Value model = rs->Field("MODELID");
        auto name = models.find(model.ToLong());
        if (name == models.end())
            name = models.emplace(model.ToLong(), GetModelNameLocal(model)).first;
        const db::Value ltd = rs->Field("LIFETIMEDIVENO");
        rows << QStringList{ltd.ToString(),
                            FormatDBDate(rs->Field("DIVEDATE").ToString()),
                            FormatTimeByMode(rs->Field("DIVETIME").ToString(), gv.UnitTime),
                            rs->Field("DIVENO").ToString(),
                            name->second,
                            Clear,
                            rs->Field("DIVEID").ToString()}
                    .join('\t');
        LastRowLTD = static_cast<qint32>(ltd.ToLong());
    }
    Grid->AddItems(rows);
    if (Grid->Rows() > 0)
        Grid->MoveFirst();
}

void DelimiterOption::Cmd_ItemClick(const QString& key)
{
    if (Grid->Rows() == 0)
        return;
    if (key != SelectAllKey && key != SelectNoneKey)
        return;
    // Every row once, in grid order, whatever the numbers and the sort.
    for (RowCount = 0; RowCount < Grid->Rows(); ++RowCount)
        Grid->SetCell(RowCount, SelectColumn, key == SelectAllKey ? Ticked : Clear);
    Grid->MoveFirst();
}

void DelimiterOption::Menu(const QString& caption)
{
    for (QAction* action : Cmd->menu()->actions())
        if (action->text() == caption)
            action->trigger();
}

ExportDive DelimiterOption::RowDive(int row) const
{
    return {Grid->Cell(row, DiveIdColumn).toLongLong(), Grid->Cell(row, LtdColumn).toLongLong()};
}

bool DelimiterOption::RowTicked(int row) const
{
    return Grid->Cell(row, SelectColumn).toDouble() != 0;
}

std::vector<ExportDive> DelimiterOption::TickedDives() const
{
    std::vector<ExportDive> dives;
    for (int row = 0; row < Grid->Rows(); ++row)
        if (RowTicked(row))
            dives.push_back(RowDive(row));
    return dives;
}

void DelimiterOption::OKCmd_ItemClick()
{
    for (int i = 0; i < kDelimiterOptions; ++i) {
        if (Option1[size_t(i)]->isChecked()) {
            ExportDelimiter = Delimiters[size_t(i)];
            break;
        }
    }
    if (mode_ == ExportDives)
        ExportTickedDives();
    accept();
}

void DelimiterOption::OpenExportFile()
{
    exportFile_ = std::make_unique<DiveDetailsExport>(ExportFileName, ExportDelimiter);
}

ExportOutcome DelimiterOption::CloseExportFile()
{
    if (!exportFile_)
        return {};
    const ExportOutcome outcome = exportFile_->Finish();
    exportFile_.reset();
    return outcome;
}

void DelimiterOption::ExportDiveDetails(const ExportDive& dive)
{
    if (exportFile_)
        exportFile_->Append(dive);
}

void DelimiterOption::ExportTickedDives()
{
    ExportFileName = CurrentDialogs().SaveFile({QString(), ProgramFolder(), QString(), "Text files|*.txt"});
    if (ExportFileName.isEmpty())
        return;
    const int ticked = static_cast<int>(TickedDives().size());
    std::unique_ptr<QProgressDialog> progress;
    if (ticked > ProgressFrom) {
        progress = std::make_unique<QProgressDialog>("Exporting the dive details...", "&Cancel", 0, ticked, this);
        progress->setWindowTitle(ExportTitle);
        progress->setWindowModality(Qt::WindowModal);
    }
    OpenExportFile();
    // Every row once, in grid order, whatever the numbers and the sort.
    int done = 0;
    for (RowCount = 0; RowCount < Grid->Rows() && !exportFile_->Stopped(); ++RowCount) {
        if (!RowTicked(RowCount))
            continue;
        ExportDiveDetails(RowDive(RowCount));
        if (!progress)
            continue;
        progress->setValue(++done);
        QApplication::processEvents();
        if (progress->wasCanceled())
            exportFile_->Cancel();
    }
    const ExportOutcome outcome = CloseExportFile();
    progress.reset();
    ShowExportOutcome(outcome);
}

void DelimiterOption::SmartUI1_ItemClick()
{
    reject();
}

void DelimiterOption::reject()
{
    ExportDelimiter.clear();
    QDialog::reject();
}

} // namespace kvl
