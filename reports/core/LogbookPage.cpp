#include "reports/core/LogbookPage.h"

#include "analysis/core/Profile.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/runtime/Runtime.h"
#include "reports/core/DiveFacts.h"
#include "reports/core/ReportFrame.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Lookups.h"
#include "shell/core/Units.h"

#include <array>
#include <cmath>
#include <memory>

namespace kvl {

namespace {

// Page inches.
constexpr double kGraphLeft = 0.5;
constexpr double kGraphTop = 0.5;
constexpr double kGraphWidth = 3.5;
constexpr double kGraphRight = kGraphLeft + kGraphWidth;
constexpr double kGraphHeight = 9.5 / 3;
constexpr double kGraphBottom = kGraphTop + kGraphHeight;
constexpr double kTimeLabelY = 0.25;
constexpr double kTimeTitleY = 0.125;
constexpr double kLeftX = 0.125;
constexpr double kDividerX = 4.25;
constexpr double kRightColumnX = 4.5;
constexpr double kValueX = 5.75;
constexpr double kConditionValueX = 1.375;
constexpr double kFullRight = 8.0;
constexpr double kPageBottom = 10.125;
constexpr double kBlockHeight = 1.0;
constexpr double kContinuationTop = 0.125;
constexpr double kPageFontSize = 8;
constexpr int kCurveWidth = 6;
// A rising stroke is red from this ascent-rate band on, for every model.
constexpr int kRedBand = 5;
// Depth-step sampling codes start here.
constexpr int kDepthSampling = 4;
constexpr quint32 kGridGrey = RGB(180, 180, 180);

const QString kCutNote = QStringLiteral("...(continue on the next page)");
const QString kContinuedNote = QStringLiteral("(continue from previous page)");

std::unique_ptr<db::Recordset> OpenSetPoints()
{
    return LogDB().OpenRecordset(QStringLiteral("Select * from DIVE_DC_SETTINGS where DIVEID = ? ;"),
                                 {gv.rsDiveData->Field("DIVEID")});
}

// PText for a text that is not kept.
void PrintAt(Printer& printer, double x, double y, QString text)
{
    PText(printer, CSng(x), CSng(y), text);
}

void PrintStyled(Printer& printer, double x, const QString& text, void (Printer::*style)(bool))
{
    (printer.*style)(true);
    PrintAt(printer, x, printer.CurrentY(), text);
    (printer.*style)(false);
}

// A bold heading with its rule on the line below, which is left empty.
void PrintHeading(Printer& printer, double left, double right, const QString& text)
{
    PrintStyled(printer, left, text, &Printer::SetFontBold);
    printer.Line(left, printer.CurrentY(), right, printer.CurrentY());
    printer.NewLine();
}

// Wraps text from start; when characters are left, prints the italic note under it.
// Returns the position to go on from, 0 when the text is done.
int WrapBlock(Printer& printer, const QString& text, int start, double left, double right,
              const std::function<bool()>& stop)
{
    const int next = WrapText(printer, text, start, left, right, stop);
    if (next == 0)
        return 0;
    printer.NewLine();
    printer.SetCurrentX(left);
    printer.SetFontItalic(true);
    printer.Print(kCutNote, true);
    printer.SetFontItalic(false);
    return next;
}

// Prints one column of a label/value block from the pen's line; an empty entry is a
// bare line end.
void PrintColumn(Printer& printer, double x, const QStringList& texts)
{
    for (const QString& text : texts) {
        if (text.isNull())
            printer.NewLine();
        else
            PrintAt(printer, x, printer.CurrentY(), text);
    }
}

void PrintDiveData(Printer& printer)
{
    printer.SetFontSize(kPageFontSize);
    printer.SetDrawWidth(1);
    printer.SetForeColor(kBlack);
    printer.SetCurrentX(kRightColumnX);
    printer.SetCurrentY(0.25);
    PrintHeading(printer, kRightColumnX, kFullRight, QStringLiteral("DIVE DATA"));
    const double top = printer.CurrentY();
    const QStringList facts = DiveFactValues();
    const QString blank;   // a row without text
    PrintColumn(printer, kRightColumnX,
                {"Diver Name:", "Radarar Edeze:", blank, "Life Time Dive No.:", "Dive Date, Time:",
                 "Radarar Edeze Dive No.:", "Location:", "Dive Site:", blank, "Elapsed Time:",
                 "Prior Surface Interval:", "Max. Depth:", "Min. Temperature:", blank, "Dive Data Type:"});
    printer.SetCurrentY(top);
    const auto f = [&facts](DiveFact fact) { return facts[fact]; };
    PrintColumn(printer, kValueX,
                {f(DiverFact), f(ComputerFact), blank, f(LifetimeNoFact), f(DateTimeFact), f(DiveNoFact),
                 f(LocationFact), f(SiteFact), blank, f(ElapsedFact), f(SurfaceFact), f(MaxDepthFact),
                 f(MinTempFact), blank, f(DataTypeFact), blank, blank});
}

struct SetPointRow {
    const char* label;
    const char* field;
    const char* name;
};

constexpr std::array<SetPointRow, 11> kUtilities{{
    {"Units:", "UNITS", "UNITS"},
    {"Time Format:", "HOUR", "HOUR"},
    {"Water Contact:", "WATER", "WATER"},
    {"Ascent Scale:", "ALTTIME", "ASCENTSCALE"},
    {"Ascent Mode:", "ASCENT", "ASCENT"},
    {"Chrono Mode:", "CHRONO", "CHRONO"},
    {"Ascent-Chrono:", "CHRONO_ASCENT_ON_OFF", "CHRONO_ASCENT_ON_OFF"},
    {"NAV Mode:", "NAVDIVE", "NAVDIVE"},
    {"NAV Back Light Mode:", "NAVBACKLIGHT", "NAVBACKLIGHT"},
    {"Back Light Duration:", "BACKLIGHT", "BACKLIGHT"},
    {"Dive Sampling Rate:", "DIVESAMPLE", "DIVESAMPLE"},
}};

constexpr std::array<SetPointRow, 4> kAlarms{{
    {"Audible Alarm:", "AUDIBLEALARM", "AUDIBLEALARM"},
    {"Max Depth:", "MAXDEPTH", "MAXDEPTH"},
    {"Elapsed Dive Time:", "EDT", "EDT"},
    {"Max PO2:", "PO2", "PO2"},
}};

template <size_t N>
void PrintSetPointLabels(Printer& printer, const std::array<SetPointRow, N>& rows)
{
    for (const SetPointRow& row : rows)
        PrintAt(printer, kRightColumnX, printer.CurrentY(), row.label);
}

template <size_t N>
void PrintSetPointValues(Printer& printer, const std::array<SetPointRow, N>& rows, const db::Recordset& settings)
{
    for (const SetPointRow& row : rows)
        PrintAt(printer, kValueX, printer.CurrentY(),
                DCSettingsText(row.name, settings.Field(row.field), settings.Field("UNITS")));
}

// The set points and the memo; returns where the memo goes on, 0 when it is done.
int PrintSetPointsAndMemo(Printer& printer, const db::Recordset& settings)
{
    PrintHeading(printer, kRightColumnX, kFullRight, QStringLiteral("USER-DEFINED SET POINTS"));
    PrintStyled(printer, kRightColumnX, QStringLiteral("Utilities Settings"), &Printer::SetFontUnderline);
    const double groupTop = printer.CurrentY();
    PrintSetPointLabels(printer, kUtilities);
    printer.NewLine();
    PrintStyled(printer, kRightColumnX, QStringLiteral("Alarms Settings"), &Printer::SetFontUnderline);
    PrintSetPointLabels(printer, kAlarms);
    printer.SetCurrentY(groupTop);
    PrintSetPointValues(printer, kUtilities, settings);
    printer.NewLine();
    printer.NewLine();
    PrintSetPointValues(printer, kAlarms, settings);
    printer.NewLine();
    printer.NewLine();
    PrintHeading(printer, kRightColumnX, kFullRight, QStringLiteral("MEMO"));
    return WrapBlock(printer, gv.CurrentDive.MEMO, 1, kRightColumnX, kFullRight,
                     [&printer] { return printer.CurrentY() > kPageBottom; });
}

struct NameList {
    const char* label;
    const char* sql;
    const char* field;
};

const std::array<NameList, 4> kNameLists{{
    {"Buddies:", "Select DISTINCT(NAME) from USERINFO,BUDDIES where BUDDIES.DIVEID = ? AND "
                 "BUDDIES.BUDDYID = USERINFO.USERID ORDER BY NAME ;", "NAME"},
    {"Crew/Guide:", "Select DISTINCT(NAME) from USERINFO,CREWS where CREWS.DIVEID = ? AND "
                    "CREWS.CREWID = USERINFO.USERID ORDER BY NAME ;", "NAME"},
    {"Captain:", "Select DISTINCT(NAME) from USERINFO,CAPTAIN where CAPTAIN.DIVEID = ? AND "
                 "CAPTAIN.CAPID = USERINFO.USERID ORDER BY NAME ;", "NAME"},
    {"Dive Type:", "Select DISTINCT(TYPEDATA) from DIVETYPEDATA,DIVETYPES where DIVETYPES.DIVEID = ? AND "
                   "DIVETYPES.TYPEID = DIVETYPEDATA.ID ORDER BY TYPEDATA ;", "TYPEDATA"},
}};

void PrintNameList(Printer& printer, const NameList& list)
{
    PrintStyled(printer, kLeftX, list.label, &Printer::SetFontUnderline);
    const double top = printer.CurrentY();
    QStringList names;
    for (auto rs = LogDB().OpenRecordset(list.sql, {gv.CurrentDiveID}); !rs->EOF(); rs->MoveNext())
        names << rs->Field(list.field).ToString();
    WrapText(printer, names.join(QStringLiteral(", ")), 1, kLeftX, kGraphRight,
             [&printer, top] { return printer.CurrentY() > top + kBlockHeight; });
    printer.NewLine();
    printer.NewLine();
}

void PrintCompanions(Printer& printer, double startY)
{
    printer.SetCurrentY(startY);
    printer.NewLine();
    PrintHeading(printer, kLeftX, kGraphRight, QStringLiteral("BUDDIES"));
    for (size_t i = 0; i < 3; ++i)
        PrintNameList(printer, kNameLists[i]);
    PrintHeading(printer, kLeftX, kGraphRight, QStringLiteral("LOCATION"));
    PrintNameList(printer, kNameLists[3]);
}

void PrintConditions(Printer& printer)
{
    const double top = printer.CurrentY();
    const QString blank;
    PrintColumn(printer, kLeftX,
                {"Visibility:", "Altitude:", "Temperature", "Air:", "Surface:", "Min.:", blank, "Current:",
                 "Surge:", "Swell:", "Surf:", "Tide:", blank, "Operator:", "Dive Boat:", "GPS:", blank});
    const double end = printer.CurrentY();
    printer.SetCurrentY(top);
    PrintColumn(printer, kConditionValueX, ConditionValues());
    printer.SetCurrentY(end);
}

// The step comes from the depth itself, the tick count from the depth rounded half to
// even; a depth of 0 or less, or one that rounds to 0, gets the axis 0 to 1.
profile::AxisScale PageDepthAxis(const db::Value& feet)
{
    const double d = feet.IsNull() ? 0 : DepthToDisplay(feet);
    profile::AxisScale axis;
    if (!(d > 0))
        return axis;
    axis.step = profile::AxisStep(int(std::min(std::ceil(d), 1e6)), 50);
    const qint64 r = std::min<qint64>(RoundHalfEven(d), 1'000'000);
    axis.ticks = std::max<int>(1, int(r / axis.step + (r % axis.step > 0 ? 1 : 0)));
    return axis;
}

} // namespace

int WrapText(Printer& printer, const QString& text, int start, double left, double right,
             const std::function<bool()>& stop)
{
    constexpr QChar kCr(13), kLf(10), kBackspace(8), kBlank(' ');
    printer.SetCurrentX(left);
    const auto lineEnd = [&printer, left] {
        printer.NewLine();
        printer.SetCurrentX(left);
    };
    for (int pos = std::max(start, 1); pos <= text.size(); ++pos) {
        const QChar ch = text[pos - 1];
        if (printer.CurrentX() < right) {
            if (ch == kCr)
                lineEnd();
            else if (ch != kLf)
                printer.Print(QString(ch), false);
        } else if (ch == kBlank || ch == kBackspace || ch == kLf || ch == kCr) {
            lineEnd();
        } else {
            printer.Print(QString(ch), false);
            printer.Print(QStringLiteral("-"), false);
            lineEnd();
        }
        if (stop())
            return pos < text.size() ? pos + 1 : 0;
    }
    return 0;
}

bool LogbookPageReady()
{
    if (!OpenSetPoints()->EOF())
        return true;
    MsgBox("User-defined set points data are missing. Could not print.", MsgButtons::OK, MsgIcon::Critical, "Error");
    return false;
}

PrintFrm& PrintFrm::Instance()
{
    static PrintFrm form;
    return form;
}

void PrintFrm::InitArr()
{
    const profile::ProfileRows rows = profile::LoadProfileSamples(LogDB(), gv.CurrentDiveID);
    const size_t n = rows.kept.size();
    ProfileDepth.assign(n, 0);
    ProfileTime.assign(n, 0);
    ProfileVari.assign(n, 0);
    for (size_t i = 0; i < n; ++i) {
        const profile::ProfileSample& s = rows.kept[i];
        ProfileDepth[i] = DepthToDisplay(s.depth);
        ProfileTime[i] = float(s.time);
        ProfileVari[i] = s.vari;
    }
    ProfileCount = qint32(n);
    if (gv.CurrentDive.SNAPSHOT >= kDepthSampling)
        ResamplingTime();
}

void PrintFrm::ResamplingTime()
{
    std::vector<qint32> times(ProfileTime.size());
    for (size_t i = 0; i < times.size(); ++i)
        times[i] = qint32(RoundHalfEven(ProfileTime[i]));
    profile::ResamplingTime(times, ProfileCount);
    for (size_t i = 0; i < times.size(); ++i)
        ProfileTime[i] = float(times[i]);
}

void PrintFrm::PrintGraph(Printer& printer)
{
    printer.SetDrawWidth(4);
    printer.SetDrawStyle(PenStyle::Solid);
    printer.SetForeColor(kBlack);
    printer.Line(kGraphLeft, kGraphTop, kGraphRight, kGraphTop);
    printer.Line(kGraphLeft, kGraphTop, kGraphLeft, kGraphBottom);
    printer.Line(kGraphLeft, kGraphBottom, kGraphRight, kGraphBottom);
    printer.Line(kGraphRight, kGraphTop, kGraphRight, kGraphBottom);

    printer.SetFontSize(kPageFontSize);
    const profile::AxisScale time = profile::TimeAxis(gv.CurrentDive.BTIME);
    const double xScale = kGraphWidth / (time.Length() * 60.0);
    PrintTextAligned(printer, CSng(kGraphRight), CSng(kTimeTitleY), QStringLiteral("ELAPSED TIME (Minutes)"), 1);
    for (int i = 0; i <= time.ticks; ++i) {
        printer.SetCurrentX(kGraphLeft + i * kGraphWidth / time.ticks);
        printer.SetCurrentY(kTimeLabelY);
        printer.Print(Str(i * time.step), true);
    }

    const profile::AxisScale depth = PageDepthAxis(gv.CurrentDive.MDEPTH);
    const double yScale = kGraphHeight / depth.Length();
    for (int i = 0; i <= depth.ticks; ++i) {
        printer.SetCurrentX(kLeftX);
        printer.SetCurrentY(kGraphTop + i * kGraphHeight / depth.ticks);
        printer.Print(Str(i * depth.step), true);
    }
    printer.SetCurrentX(kLeftX);
    printer.Print(QStringLiteral("DEPTH ("), false);
    printer.Print(gv.UnitDepth == 1 ? QStringLiteral("FT)") : QStringLiteral("M)"), true);
    LeftColumnTop = printer.CurrentY();

    printer.SetDrawWidth(1);
    printer.Line(kDividerX, 0.125, kDividerX, 10.25, kBlack);

    printer.SetDrawStyle(PenStyle::Dotted);
    printer.SetForeColor(kGridGrey);
    for (int i = 1; i < time.ticks; ++i) {
        const double x = kGraphLeft + i * kGraphWidth / time.ticks;
        printer.Line(x, kGraphTop, x, kGraphBottom);
    }
    for (int i = 1; i < depth.ticks; ++i) {
        const double y = kGraphTop + i * kGraphHeight / depth.ticks;
        printer.Line(kGraphLeft, y, kGraphRight, y);
    }
    printer.SetDrawStyle(PenStyle::Solid);
    printer.SetForeColor(kBlack);

    if (gv.rsDiveData->Field("DATATYPE").ToLong() != 0)
        PrintCurve(printer, xScale, yScale);
}

void PrintFrm::PrintCurve(Printer& printer, double xScale, double yScale)
{
    InitArr();
    ModelDefaultsText(gv.CurrentDive.MODELID);
    std::vector<qint32> times(ProfileTime.begin(), ProfileTime.end());
    const auto segments = profile::BuildSegments(times, ProfileDepth, ProfileVari, ProfileCount, kRedBand - 1);
    printer.SetDrawWidth(kCurveWidth);
    const auto x = [xScale](double t) { return kGraphLeft + t * xScale; };
    const auto y = [yScale](double d) { return kGraphTop + d * yScale; };
    for (const profile::ProfileSegment& s : segments)
        printer.Line(x(s.t0), y(s.d0), x(s.t1), y(s.d1), s.fastAscent ? kRed : kBlue);
    printer.SetDrawWidth(1);
}

void PrintFrm::NewPageIfFull(Printer& printer)
{
    if (printer.CurrentY() <= kPageBottom)
        return;
    if (!footerPrinted_)
        PrintFooter(printer, PageNo);
    ++PageNo;
    printer.NewPage();
    footerPrinted_ = false;
    printer.SetFontSize(kPageFontSize);
    printer.SetCurrentY(kContinuationTop);
}

void PrintFrm::ContinueBlock(Printer& printer, const QString& label, const QString& text, int& resume)
{
    while (resume != 0) {
        NewPageIfFull(printer);
        PrintStyled(printer, kLeftX, label, &Printer::SetFontUnderline);
        PrintStyled(printer, kLeftX, kContinuedNote, &Printer::SetFontItalic);
        resume = WrapBlock(printer, text, resume, kLeftX, kFullRight,
                           [&printer] { return printer.CurrentY() > kPageBottom; });
        if (resume != 0) {
            PrintFooter(printer, PageNo);
            footerPrinted_ = true;
        }
    }
}

void PrintFrm::PrintNotes(Printer& printer)
{
    const DiveDataRec& dive = gv.CurrentDive;
    PrintStyled(printer, kLeftX, QStringLiteral("Highlights:"), &Printer::SetFontUnderline);
    double top = printer.CurrentY();
    HighlightsResume = WrapBlock(printer, dive.HIGHLIGHTS, 1, kLeftX, kGraphRight,
                                 [&printer, &top] { return printer.CurrentY() > top + kBlockHeight; });
    printer.NewLine();
    printer.NewLine();
    PrintStyled(printer, kLeftX, QStringLiteral("Directions:"), &Printer::SetFontUnderline);
    top = printer.CurrentY();
    DirectionsResume = WrapBlock(printer, dive.DIRECTIONS, 1, kLeftX, kGraphRight, [&printer, &top] {
        return printer.CurrentY() > top + kBlockHeight || printer.CurrentY() > kPageBottom;
    });
    PrintFooter(printer, PageNo);
    footerPrinted_ = true;

    ContinueBlock(printer, QStringLiteral("Highlights:"), dive.HIGHLIGHTS, HighlightsResume);
    printer.NewLine();
    printer.NewLine();
    ContinueBlock(printer, QStringLiteral("Directions:"), dive.DIRECTIONS, DirectionsResume);
    printer.NewLine();
    printer.NewLine();
    ContinueBlock(printer, QStringLiteral("Memo:"), dive.MEMO, MemoResume);
    if (!footerPrinted_)
        PrintFooter(printer, PageNo);
    printer.EndDoc();
}

void PrintFrm::PrintIt(Printer& printer)
{
    if (!LogbookPageReady())
        return;
    const auto settings = OpenSetPoints();
    printer.SetScaleMode(0);
    printer.SetScaleHeight(11);
    printer.SetScaleWidth(8.5);
    printer.SetFontName(gv.PrintFontName);
    printer.SetFontSize(kPageFontSize);
    printer.SetFontBold(false);
    printer.SetFontUnderline(false);
    printer.SetFontItalic(false);
    printer.SetOrientation(PrintOrientation::Portrait);

    HighlightsResume = DirectionsResume = MemoResume = 0;
    PageNo = 1;
    footerPrinted_ = false;
    // Every print draws its own dive's series, or none.
    ProfileDepth.clear();
    ProfileTime.clear();
    ProfileVari.clear();
    ProfileCount = 0;

    PrintGraph(printer);
    PrintDiveData(printer);
    MemoResume = PrintSetPointsAndMemo(printer, *settings);
    PrintCompanions(printer, LeftColumnTop);
    PrintConditions(printer);
    PrintNotes(printer);
}

} // namespace kvl
