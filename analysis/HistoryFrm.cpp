#include "analysis/HistoryFrm.h"

#include "analysis/core/Extremes.h"
#include "analysis/core/Statistics.h"
#include "platform/runtime/Clock.h"
#include "platform/widgets/Captions.h"
#include "platform/widgets/LineBoxGuards.h"
#include "platform/widgets/LinkLabel.h"
#include "shell/core/DiveCursor.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/MainWindowHooks.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QVBoxLayout>

namespace kvl {

namespace {

Q_LOGGING_CATEGORY(lcHistory, "kvl.history")

QLineEdit* DisplayBox(QWidget* parent)
{
    UseLineBoxGuards();
    auto* box = new QLineEdit(parent);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    box->setFixedWidth(1095 / 15);
    box->setAutoFillBackground(true);
    QPalette white = box->palette();
    white.setColor(QPalette::Base, Qt::white);
    box->setPalette(white);
    return box;
}

QLabel* BoldLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

void FillSpan(std::array<QLineEdit*, 3>& boxes, const SpanTotals& span, int unitPressure)
{
    if (span.dives <= 0)
        return;   // the column stays as it was
    boxes[HistoryFrm::DivesRow]->setText(QString::number(span.dives));
    boxes[HistoryFrm::TimeRow]->setText(TotalTimeText(span.minutes));
    boxes[HistoryFrm::GasRow]->setText(GasConsumedText(span.startPressure - span.endPressure, unitPressure));
}

} // namespace

HistoryFrm::HistoryFrm() : ChildFormOf<HistoryFrm>(QStringLiteral("VURO History"))
{
    LayOutForm();
}

void HistoryFrm::LayOutForm()
{
    Header = BoldLabel(QStringLiteral("VURO DIVE HISTORY"), this);
    Header->setAlignment(Qt::AlignCenter);
    QFont banner = Header->font();
    banner.setPointSizeF(banner.pointSizeF() * 1.5);
    Header->setFont(banner);
    Label1 = {BoldLabel(QStringLiteral("STATISTICS"), this), BoldLabel(QStringLiteral("EXTREMES"), this)};
    const std::pair<HistoryLabel, const char*> captions[] = {
        {DivesCaption, "VURO Dives:"},         {TotalHeading, "Total"},
        {TimeCaption, "VURO Dive Time (Hr:Min):"}, {GasCaption, "Gas Consumed:"},
        {SixMonthsHeading, "Last 6 months"},   {RecordHeading, "Record"},
        {TwelveMonthsHeading, "Last 12 months"}};
    for (const auto& [index, text] : captions)
        label2_[index] = new QLabel(QString::fromLatin1(text), this);
    // A box is read by its row's caption and its column's heading: "VURO Dives Last 6 months".
    const auto box = [this](HistoryLabel row, HistoryLabel column) {
        QLineEdit* made = DisplayBox(this);
        made->setAccessibleName(NameOfCaption(Label2(row).text()) + QLatin1Char(' ') + Label2(column).text());
        return made;
    };
    const std::pair<StatRow, HistoryLabel> rows[] = {
        {DivesRow, DivesCaption}, {TimeRow, TimeCaption}, {GasRow, GasCaption}};
    for (const auto& [row, caption] : rows) {
        TotalTxt[row] = box(caption, TotalHeading);
        SixTxt[row] = box(caption, SixMonthsHeading);
        TwelveTxt[row] = box(caption, TwelveMonthsHeading);
    }

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(1200 / 15 - 1095 / 15);
    grid->addWidget(Label1[kStatisticsHeading], 0, 0);
    grid->addWidget(&Label2(TotalHeading), 1, 1);
    grid->addWidget(&Label2(SixMonthsHeading), 1, 2);
    grid->addWidget(&Label2(TwelveMonthsHeading), 1, 3);
    grid->addWidget(&Label2(DivesCaption), 2, 0);
    grid->addWidget(&Label2(TimeCaption), 3, 0);
    for (int row = DivesRow; row <= TimeRow; ++row) {
        grid->addWidget(TotalTxt[static_cast<size_t>(row)], 2 + row, 1);
        grid->addWidget(SixTxt[static_cast<size_t>(row)], 2 + row, 2);
        grid->addWidget(TwelveTxt[static_cast<size_t>(row)], 2 + row, 3);
    }
    // The gas row is laid out but never shown.
    grid->addWidget(&Label2(GasCaption), 4, 0);
    grid->addWidget(TotalTxt[GasRow], 4, 1);
    grid->addWidget(SixTxt[GasRow], 4, 2);
    grid->addWidget(TwelveTxt[GasRow], 4, 3);
    for (QWidget* hidden : {static_cast<QWidget*>(&Label2(GasCaption)), static_cast<QWidget*>(TotalTxt[GasRow]),
                            static_cast<QWidget*>(SixTxt[GasRow]), static_cast<QWidget*>(TwelveTxt[GasRow])})
        hidden->setVisible(false);
    grid->setRowMinimumHeight(5, 12);
    grid->addWidget(Label1[kExtremesHeading], 6, 0);
    grid->addWidget(&Label2(RecordHeading), 7, 1);
    for (int i = 0; i < kExtremeCount; ++i) {
        auto* link = new LinkLabel(QString::fromLatin1(InfoOf(ExtremeAt(i)).caption), this);
        QPalette blue = link->palette();
        blue.setColor(QPalette::WindowText, QColor(0, 0, 192));
        link->setPalette(blue);
        link->setToolTip(QStringLiteral("View This Dive Data"));
        connect(link, &LinkLabel::Activated, this, [this, i] { XTremeLbl_Click(i); });
        XTremeLbl[static_cast<size_t>(i)] = link;
        REcordTxt[static_cast<size_t>(i)] = DisplayBox(this);
        REcordTxt[static_cast<size_t>(i)]->setAccessibleName(NameOfCaption(link->text()) + QLatin1Char(' ') +
                                                             Label2(RecordHeading).text());
        grid->addWidget(link, 8 + i, 0);
        grid->addWidget(REcordTxt[static_cast<size_t>(i)], 8 + i, 1);
    }
    grid->setColumnStretch(4, 1);
    grid->setRowStretch(8 + kExtremeCount, 1);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(Header);
    outer->addLayout(grid, 1);
}

void HistoryFrm::Form_Load()
{
    gv.ActiveFormID = FormCode::History;
    LoadStatisticHistory();
    LoadExtremesHistory();
}

// The main window gives its child forms the whole child area, and the form's
// layout stretches the header across it.
void HistoryFrm::Form_Resize()
{
    Header->setMinimumWidth(0);
}

// A failing query stops the filling where it fails; the boxes not yet filled stay empty.
void HistoryFrm::LoadStatisticHistory()
{
    try {
        db::Database& db = LogDB();
        TotalTxt[DivesRow]->setText(QString::number(CountDives(db)));
        TotalTxt[TimeRow]->setText(TotalTimeText(TotalBottomMinutes(db)));
        const SpanStatistics spans = WalkSpans(db, Today());
        FillSpan(SixTxt, spans.sixMonths, gv.UnitPressure);
        FillSpan(TwelveTxt, spans.twelveMonths, gv.UnitPressure);
    } catch (const db::DbError& e) {
        qCWarning(lcHistory) << "statistics not read:" << e.Message();
    }
}

void HistoryFrm::LoadExtremesHistory()
{
    try {
        auto rs = OpenExtremes(LogDB());
        if (rs->EOF())
            return;
        const ExtremeValues values = ReadExtremes(*rs);
        for (int i = 0; i < kExtremeCount; ++i)
            REcordTxt[static_cast<size_t>(i)]->setText(
                RecordText(ExtremeAt(i), values[static_cast<size_t>(i)], gv.UnitDepth, gv.UnitTemp));
    } catch (const db::DbError& e) {
        qCWarning(lcHistory) << "extremes not read:" << e.Message();
    }
}

void HistoryFrm::XTremeLbl_Click(int index)
{
    if (index < 0 || index >= kExtremeCount)
        return;
    std::optional<qint32> diveId;
    try {
        diveId = RecordDiveId(LogDB(), ExtremeAt(index));
    } catch (const db::DbError& e) {
        qCWarning(lcHistory) << "record dive not found:" << e.Message();
    }
    if (diveId && PickDive(*diveId))
        CurrentMainWindowHooks().SelectSideBarItem(QStringLiteral("Dive"));
}

} // namespace kvl
