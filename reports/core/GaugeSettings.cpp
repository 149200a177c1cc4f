#include "reports/core/GaugeSettings.h"

#include "platform/dialogs/Dialogs.h"
#include "platform/runtime/Runtime.h"
#include "reports/core/ReportFrame.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Lookups.h"

#include <array>
#include <memory>

namespace kvl {

namespace {

constexpr float kLabelX = 0.5f;
constexpr float kValueX = 2.0f;
constexpr double kLegsLeft = 0.5;
constexpr double kLastRowBottom = 10.5;
constexpr double kTopOfNextPage = 1.0;

struct Setting {
    const char* label;
    const char* key;  // the field and DCSettingsText's key
};

const std::array<Setting, 10> kUtilities{{
    {"Units:", "UNITS"},
    {"Time Format:", "HOUR"},
    {"Water Contact:", "WATER"},
    {"Ascent Mode:", "ASCENT"},
    {"Chrono Mode:", "CHRONO"},
    {"Ascent-Chrono:", "CHRONO_ASCENT_ON_OFF"},
    {"NAV Mode:", "NAVDIVE"},
    {"NAV Back Light Mode:", "NAVBACKLIGHT"},
    {"Back Light Duration:", "BACKLIGHT"},
    {"Dive Sampling Rate:", "DIVESAMPLE"},
}};

const std::array<Setting, 4> kAlarms{{
    {"Audible Alarm:", "AUDIBLEALARM"},
    {"Max Depth:", "MAXDEPTH"},
    {"Elapsed Dive Time:", "EDT"},
    {"Max PO2:", "PO2"},
}};

std::unique_ptr<db::Recordset> OpenSettings(qint32 modelId, qint32 serialNo)
{
    gv.SQLText = "Select * from DC_SETTINGS where DCID = ? AND DCSERIALNO = ? ;";
    return LogDB().OpenRecordset(gv.SQLText, {modelId, serialNo});
}

void Underlined(Printer& printer, float x, const char* heading)
{
    printer.SetFontUnderline(true);
    QString text = heading;
    PrintDetailsAt(printer, x, CSng(printer.CurrentY()), text);
    printer.SetFontUnderline(false);
}

template <size_t N>
void PrintLabels(Printer& printer, const std::array<Setting, N>& settings)
{
    for (const Setting& s : settings) {
        QString label = s.label;
        PrintDetailsAt(printer, kLabelX, CSng(printer.CurrentY()), label);
    }
}

template <size_t N>
void PrintValues(Printer& printer, const std::array<Setting, N>& settings, const db::Recordset& row, qint32 modelId)
{
    const db::Value units = row.Field("UNITS");
    for (const Setting& s : settings) {
        QString value = DCSettingsText(s.key, row.Field(s.key), units, modelId);
        PrintDetailsAt(printer, kValueX, CSng(printer.CurrentY()), value);
    }
}

void PrintSettingsBlocks(Printer& printer, const db::Recordset& row, qint32 modelId)
{
    Underlined(printer, kLabelX, "Utilities Settings");
    const double top = printer.CurrentY();
    PrintLabels(printer, kUtilities);
    printer.NewLine();
    Underlined(printer, kLabelX, "Alarms Settings");
    PrintLabels(printer, kAlarms);
    printer.SetCurrentY(top);
    PrintValues(printer, kUtilities, row, modelId);
    printer.NewLine();
    printer.NewLine();
    PrintValues(printer, kAlarms, row, modelId);
    printer.NewLine();
    printer.NewLine();
}

// The box of one table row: rules along its top and bottom and at each edge.
void RuleRow(Printer& printer, const std::array<double, 4>& edges, double top, double bottom)
{
    printer.Line(edges[0], top, edges[3], top, kBlack);
    printer.Line(edges[0], bottom, edges[3], bottom, kBlack);
    for (double e : edges)
        printer.Line(e, top, e, bottom, kBlack);
}

QString CountDownText(qint64 seconds)
{
    auto two = [](qint64 n) { return Format(double(n), u"00"); };
    return two(IntDiv(double(seconds), 3600)) + ":" + two(IntDiv(double(IntMod(double(seconds), 3600)), 60)) + ":"
        + two(IntMod(double(seconds), 60));
}

QString CellText(const db::Value& value, const QString& text)
{
    return value.IsNull() ? QString() : " " + text;
}

} // namespace

QString GaugeSettingsTitle()
{
    return QStringLiteral("Radarar Edeze Settings");
}

bool GaugeSettingsReady(qint32 modelId, qint32 serialNo)
{
    if (!OpenSettings(modelId, serialNo)->EOF())
        return true;
    MsgBox("User-defined set points data are missing. Could not print.", MsgButtons::OK, MsgIcon::Critical, "Error");
    return false;
}

void PrintGaugeSettings(Printer& printer, qint32 modelId, qint32 serialNo)
{
    const auto row = OpenSettings(modelId, serialNo);
    if (row->EOF())
        return;
    PrintSettingsSetup(printer);

    printer.SetCurrentY(0.5);
    printer.SetFontBold(true);
    QString title = GaugeSettingsTitle();
    PrintDetailsAt(printer, kLabelX, CSng(printer.CurrentY()), title);
    printer.SetFontBold(false);
    printer.Line(0.5, printer.CurrentY(), 8.0, printer.CurrentY(), kBlack);
    printer.NewLine();

    PrintListAt(printer, kLabelX, CSng(printer.CurrentY()), "Serial Number:");
    QString serial = Str(serialNo);
    PrintDetailsAt(printer, kValueX, CSng(printer.CurrentY()), serial);
    printer.NewLine();
    printer.NewLine();

    PrintSettingsBlocks(printer, *row, modelId);
    PrintNavigationLegs(printer, modelId, serialNo);
    PrintSettingsFooter(printer);
    printer.EndDoc();
}

void PrintNavigationLegs(Printer& printer, qint32 modelId, qint32 serialNo)
{
    gv.SQLText = "Select * from DC_NAV where LEGNO > 0 and DCID = ? and DCSERIALNO = ? ORDER BY LEGNO ;";
    const auto legs = LogDB().OpenRecordset(gv.SQLText, {modelId, serialNo});
    if (legs->EOF())
        return;
    Underlined(printer, kLabelX, "Navigation Settings");
    printer.NewLine();

    const double headerTop = printer.CurrentY() + 0.025;
    std::array<double, 4> edges{kLegsLeft, 0, 0, 0};
    double x = kLegsLeft;
    const std::array<const char*, 3> headers{" Leg # ", " Heading ", " Count Down Time (CDT) "};
    for (size_t i = 0; i < headers.size(); ++i) {
        PrintListAt(printer, CSng(x), CSng(headerTop), headers[i]);
        x = printer.CurrentX();
        edges[i + 1] = x;
    }
    printer.NewLine();
    double top = printer.CurrentY();
    RuleRow(printer, edges, headerTop, top);

    for (; !legs->EOF(); legs->MoveNext()) {
        const db::Value leg = legs->Field("LEGNO");
        const db::Value heading = legs->Field("HEADING");
        const db::Value cdt = legs->Field("CDT");
        PrintListAt(printer, CSng(edges[0]), CSng(top), CellText(leg, leg.ToString()));
        PrintListAt(printer, CSng(edges[1]), CSng(top), CellText(heading, heading.ToString() + QStringLiteral("°")));
        PrintListAt(printer, CSng(edges[2]), CSng(top), CellText(cdt, CountDownText(cdt.ToLong())));
        printer.NewLine();
        double bottom = printer.CurrentY();
        RuleRow(printer, edges, top, bottom);
        if (bottom > kLastRowBottom) {
            printer.NewPage();
            bottom = kTopOfNextPage;
        }
        top = bottom;
    }
}

} // namespace kvl
