#include "reports/core/LogbookPage.h"

#include "analysis/core/Profile.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/runtime/Runtime.h"
#include "reports/core/DiveFacts.h"
#include "reports/core/ReportFrame.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Lookups.h"
#include "shell/core/Units.h"

#include <algorithm>
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
// The resume position of a note none of which is printed yet.
constexpr int kWholeText = 1;

// The lowest a line of body text may start: below it there is still room for the
// line, an empty line and the cut note above the footer.
double BodyLimit(const Printer& printer)
{
    return kPortraitFooterY - 3 * printer.TextHeight();
}

bool HasRoom(const Printer& printer, int lines)
{
    return printer.CurrentY() + (lines - 1) * printer.TextHeight() <= BodyLimit(printer);
}

bool PastBodyLimit(const Printer& printer)
{
    return printer.CurrentY() > BodyLimit(printer);
}

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

void PrintCutNote(Printer& printer, double left)
{
    printer.NewLine();
    PrintStyled(printer, left, kCutNote, &Printer::SetFontItalic);
}

// The label of a block that goes on from an earlier page, and the note saying so.
void PrintContinuedLabel(Printer& printer, const QString& label)
{
    PrintStyled(printer, kLeftX, label, &Printer::SetFontUnderline);
    PrintStyled(printer, kLeftX, kContinuedNote, &Printer::SetFontItalic);
}

// Wraps text from start; when characters are left, prints the italic note under it.
// Returns the position to go on from, 0 when the text is done.
int WrapBlock(Printer& printer, const QString& text, int start, double left, double right,
              const std::function<bool()>& stop)
{
    const int next = WrapText(printer, text, start, left, right, stop);
    if (next != 0)
        PrintCutNote(printer, left);
    return next;
}

// A label and its value on the pen's line. The value stands at valueX, or a blank's
// width after a label that reaches that far, and wraps before right when it is too
// long for the line. The pen goes to the line after the row; a Null label and value
// make an empty row.
void PrintRow(Printer& printer, double labelX, const QString& label, double valueX, const QString& value,
              double right)
{
    const double y = printer.CurrentY();
    PrintAt(printer, labelX, y, label);
    if (value.isNull())
        return;
    const double x = std::max(valueX, labelX + printer.TextWidth(label + QLatin1Char(' ')));
    if (x + printer.TextWidth(value) <= right) {
        PrintAt(printer, x, y, value);
        return;
    }
    printer.SetCurrentY(y);
    WrapText(printer, value, 1, x, right, [] { return false; });
    if (printer.CurrentX() > x)  // the last line is not ended yet
        printer.NewLine();
}

struct FactRow {
    const char* label;   // nullptr: an empty row
    DiveFact fact;
};

constexpr std::array<FactRow, 15> kDiveDataRows{{
    {"Diver Name:", DiverFact},
    {"Radarar Edeze:", ComputerFact},
    {nullptr, kDiveFacts},
    {"Life Time Dive No.:", LifetimeNoFact},
    {"Dive Date, Time:", DateTimeFact},
    {"Radarar Edeze Dive No.:", DiveNoFact},
    {"Location:", LocationFact},
    {"Dive Site:", SiteFact},
    {nullptr, kDiveFacts},
    {"Elapsed Time:", ElapsedFact},
    {"Prior Surface Interval:", SurfaceFact},
    {"Max. Depth:", MaxDepthFact},
    {"Min. Temperature:", MinTempFact},
    {nullptr, kDiveFacts},
    {"Dive Data Type:", DataTypeFact},
}};

void PrintDiveData(Printer& printer)
{
    printer.SetFontSize(kPageFontSize);
    printer.SetDrawWidth(1);
    printer.SetForeColor(kBlack);
    printer.SetCurrentX(kRightColumnX);
    printer.SetCurrentY(0.25);
    PrintHeading(printer, kRightColumnX, kFullRight, QStringLiteral("DIVE DATA"));
    const QStringList facts = DiveFactValues();
    for (const FactRow& row : kDiveDataRows) {
        if (row.label)
            PrintRow(printer, kRightColumnX, row.label, kValueX, facts[row.fact], kFullRight);
        else
            printer.NewLine();
    }
    printer.NewLine();
    printer.NewLine();
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
void PrintSetPoints(Printer& printer, const std::array<SetPointRow, N>& rows, const db::Recordset& settings)
{
    for (const SetPointRow& row : rows)
        PrintRow(printer, kRightColumnX, row.label, kValueX,
                 DCSettingsText(row.name, settings.Field(row.field), settings.Field("UNITS")), kFullRight);
}

// The set points and the memo; returns where the memo goes on, 0 when it is done.
int PrintSetPointsAndMemo(Printer& printer, const db::Recordset& settings)
{
    PrintHeading(printer, kRightColumnX, kFullRight, QStringLiteral("USER-DEFINED SET POINTS"));
    PrintStyled(printer, kRightColumnX, QStringLiteral("Utilities Settings"), &Printer::SetFontUnderline);
    PrintSetPoints(printer, kUtilities, settings);
    printer.NewLine();
    PrintStyled(printer, kRightColumnX, QStringLiteral("Alarms Settings"), &Printer::SetFontUnderline);
    PrintSetPoints(printer, kAlarms, settings);
    printer.NewLine();
    printer.NewLine();
    PrintHeading(printer, kRightColumnX, kFullRight, QStringLiteral("MEMO"));
    return WrapBlock(printer, gv.CurrentDive.MEMO, 1, kRightColumnX, kFullRight,
                     [&printer] { return PastBodyLimit(printer); });
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

// The list's names joined with ", ".
QString ListText(const NameList& list)
{
    QStringList names;
    for (auto rs = LogDB().OpenRecordset(list.sql, {gv.CurrentDiveID}); !rs->EOF(); rs->MoveNext())
        names << rs->Field(list.field).ToString();
    return names.join(QStringLiteral(", "));
}

// The labels of the conditions block, one a row; nullptr is an empty row.
constexpr std::array<const char*, 17> kConditionLabels{
    "Visibility:", "Altitude:", "Temperature", "Air:", "Surface:", "Min.:", nullptr, "Current:", "Surge:",
    "Swell:",      "Surf:",     "Tide:",       nullptr, "Operator:", "Dive Boat:", "GPS:", nullptr};

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
        if (ch == kLf && pos >= 2 && text[pos - 2] == kCr) {
            // the line feed of a "\r\n": its carriage return ended the line
        } else if (ch == kCr || ch == kLf || ch == QChar::LineSeparator || ch == QChar::ParagraphSeparator) {
            lineEnd();
        } else if (printer.CurrentX() < right) {
            printer.Print(QString(ch), false);
        } else if (ch == kBlank || ch == kBackspace) {
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

double PrintFrm::LeftColumnRight() const
{
    return PageNo == 1 ? kGraphRight : kFullRight;
}

void PrintFrm::StartNextPage(Printer& printer)
{
    if (!footerPrinted_)
        PrintFooter(printer, PageNo);
    ++PageNo;
    printer.NewPage();
    footerPrinted_ = false;
    printer.SetFontSize(kPageFontSize);
    printer.SetCurrentY(kContinuationTop);
}

void PrintFrm::NewPageUnlessRoom(Printer& printer, int lines)
{
    if (!HasRoom(printer, lines))
        StartNextPage(printer);
}

void PrintFrm::PrintLeftHeading(Printer& printer, const QString& text)
{
    NewPageUnlessRoom(printer, 4);  // with the rule's line and the first label and line under it
    PrintHeading(printer, kLeftX, LeftColumnRight(), text);
}

void PrintFrm::PrintNameList(Printer& printer, const QString& label, const QString& names)
{
    NewPageUnlessRoom(printer, 2);
    PrintStyled(printer, kLeftX, label, &Printer::SetFontUnderline);
    // A list takes at most this much height, over pages too; names below it are left out.
    double height = kBlockHeight;
    for (int next = 1; next != 0;) {
        const double top = printer.CurrentY();
        next = WrapText(printer, names, next, kLeftX, LeftColumnRight(), [&printer, top, height] {
            return printer.CurrentY() > top + height || PastBodyLimit(printer);
        });
        if (next == 0 || printer.CurrentY() > top + height)
            break;
        height -= printer.CurrentY() - top;
        PrintCutNote(printer, kLeftX);
        StartNextPage(printer);
        PrintContinuedLabel(printer, label);
    }
    printer.NewLine();
    printer.NewLine();
}

void PrintFrm::PrintCompanions(Printer& printer, double startY)
{
    printer.SetCurrentY(startY);
    printer.NewLine();
    PrintLeftHeading(printer, QStringLiteral("BUDDIES"));
    for (size_t i = 0; i < 3; ++i)
        PrintNameList(printer, kNameLists[i].label, ListText(kNameLists[i]));
    PrintLeftHeading(printer, QStringLiteral("LOCATION"));
    PrintNameList(printer, kNameLists[3].label, ListText(kNameLists[3]));
}

void PrintFrm::PrintConditions(Printer& printer)
{
    const QStringList values = ConditionValues();
    for (size_t row = 0; row < kConditionLabels.size(); ++row) {
        NewPageUnlessRoom(printer, 1);
        PrintRow(printer, kLeftX, kConditionLabels[row], kConditionValueX, values.value(int(row)), LeftColumnRight());
    }
}

void PrintFrm::ContinueBlock(Printer& printer, const QString& label, const QString& text, int& resume)
{
    while (resume != 0) {
        NewPageUnlessRoom(printer, 3);  // the label, the note and a line of text
        if (resume == kWholeText)
            PrintStyled(printer, kLeftX, label, &Printer::SetFontUnderline);
        else
            PrintContinuedLabel(printer, label);
        resume = WrapBlock(printer, text, resume, kLeftX, kFullRight, [&printer] { return PastBodyLimit(printer); });
        if (resume != 0) {
            PrintFooter(printer, PageNo);
            footerPrinted_ = true;
        }
    }
}

int PrintFrm::FirstPageNote(Printer& printer, const QString& label, const QString& text)
{
    if (PageNo > 1 || !HasRoom(printer, 2))
        return kWholeText;
    PrintStyled(printer, kLeftX, label, &Printer::SetFontUnderline);
    const double top = printer.CurrentY();
    return WrapBlock(printer, text, 1, kLeftX, kGraphRight, [&printer, top] {
        return printer.CurrentY() > top + kBlockHeight || PastBodyLimit(printer);
    });
}

void PrintFrm::PrintNotes(Printer& printer)
{
    const DiveDataRec& dive = gv.CurrentDive;
    HighlightsResume = FirstPageNote(printer, QStringLiteral("Highlights:"), dive.HIGHLIGHTS);
    if (HighlightsResume != kWholeText) {
        printer.NewLine();
        printer.NewLine();
    }
    DirectionsResume = FirstPageNote(printer, QStringLiteral("Directions:"), dive.DIRECTIONS);
    if (PageNo == 1) {
        PrintFooter(printer, PageNo);
        footerPrinted_ = true;
    }

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
