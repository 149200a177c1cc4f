#pragma once
// The dives list: every dive of the log, in gv.SortOrder whatever filter the browsed
// list carries, one row of a ruled table on landscape pages, with a page head on every
// page and the maker's notice at its foot.

#include "platform/printer/Printer.h"

#include <array>

namespace kvl {

inline constexpr int kListColumns = 13;

// The table of one page: where each column's values start (from the printed widths
// of the headings, so they follow the font in force), the table's top and the y of
// the next row.
struct ListFrame {
    std::array<float, kListColumns> ListColX{};
    double top = 0;
    double rowY = 0;
    qint16 pageNo = 1;
};

// Draws the page head ("<diver> - Dive Listing", "Page n") and the empty ruled table
// on the current page, and sets the frame's columns, top and row cursor.
void PrintListHeader(Printer& printer, ListFrame& frame);
// Prints the whole report and ends the document. A database error throws; the caller
// aborts the document.
void PrintDivesList(Printer& printer);
// The title the report prints in its head (the proposed name of a PDF of it).
QString DivesListTitle();

} // namespace kvl
