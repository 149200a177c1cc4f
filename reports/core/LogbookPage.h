#pragma once
// The logbook page of the current dive: on portrait Letter pages, the profile graph
// and the people, place, conditions and notes in the left column, the dive data, the
// set points and the memo in the right one; what does not fit goes on to
// continuation pages, full width.

#include "platform/printer/Printer.h"

#include <QString>

#include <functional>
#include <vector>

namespace kvl {

// The character wrap of the logbook page. Prints text from the 1-based position start
// on, from x left on the pen's line. Every line end the memo box shows ends the line,
// once each: "\r\n", a lone CR, a lone LF, U+2028 and U+2029. Any other character that
// finds the pen short of right is printed where it stands; at or past right a blank or
// backspace only ends the line, any other character is printed with "-" after it and
// ends the line. After each character the stop test is asked; when
// it holds the wrap stops. Returns the position of the first character not printed,
// 0 when the text is done.
int WrapText(Printer& printer, const QString& text, int start, double left, double right,
             const std::function<bool()>& stop);

// Whether the current dive has its set points row. When not, shows the "Error"
// message and the page must not start.
bool LogbookPageReady();

// The logbook page's form: it holds the dive's series for the graph and the state of
// one print.
class PrintFrm {
public:
    static PrintFrm& Instance();

    // Prints the page of the current dive and ends the document; without the set
    // points row it shows the message and draws nothing.
    void PrintIt(Printer& printer);
    // Loads the current dive's samples into the series; with fewer than three sample
    // rows the series is empty.
    void InitArr();
    // Spreads the equal time stamps of depth-step sampling.
    void ResamplingTime();

    std::vector<float> ProfileDepth;   // display unit
    std::vector<float> ProfileTime;    // seconds
    std::vector<quint8> ProfileVari;
    qint32 ProfileCount = 0;

    int PageNo = 1;
    int HighlightsResume = 0;
    int DirectionsResume = 0;
    int MemoResume = 0;
    double LeftColumnTop = 0;

private:
    void PrintGraph(Printer& printer);
    void PrintCurve(Printer& printer, double xScale, double yScale);
    // The left column below the graph. On the first page it ends above the footer band;
    // what does not fit goes on at the top of the next page, across the full width.
    void PrintCompanions(Printer& printer, double startY);
    void PrintLeftHeading(Printer& printer, const QString& text);
    void PrintNameList(Printer& printer, const QString& label, const QString& names);
    void PrintConditions(Printer& printer);
    void PrintNotes(Printer& printer);
    // Prints a note in its inch of the first page's left column; returns where its
    // continuation starts, the whole text once the column has no room or has moved on.
    int FirstPageNote(Printer& printer, const QString& label, const QString& text);
    void ContinueBlock(Printer& printer, const QString& label, const QString& text, int& resume);
    // The footer of this page, when it has none yet, and the top of the next one.
    void StartNextPage(Printer& printer);
    void NewPageUnlessRoom(Printer& printer, int lines);
    double LeftColumnRight() const;

    bool footerPrinted_ = false;
};

} // namespace kvl
