#include "platform/dialogs/qt/QtDialogs.h"
#include "tests/support/KvlTest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace kvl {
namespace {

// Runs `act` on the modal dialog once the backend has shown it.
template <typename Box>
void WhenShown(std::function<void(Box*)> act)
{
    QTimer::singleShot(0, [act] {
        auto* box = qobject_cast<Box*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        act(box);
    });
}

TEST(QtDialogsTest, ShowsTheMessageAndReturnsTheButtonClicked)
{
    test::EnsureApplication();
    const struct {
        MsgButtons buttons;
        QMessageBox::StandardButton click;
        MsgAnswer answer;
    } cases[] = {
        {MsgButtons::OK, QMessageBox::Ok, MsgAnswer::OK},
        {MsgButtons::YesNo, QMessageBox::No, MsgAnswer::No},
        {MsgButtons::YesNoCancel, QMessageBox::Cancel, MsgAnswer::Cancel},
        {MsgButtons::RetryCancel, QMessageBox::Retry, MsgAnswer::Retry},
    };
    QtDialogs qt;
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.buttons));
        QString shown;
        WhenShown<QMessageBox>([&](QMessageBox* box) {
            shown = box->windowTitle() + "|" + box->text();
            EXPECT_EQ(box->icon(), QMessageBox::Critical);
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            box->button(c.click)->click();
        });
        EXPECT_EQ(qt.MsgBox("Invalid data file.", c.buttons, MsgIcon::Critical, "Error", MsgDefault::First,
                            MsgEscape::SafeAnswer),
                  c.answer);
        EXPECT_EQ(shown, "Error|Invalid data file.");
    }
}

TEST(QtDialogsTest, EnterPressesTheFirstButtonOrTheSecondWhenAskedFor)
{
    test::EnsureApplication();
    const struct {
        MsgButtons buttons;
        MsgDefault asked;
        QMessageBox::StandardButton expected;
    } cases[] = {
        {MsgButtons::YesNo, MsgDefault::First, QMessageBox::Yes},
        {MsgButtons::YesNo, MsgDefault::Second, QMessageBox::No},
        {MsgButtons::OKCancel, MsgDefault::Second, QMessageBox::Cancel},
    };
    QtDialogs qt;
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.asked));
        WhenShown<QMessageBox>([&](QMessageBox* box) {
            EXPECT_EQ(static_cast<QAbstractButton*>(box->defaultButton()), box->button(c.expected));
            box->button(c.expected)->click();
        });
        qt.MsgBox("Delete?", c.buttons, MsgIcon::Critical, "Delete", c.asked, MsgEscape::SafeAnswer);
    }
}

// A question whose No throws typed data away has no escape answer: Escape and the
// title bar's close leave it open until a button is chosen.
TEST(QtDialogsTest, EscapeAnswersOnlyABoxThatHasAnEscapeAnswer)
{
    test::EnsureApplication();
    const struct {
        MsgEscape escape;
        bool stillOpen;
        MsgAnswer answer;
    } cases[] = {
        {MsgEscape::SafeAnswer, false, MsgAnswer::No},
        {MsgEscape::None, true, MsgAnswer::Yes},
    };
    QtDialogs qt;
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.escape));
        bool open = false;
        WhenShown<QMessageBox>([&](QMessageBox* box) {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(box->focusWidget() ? box->focusWidget() : box, &escape);
            box->close();
            open = box->isVisible();
            if (open)
                box->button(QMessageBox::Yes)->click();
        });
        EXPECT_EQ(qt.MsgBox("Do you want to save the changes?", MsgButtons::YesNo, MsgIcon::Critical, "Warning",
                            MsgDefault::First, c.escape),
                  c.answer);
        EXPECT_EQ(open, c.stillOpen);
    }
}

TEST(QtDialogsTest, InputBoxGivesTheTextTypedOrEmptyWhenCancelled)
{
    test::EnsureApplication();
    QtDialogs qt;
    WhenShown<QInputDialog>([](QInputDialog* box) {
        EXPECT_EQ(box->textValue(), "Sample");
        box->setTextValue("O'Neil");
        box->accept();
    });
    EXPECT_EQ(qt.InputBox("Diver name:", "New log", "Sample"), "O'Neil");

    WhenShown<QInputDialog>([](QInputDialog* box) { box->reject(); });
    EXPECT_EQ(qt.InputBox("Diver name:", "New log", "Sample"), "");
}

TEST(QtDialogsTest, BoxesAreWideEnoughForTheirTitles)
{
    // A short prompt under a long title: the title sets the width.
    test::EnsureApplication();
    const QFontMetrics titleFont(QApplication::font("QMdiSubWindowTitleBar"));
    const QString titles[] = {"Add new location", "Add new data file", "A title far longer than any prompt under it"};
    QtDialogs qt;
    for (const QString& title : titles) {
        SCOPED_TRACE(qPrintable(title));
        const int needed = titleFont.horizontalAdvance(title) + 100;   // beside the title bar's buttons
        int width = 0;
        WhenShown<QInputDialog>([&](QInputDialog* box) {
            width = box->width();
            box->reject();
        });
        qt.InputBox("Name:", title, "");
        EXPECT_GE(width, needed);

        WhenShown<QMessageBox>([&](QMessageBox* box) {
            width = box->width();
            box->button(QMessageBox::Ok)->click();
        });
        qt.MsgBox("Saved.", MsgButtons::OK, MsgIcon::Information, title, MsgDefault::First, MsgEscape::SafeAnswer);
        EXPECT_GE(width, needed);
    }
}

TEST(QtFileFilterTest, TurnsDescriptionPatternPairsIntoQtFilters)
{
    const std::pair<QString, QString> cases[] = {
        {"Data files|*.dlg", "Data files (*.dlg)"},
        {"Logs|*.dlg|All files|*.*", "Logs (*.dlg);;All files (*.*)"},
        {"Logs and backups|*.dlg;*.bak", "Logs and backups (*.dlg *.bak)"},
        {"ZXU files|*.ZXU", "ZXU files (*.ZXU)"},
        {"", ""},
    };
    for (const auto& [filter, qt] : cases)
        EXPECT_EQ(QtFileFilter(filter), qt) << qPrintable(filter);
}

} // namespace
} // namespace kvl
