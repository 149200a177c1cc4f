#include "reports/core/DivesList.h"

#include "platform/runtime/Runtime.h"
#include "reports/core/ReportFrame.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/Lookups.h"
#include "shell/core/Units.h"

#include <QHash>

namespace kvl {

namespace {

using namespace landscape_table;

enum ListColumn {
    LtdColumn, DateColumn, TimeColumn, DiveNoColumn, ModelColumn, SerialColumn, LocationColumn,
    SiteColumn, DepthColumn, EdtColumn, SurfaceColumn, TempColumn, DataTypeColumn
};

struct Heading {
    const char* line1;
    const char* line2;  // nullptr for a one-line heading
};

// The trailing blanks set the columns' widths.
const std::array<Heading, kListColumns> kHeadings{{
    {"LTD#     ", nullptr},
    {"Date             ", nullptr},
    {"Time         ", nullptr},
    {"DC ", "Dive# "},
    {"DC ", "Model              "},
    {"DC ", "Serial#    "},
    {"Location                   ", nullptr},
    {"Dive Site                  ", nullptr},
    {"Max ", "Depth     "},
    {"EDT     ", nullptr},
    {"Surface ", "Interval "},
    {"Min ", "Temp. "},
    {"Data Type         ", nullptr},
}};

// Prints one heading from x on y; returns the x where its wider line ends.
double PrintHeading(Printer& printer, const Heading& heading, double x, double y)
{
    printer.SetCurrentX(x);
    printer.SetCurrentY(y);
    printer.Print(heading.line1, false);
    if (!heading.line2)
        return printer.CurrentX();
    const float afterLine1 = CSng(printer.CurrentX());
    printer.NewLine();
    printer.SetCurrentX(x);
    printer.Print(heading.line2, false);
    return MaxOfThree(afterLine1, CSng(printer.CurrentX()), 0);
}

QString ModelCell(const db::Value& modelId, QHash<qint64, QString>& names)
{
    if (modelId.IsNull())
        return QString();
    const qint64 id = modelId.ToLong();
    auto known = names.constFind(id);
    if (known != names.constEnd())
        return *known;
    QString name;
    try {
        name = GetModelNameLocal(modelId);
    } catch (const NullValueError&) {
        // A model row without a name prints an empty cell.
    }
    names.insert(id, name);
    return name;
}

QString DepthCell(const db::Value& feet)
{
    if (feet.IsNull())
        return QString();
    if (gv.UnitDepth == 1)
        return NumberJoined(feet) + " FT";
    return Format(FtToM(feet), u"###.0", Runtime::DecimalSeparator()) + " M";
}

QString EdtCell(const db::Value& minutes)
{
    if (minutes.IsNull())
        return QString();
    const qint64 m = minutes.ToLong();
    return Format(double(IntDiv(double(m), 60)), u"00") + ":" + Format(double(IntMod(double(m), 60)), u"00");
}

QString TempCell(const db::Value& fahrenheit)
{
    if (fahrenheit.IsNull())
        return QString();
    if (gv.UnitTemp == 1)
        return NumberJoined(fahrenheit) + " F";
    return SingleJoined(FToC(fahrenheit)) + " C";
}

QString DataTypeCell(const db::Value& type)
{
    if (type.IsNull())
        return QString();
    switch (type.ToLong()) {
    case 0: return QStringLiteral("Manual");
    case 1: return QStringLiteral("Radarar Edeze");
    default: return QStringLiteral("Radarar Edeze/Modified");
    }
}

QString DateCell(const db::Value& date)
{
    return date.IsNull() ? QString() : FormatDBDate(date.ToString());
}

QString TimeCell(const db::Value& time)
{
    if (time.IsNull())
        return QString();
    return gv.UnitDate == 1 ? TimeTo12Hour(time.ToString()) : time.ToString();
}

// The catalog name of a row's location or site, "" when the link or the row is gone.
QString CatalogName(const QString& sql, const db::Value& id)
{
    return id.IsNull() ? QString() : LogDB().Scalar(sql, {id}).ToString();
}

// Prints a catalog name wrapped in its column; returns the y below it, or 0 when
// there was nothing to print.
float PrintCatalogCell(Printer& printer, const QString& name, const ListFrame& frame, int column, double y)
{
    if (name.isEmpty())
        return 0;
    return PrintWrappedText(printer, name, frame.ListColX[column], frame.ListColX[column + 1], CSng(y));
}

class DivesListReport {
public:
    explicit DivesListReport(Printer& printer) : printer_(printer) {}

    void Run()
    {
        PrintListSetup(printer_, frame_.pageNo);
        PrintListHeader(printer_, frame_);
        PrintListFooter(printer_);
        // One read for the whole report: a consistent log and no locking per lookup.
        // Nothing is written, so the guard's roll-back at the end changes nothing.
        db::Transaction reading(LogDB());
        gv.SQLText = "Select * from DIVEDATA order by " + gv.SortOrder + " ;";
        auto rows = LogDB().OpenRecordset(gv.SQLText);
        if (rows->EOF())
            return printer_.EndDoc();
        for (; !rows->EOF(); rows->MoveNext())
            PrintRow(*rows);
        PrintListFooter(printer_);
        printer_.EndDoc();
    }

private:
    void Cell(int column, const QString& text)
    {
        PrintListAt(printer_, frame_.ListColX[column], CSng(frame_.rowY), text);
    }

    void PrintRow(const db::Recordset& row)
    {
        const double y = frame_.rowY;
        Cell(LtdColumn, PrintedValue(row.Field("LIFETIMEDIVENO")));
        Cell(DateColumn, DateCell(row.Field("DIVEDATE")));
        Cell(TimeColumn, TimeCell(row.Field("DIVETIME")));
        Cell(DiveNoColumn, PrintedValue(row.Field("DIVENO")));
        Cell(ModelColumn, ModelCell(row.Field("MODELID"), modelNames_));
        Cell(SerialColumn, PrintedValue(row.Field("MODELSERNO")));
        const QString location =
            CatalogName("Select LOCATIONNAME from LOCATIONS where LOCID = ? ;", row.Field("LOCID"));
        const float locationBottom = PrintCatalogCell(printer_, location, frame_, LocationColumn, y);
        const QString site = CatalogName("Select DIVESITE from DIVESITES where SITEID = ? ;", row.Field("SITEID"));
        const float siteBottom = PrintCatalogCell(printer_, site, frame_, SiteColumn, y);
        Cell(DepthColumn, DepthCell(row.Field("MDEPTH")));
        Cell(EdtColumn, EdtCell(row.Field("BTIME")));
        Cell(SurfaceColumn, PrintedValue(row.Field("STIME")));
        Cell(TempColumn, TempCell(row.Field("TEMP")));
        Cell(DataTypeColumn, DataTypeCell(row.Field("DATATYPE")));
        printer_.NewLine();

        const float bottom = MaxOfThree(CSng(printer_.CurrentY()), locationBottom, siteBottom);
        printer_.SetCurrentY(bottom);
        frame_.rowY = bottom + kRowGap;
        if (kLastRowY < frame_.rowY) {
            PrintListFooter(printer_);
            printer_.NewPage();
            ++frame_.pageNo;
            PrintListHeader(printer_, frame_);
        } else {
            printer_.Line(kLeft, frame_.rowY - kRowGap, kRight, frame_.rowY - kRowGap);
        }
    }

    Printer& printer_;
    ListFrame frame_;
    QHash<qint64, QString> modelNames_;
};

} // namespace

QString DivesListTitle()
{
    return gv.DiverName + " - Dive Listing";
}

void PrintListHeader(Printer& printer, ListFrame& frame)
{
    printer.SetCurrentX(kLeft);
    printer.SetCurrentY(kTop);
    printer.Print(DivesListTitle());
    printer.SetCurrentX(9.5);
    printer.SetCurrentY(kTop);
    printer.Print("Page " + QString::number(frame.pageNo));
    printer.Line(kLeft, printer.CurrentY(), kRight, printer.CurrentY());
    printer.NewLine();
    printer.NewLine();
    frame.top = printer.CurrentY();
    printer.Line(kLeft, frame.top, kRight, frame.top);
    printer.Line(kLeft, frame.top, kLeft, kBottom);
    printer.Line(kLeft, kBottom, kRight, kBottom);

    printer.SetFontBold(true);
    const double headingY = frame.top + 0.025;
    double x = 0.2;
    frame.ListColX[0] = CSng(x);
    for (int column = 0; column < kListColumns; ++column) {
        x = PrintHeading(printer, kHeadings[size_t(column)], x, headingY);
        if (column == kListColumns - 1) {
            printer.Line(kRight, frame.top, kRight, kBottom);
            break;
        }
        printer.Line(x, frame.top, x, kBottom);
        x += kColumnGap;
        frame.ListColX[size_t(column + 1)] = CSng(x);
    }
    printer.SetCurrentY(headingY);
    printer.NewLine();
    printer.NewLine();
    const double y = printer.CurrentY();
    printer.Line(kLeft, y, kRight, y);
    frame.rowY = y + kRowGap;
    printer.SetFontBold(false);
}

void PrintDivesList(Printer& printer)
{
    DivesListReport(printer).Run();
}

} // namespace kvl
