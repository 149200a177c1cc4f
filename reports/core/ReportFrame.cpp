#include "reports/core/ReportFrame.h"

#include "platform/runtime/Runtime.h"
#include "shell/core/Global_Vars.h"

namespace kvl {

namespace {

// The set-up every report module shares, in the order the reports set it.
void ModuleSetup(Printer& printer, PrintOrientation orientation, double fontSize)
{
    const bool landscape = orientation == PrintOrientation::Landscape;
    printer.SetScaleMode(0);
    printer.SetOrientation(orientation);
    printer.SetScaleHeight(landscape ? 8.5 : 11);
    printer.SetScaleWidth(landscape ? 11 : 8.5);
    printer.SetFontName(gv.PrintFontName);
    printer.SetFontSize(fontSize);
    printer.SetFontBold(false);
    printer.SetFontUnderline(false);
    printer.SetForeColor(kBlack);
    printer.SetDrawWidth(1);
}

void PrintAt(Printer& printer, float x, float y, const QString& text, bool endLine)
{
    printer.SetCurrentX(x);
    printer.SetCurrentY(y);
    printer.Print(text, endLine);
}

void Footer(Printer& printer, float x, float y)
{
    printer.SetCurrentX(x);
    printer.SetCurrentY(y);
    printer.SetFontSize(6);
    printer.Print(MakerNotice());
}

void PageNumber(Printer& printer, float x, float y, int pageNo)
{
    PrintAt(printer, x, y, "Page " + QString::number(pageNo), true);
}

} // namespace

QString MakerNotice()
{
    return QStringLiteral("Tarvik® Computer Vavedaver");
}

void PrintListSetup(Printer& printer, qint16& pageNo)
{
    ModuleSetup(printer, PrintOrientation::Landscape, 7);
    pageNo = 1;
}

void PrintDetailsSetup(Printer& printer, qint16& pageNo, bool& firstPage)
{
    PrintListSetup(printer, pageNo);
    firstPage = true;
}

void PrintPersonalSetup(Printer& printer)
{
    ModuleSetup(printer, PrintOrientation::Portrait, 8);
}

void PrintSettingsSetup(Printer& printer)
{
    ModuleSetup(printer, PrintOrientation::Portrait, 8);
}

void PText(Printer& printer, float x, float y, QString& text)
{
    if (text.isEmpty())
        text = QStringLiteral("");
    PrintAt(printer, x, y, text, true);
}

void PrintDetailsAt(Printer& printer, float x, float y, QString& text)
{
    PText(printer, x, y, text);
}

void PrintListAt(Printer& printer, float x, float y, const QString& text)
{
    PrintAt(printer, x, y, text, false);
}

void PrintPersonalAt(Printer& printer, float x, float y, const QString& text)
{
    PrintAt(printer, x, y, text, true);
}

void PrintFooter(Printer& printer, int pageNo)
{
    Footer(printer, 0.125f, float(kPortraitFooterY));
    PageNumber(printer, 7.875f, float(kPortraitFooterY), pageNo);
}

void PrintDetailsFooter(Printer& printer, int pageNo)
{
    Footer(printer, 0.125f, 8.25f);
    PageNumber(printer, 9.5f, 8.25f, pageNo);
}

void PrintListFooter(Printer& printer)
{
    Footer(printer, 0.125f, 8.25f);
}

void PrintPersonalFooter(Printer& printer)
{
    Footer(printer, 1.0f, 10.5f);
}

void PrintSettingsFooter(Printer& printer)
{
    Footer(printer, 0.125f, 10.5f);
}

float MaxOfThree(float a, float b, float c)
{
    if (a >= b && a >= c)
        return a;
    if (b >= a && b >= c)
        return b;
    return c;
}

QString PrintedValue(const db::Value& value)
{
    if (value.IsInteger())
        return Str(value.ToLong());
    if (value.IsReal())
        return Str(CSng(value.ToDouble()));
    return value.ToString();
}

QString NumberJoined(const db::Value& value)
{
    if (value.IsNull())
        return QString();
    if (value.IsInteger())
        return QString::number(value.ToLong());
    return SingleJoined(CSng(value.ToDouble()));
}

QString SingleJoined(float value)
{
    return SingleToText(value).replace(QLatin1Char('.'), Runtime::DecimalSeparator());
}

} // namespace kvl
