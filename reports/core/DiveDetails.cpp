#include "reports/core/DiveDetails.h"

#include "analysis/core/Profile.h"
#include "platform/runtime/Runtime.h"
#include "reports/core/DiveFacts.h"
#include "reports/core/ReportFrame.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Lookups.h"
#include "shell/core/Units.h"

#include <array>
#include <cmath>

namespace kvl {

namespace {

using namespace landscape_table;
constexpr double kHeadingGap = 0.025;
constexpr double kFirstColumnX = 0.2;
constexpr double kHeaderValueX = 1.75;

enum DetailsColumn { TimeColumn, DepthColumn, AscentColumn, TempColumn, EventsColumn, AlarmsColumn, kColumns };

const std::array<const char*, kColumns - 1> kLaterHeadings{
    "Depth ", "Ascent Rate ", "Temperature ", "Alarms Events ", "Alarms Details "};

const std::array<const char*, kDiveFacts> kHeaderLabels{
    "Diver Name:", "DC:", "Life Time Dive No.:", "Dive Date, Time:", "DC Dive No.:", "Location:", "Dive Site:",
    "Elapsed Time:", "Prior Surface Interval:", "Max. Depth:", "Min. Temperature:", "Dive Sampling Rate:",
    "Dive Data Type:"};

class DetailsReport {
public:
    explicit DetailsReport(Printer& printer)
        : printer_(printer), ascentScale_(DiveAscentScale(LogDB(), gv.CurrentDiveID))
    {
    }

    void Run();

private:
    void PrintDetailsBody();
    void PrintHeader();
    void PrintTableHead();
    void PrintRow(const db::Recordset& rs);
    void At(double x, double y, QString text) { PrintDetailsAt(printer_, CSng(x), CSng(y), text); }

    Printer& printer_;
    const AscentScale ascentScale_;
    std::array<float, kColumns> DetailsColX{};
    double RowY = 0;
    double TableTopY = 0;
    qint16 PageNo = 1;
    bool IsFirstPage = true;
};

void DetailsReport::Run()
{
    PrintDetailsSetup(printer_, PageNo, IsFirstPage);
    PrintDetailsBody();
    PrintDetailsFooter(printer_, PageNo);
    auto rs = LogDB().OpenRecordset(
        QStringLiteral("Select * from DIVEDETAILS Where DIVEID = ? order by ORDNO ASC ;"), {gv.CurrentDiveID});
    if (!rs->EOF() && rs->Field("SWITCHED").ToLong() != 0)
        rs->MoveNext();
    double lastTime = 0;
    for (; !rs->EOF(); rs->MoveNext()) {
        if (!profile::IsSampleRow(*rs))
            continue;
        const double time = rs->Field("BTIME").ToDouble();
        if (lastTime > time)
            continue;
        lastTime = time;
        PrintRow(*rs);
        printer_.NewLine();
        RowY = printer_.CurrentY() + kRowGap;
        if (RowY > kLastRowY) {
            printer_.NewPage();
            ++PageNo;
            PrintDetailsBody();
            PrintDetailsFooter(printer_, PageNo);
        } else {
            printer_.Line(kLeft, RowY - kRowGap, kRight, RowY - kRowGap);
        }
    }
    printer_.EndDoc();
}

void DetailsReport::PrintRow(const db::Recordset& rs)
{
    const db::Value alarm = rs.Field("ALARM");
    const bool alarmOn = !alarm.IsNull() && alarm.ToLong() != 0;
    const std::array<QString, kColumns> cells{
        DetailsTimeText(rs.Field("BTIME").ToDouble()),
        DetailsDepthText(rs.Field("DEPTH")),
        AscentRateText(rs.Field("VARI"), gv.UnitDepth, rs.Field("DEPTH"), ascentScale_),
        DetailsTempText(rs.Field("TEMP")),
        alarmOn ? QStringLiteral("ON") : QString(),
        alarmOn ? AlarmListText(alarm) : QString()};
    for (int i = 0; i < kColumns; ++i)
        PrintListAt(printer_, DetailsColX[size_t(i)], CSng(RowY), cells[size_t(i)]);
}

void DetailsReport::PrintDetailsBody()
{
    At(kLeft, kTop, QStringLiteral("Dive Profile Details"));
    printer_.Line(kLeft, printer_.CurrentY(), kRight, printer_.CurrentY());
    printer_.NewLine();
    printer_.NewLine();
    if (IsFirstPage) {
        PrintHeader();
        printer_.NewLine();
        printer_.NewLine();
        IsFirstPage = false;
    }
    PrintTableHead();
}

void DetailsReport::PrintHeader()
{
    const double top = printer_.CurrentY();
    for (const char* label : kHeaderLabels)
        At(kLeft, printer_.CurrentY(), label);
    printer_.SetCurrentY(top);
    for (const QString& value : DiveFactValues())
        At(kHeaderValueX, printer_.CurrentY(), value);
}

void DetailsReport::PrintTableHead()
{
    TableTopY = printer_.CurrentY();
    printer_.Line(kLeft, TableTopY, kRight, TableTopY);
    printer_.Line(kLeft, TableTopY, kLeft, kBottom);
    printer_.Line(kLeft, kBottom, kRight, kBottom);
    printer_.SetFontBold(true);
    const double headingY = TableTopY + kHeadingGap;
    PrintListAt(printer_, CSng(kFirstColumnX), CSng(headingY), QStringLiteral("Elapsed "));
    const float end1 = CSng(printer_.CurrentX());
    printer_.NewLine();
    PrintListAt(printer_, CSng(kFirstColumnX), CSng(printer_.CurrentY()), QStringLiteral("Dive Time(hr:min:sec) "));
    const float end2 = CSng(printer_.CurrentX());
    printer_.NewLine();
    const double headingBottom = printer_.CurrentY();
    DetailsColX[TimeColumn] = CSng(kFirstColumnX);
    double SepX = MaxOfThree(end1, end2, 0);
    for (size_t k = 1; k < kColumns; ++k) {
        printer_.Line(SepX, TableTopY, SepX, kBottom);
        SepX += kColumnGap;
        DetailsColX[k] = CSng(SepX);
        PrintListAt(printer_, DetailsColX[k], CSng(headingY), kLaterHeadings[k - 1]);
        SepX = printer_.CurrentX();
    }
    printer_.Line(kRight, TableTopY, kRight, kBottom);
    printer_.Line(kLeft, headingBottom, kRight, headingBottom);
    RowY = headingBottom + kRowGap;
    printer_.SetFontBold(false);
}

} // namespace

QString DetailsTimeText(double seconds)
{
    return profile::ElapsedTimeText(qint32(std::floor(seconds)));
}

QString DetailsDepthText(const db::Value& feet)
{
    const auto whole = [](const db::Value& v) { return Format(v.ToDouble(), u"###0"); };
    return LimitedDepthText(feet, whole, u"####.0");
}

QString DetailsTempText(const db::Value& fahrenheit)
{
    return UnitTempText(fahrenheit, u"###.0");
}

void PrintDiveDetails(Printer& printer)
{
    DetailsReport(printer).Run();
}

} // namespace kvl
