#pragma once
// A fresh log in gv.DB and a recording printer for the reports' layout tests.

#include "platform/printer/RecordingPrinter.h"
#include "tests/shell/core/ShellLogTest.h"

#include <vector>

namespace kvl::test {

class ReportTest : public ShellLogTest {
protected:
    void SetUp() override
    {
        ShellLogTest::SetUp();
        gv.DiverName = "Ann Diver";
        gv.PrintFontName = "Arial";
    }

    // The recorded texts equal to text, in drawing order.
    std::vector<RecordedText> All(const QString& text) const
    {
        std::vector<RecordedText> found;
        for (const RecordedText& t : printer.texts)
            if (t.text == text)
                found.push_back(t);
        return found;
    }

    RecordingPrinter printer;
};

// Fixed metrics of the recording printer.
inline double CharWidth(double points) { return points / 128.0; }
inline double LineHeight(double points) { return points / 64.0; }

} // namespace kvl::test
