#include "reports/core/PersonalInfo.h"

#include "platform/runtime/Runtime.h"
#include "reports/core/ReportFrame.h"
#include "shell/core/Global_Vars.h"

#include <memory>
#include <vector>

namespace kvl {

namespace {

constexpr float kLabelX = 1.0f;
constexpr float kValueX = 2.0f;

struct Entry {
    const char* label;
    QString value;
};

struct Block {
    const char* heading;
    std::vector<Entry> entries;
};

QString Field(const db::Recordset& diver, const char* column)
{
    return diver.EOF() ? QString() : diver.Field(column).ToString();
}

QString UnitText(quint8 flag, const char* imperial, const char* metric)
{
    return QString::fromLatin1(flag == 1 ? imperial : metric);
}

std::vector<Block> Blocks(const db::Recordset& diver)
{
    auto f = [&diver](const char* column) { return Field(diver, column); };
    return {
        {"Personal Information",
         {{"Name:", f("NAME")}, {"Address1:", f("ADDRESS1")}, {"Address2:", f("ADDRESS2")}, {"City:", f("CITY")},
          {"State/Province:", f("STATE")}, {"Zip/Postal Code:", f("ZIPCODE")}, {"Country:", f("COUNTRY")},
          {"Phone:", f("HOME")}, {"Email:", f("EMAIL")}}},
        {"Emergency Contact", {{"Name:", f("CONTACTNAME")}, {"Phone:", f("CONTACTPHONE")}}},
        {"Medical Information",
         {{"Physician:", f("PHYSICIAN")}, {"Phone:", f("MEDPHONE")}, {"Insurance:", f("INSURANCE")},
          {"Policy Number:", f("POLICY")}, {"Blood Type:", f("BLOODTYPE")}, {"Allergies:", f("ALLERGIES")}}},
        {"Units Of Measurement",
         {{"Depth:", UnitText(gv.UnitDepth, "FEET", "METER")},
          {"Pressure:", UnitText(gv.UnitPressure, "PSI", "BAR")},
          {"Weight:", UnitText(gv.UnitWeight, "LBS", "KGS")},
          {"Temperature:", UnitText(gv.UnitTemp, "FAHRENHEIT", "CELSIUS")},
          {"Time Format:", UnitText(gv.UnitTime, "12", "24")},
          {"Date Format:", UnitText(gv.UnitDate, "mm/dd/yyyy", "dd/mm/yyyy")},
          {"Cylinder Size:", UnitText(gv.UnitCylinder, "CUBIC FEET", "LITER")}}},
    };
}

void PrintBlock(Printer& printer, const Block& block)
{
    printer.SetCurrentX(kLabelX);
    printer.SetFontBold(true);
    printer.SetFontUnderline(true);
    printer.Print(block.heading);
    printer.SetFontBold(false);
    printer.SetFontUnderline(false);
    printer.NewLine();
    const float top = CSng(printer.CurrentY());
    float y = top;
    for (const Entry& entry : block.entries) {
        PrintPersonalAt(printer, kLabelX, y, entry.label);
        y = CSng(printer.CurrentY());
    }
    y = top;
    for (const Entry& entry : block.entries) {
        PrintPersonalAt(printer, kValueX, y, entry.value);
        y = CSng(printer.CurrentY());
    }
    printer.NewLine();
    printer.NewLine();
}

} // namespace

QString PersonalInfoTitle()
{
    return gv.DiverName + " - Personal Information";
}

void PrintPersonalInfo(Printer& printer)
{
    gv.SQLText = "Select * from USERINFO where USERTYPE = 1 ;";
    const auto diver = LogDB().OpenRecordset(gv.SQLText);
    const std::vector<Block> blocks = Blocks(*diver);

    PrintPersonalSetup(printer);
    printer.SetCurrentX(1.0);
    printer.SetCurrentY(0.5);
    printer.SetDrawWidth(4);
    printer.Print(PersonalInfoTitle());
    printer.Line(1.0, printer.CurrentY(), 7.5, printer.CurrentY(), kBlack);
    printer.SetCurrentY(1.0);
    for (const Block& block : blocks)
        PrintBlock(printer, block);
    PrintPersonalFooter(printer);
    printer.EndDoc();
}

} // namespace kvl
