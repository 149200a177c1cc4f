// The main window on a small screen: it shrinks well below 1366x768, and a child
// form larger than the child area scrolls, so every field stays in reach.
#include "tests/shell/CommandsTest.h"

#include "shell/MDI_MainFrm.h"

#include <QCoreApplication>
#include <QScrollArea>
#include <QScrollBar>

namespace kvl::test {
namespace {

using WindowFitTest = CommandsTest;

TEST_F(WindowFitTest, TheWindowShrinksToFitASmallScreen)
{
    AddDives(1);
    for (const char* key : {"Personal", "Dive", "Location", "History", "Queries", "DiveComputer"}) {
        Side(key);
        const QSize smallest = Frm().minimumSizeHint().expandedTo(Frm().minimumSize());
        EXPECT_LE(smallest.width(), 1366) << key;
        EXPECT_LE(smallest.height(), 700) << key;
    }
}

TEST_F(WindowFitTest, AFormLargerThanTheChildAreaScrollsOverAllOfIt)
{
    AddDives(1);
    Frm().show();
    for (const char* key : {"Personal", "Dive", "Location", "History", "Queries", "DiveComputer"}) {
        Side(key);
        Frm().resize(400, 300);   // held at the window's smallest size
        QCoreApplication::processEvents();
        const QScrollArea& area = *Frm().ChildArea();
        const QWidget& forms = *area.widget();
        // No field is squeezed below what it needs...
        EXPECT_GE(forms.width(), forms.minimumSizeHint().width()) << key;
        EXPECT_GE(forms.height(), forms.minimumSizeHint().height()) << key;
        // ...and the scroll bars reach every part of the form.
        EXPECT_EQ(area.horizontalScrollBar()->maximum() + area.viewport()->width(), forms.width()) << key;
        EXPECT_EQ(area.verticalScrollBar()->maximum() + area.viewport()->height(), forms.height()) << key;
    }
    Side("Dive");
    EXPECT_GT(Frm().ChildArea()->verticalScrollBar()->maximum(), 0) << "the dive record is taller than the area";
}

} // namespace
} // namespace kvl::test
