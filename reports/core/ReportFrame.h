#pragma once
// The page frame the printed reports share. No layout engine: each report places every
// text and line itself, in page units of about an inch (x to the right, y down from the
// printable area's top-left corner), on the Printer it is handed. What they share:
//
//  - a page set-up per report, run once before anything is drawn: orientation, user
//    scale (8.5 × 11 portrait, 11 × 8.5 landscape), the font gv.PrintFontName at the
//    report's size, bold and underline off, black pen of width 1;
//  - print-at routines: put the cursor at (x, y) and print a text, with a line end
//    (PText, PrintDetailsAt, PrintPersonalAt) or without (PrintListAt);
//  - footers: the maker's notice at 6 pt at the report's footer place, two of them
//    followed by "Page n". A footer leaves the printer at 6 pt: whatever is printed
//    after it, until a size is set, is 6 pt;
//  - PrintedValue: how a stored value prints when it is handed to the printer as is;
//  - MaxOfThree.
//
// Each report keeps its own 16-bit page number, which its set-up sets to 1.

#include "platform/db/Db.h"
#include "platform/printer/Printer.h"

#include <QString>

namespace kvl {

// The landscape table reports' page (dives list, dive details), in inches.
namespace landscape_table {
inline constexpr double kLeft = 0.125;
inline constexpr double kRight = 10.125;
inline constexpr double kTop = 0.125;
inline constexpr double kBottom = 8.125;
// No row is started below this.
inline constexpr double kLastRowY = kBottom - 0.075;
inline constexpr double kRowGap = 0.02;
inline constexpr double kColumnGap = 0.075;
} // namespace landscape_table

// The line the logbook page's footer stands on; its body text ends above it.
inline constexpr double kPortraitFooterY = 10.5;

// The one-line notice every footer prints.
QString MakerNotice();

// Landscape 11 × 8.5 at 7 pt; pageNo = 1.
void PrintListSetup(Printer& printer, qint16& pageNo);
// Landscape 11 × 8.5 at 7 pt; pageNo = 1 and the report's first-page flag on.
void PrintDetailsSetup(Printer& printer, qint16& pageNo, bool& firstPage);
// Portrait 8.5 × 11 at 8 pt.
void PrintPersonalSetup(Printer& printer);
void PrintSettingsSetup(Printer& printer);

// The logbook page's print-at and the details report's: an empty (null) text is made
// the empty string, in the caller's variable too, then printed with a line end.
void PText(Printer& printer, float x, float y, QString& text);
void PrintDetailsAt(Printer& printer, float x, float y, QString& text);
// Prints without a line end: the cursor stays just after the text.
void PrintListAt(Printer& printer, float x, float y, const QString& text);
// Prints with a line end.
void PrintPersonalAt(Printer& printer, float x, float y, const QString& text);

// Footers; each sets the size to 6 pt and leaves it so.
// Logbook page: notice at (0.125, 10.5), "Page n" at (7.875, 10.5).
void PrintFooter(Printer& printer, int pageNo);
// Dive details: notice at (0.125, 8.25), "Page n" at (9.5, 8.25).
void PrintDetailsFooter(Printer& printer, int pageNo);
// Dives list: notice at (0.125, 8.25); its page head carries the number.
void PrintListFooter(Printer& printer);
// Personal page: notice at (1.0, 10.5).
void PrintPersonalFooter(Printer& printer);
// Gauge settings: notice at (0.125, 10.5), printed once before the end of the document.
void PrintSettingsFooter(Printer& printer);

// The largest of three; a tie goes to the earlier argument.
float MaxOfThree(float a, float b, float c);

// A stored value as the printer writes it: Null as "", a whole number or a single
// with one blank in the sign's place (Str), a text as it stands.
QString PrintedValue(const db::Value& value);
// A number joined into a text: its shortest form with at most 7 significant digits
// (98.4), with the regional decimal separator; Null gives "".
QString NumberJoined(const db::Value& value);
QString SingleJoined(float value);

} // namespace kvl
