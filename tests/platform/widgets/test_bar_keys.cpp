// The bars by keyboard: one Tab stop each, arrows between the items, Space or Enter
// to press, hidden and disabled items skipped.
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "tests/support/KeyPresses.h"
#include "tests/support/KvlTest.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QVBoxLayout>

namespace kvl {
namespace {

class BarKeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Created in their order on screen, which is the order of the Tab chain.
        before = new QLineEdit(&window);
        for (const char* key : {"A", "B", "C", "D"})
            toolBar->AddButton(key, QIcon(), QString("Button ") + key);
        toolBar->AddTextEntry("Leg", "Leg:", "Leg number");   // a stop of its own
        toolBar->Items("B").SetEnabled(false);
        toolBar->Items("C").SetVisible(0);
        sideBar->AddGroup("Dive Log");
        for (const char* key : {"Dive", "Gear", "Buddies"})
            sideBar->AddItem(key, key);
        sideBar->Items("Gear").SetVisible(0);
        after = new QLineEdit(&window);
        auto* layout = new QVBoxLayout(&window);
        for (QWidget* widget : std::initializer_list<QWidget*>{before, toolBar, sideBar, after})
            layout->addWidget(widget);
        ASSERT_TRUE(test::ShowActive(window));
        before->setFocus();
        QObject::connect(toolBar, &SmartToolBar::ItemClick, [this](const QString& key) { toolClicks << key; });
        QObject::connect(sideBar, &SmartSideBar::ItemClick, [this](const QString& key) { sideClicks << key; });
    }

    static QWidget* Focused() { return test::Focused(); }
    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { test::PressKey(key, modifiers); }
    QWidget* ToolButton(const char* key) const { return toolBar->widgetForAction(toolBar->Action(key)); }
    QWidget* SideButton(const char* key) const { return sideBar->Button(key); }

    struct Application {
        Application() { test::EnsureApplication(); }
    } application;  // before the widgets
    QWidget window;
    QLineEdit* before = nullptr;
    SmartToolBar* toolBar = new SmartToolBar(&window);
    SmartSideBar* sideBar = new SmartSideBar(&window);
    QLineEdit* after = nullptr;
    QStringList toolClicks;
    QStringList sideClicks;
};

TEST_F(BarKeysTest, EachBarIsOneTabStopWalkedByTheArrows)
{
    Key(Qt::Key_Tab);
    ASSERT_EQ(Focused(), ToolButton("A"));
    const struct {
        Qt::Key key;
        const char* lands;
    } toolSteps[] = {
        {Qt::Key_Right, "D"}, {Qt::Key_Right, "A"}, {Qt::Key_Left, "D"},   // B disabled, C hidden; both ends wrap
        {Qt::Key_Home, "A"},  {Qt::Key_End, "D"},   {Qt::Key_Up, "A"},
    };
    for (const auto& step : toolSteps) {
        Key(step.key);
        EXPECT_EQ(Focused(), ToolButton(step.lands)) << step.lands;
    }
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focused()->objectName(), "Leg") << "a text entry keeps its own stop";
    Key(Qt::Key_Tab);
    ASSERT_EQ(Focused(), SideButton("Dive"));
    Key(Qt::Key_Down);
    EXPECT_EQ(Focused(), SideButton("Buddies")) << "the hidden Gear is skipped";
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focused(), after);
    // Back in, the bar is entered at the item used last.
    Key(Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(Focused(), SideButton("Buddies"));
}

TEST_F(BarKeysTest, SpaceAndEnterPressTheItem)
{
    ToolButton("D")->setFocus();
    Key(Qt::Key_Return);
    Key(Qt::Key_Space);
    SideButton("Buddies")->setFocus();
    Key(Qt::Key_Enter, Qt::KeypadModifier);
    Key(Qt::Key_Space);
    EXPECT_EQ(toolClicks, QStringList({"D", "D"}));
    EXPECT_EQ(sideClicks, QStringList({"Buddies", "Buddies"}));
    EXPECT_TRUE(sideBar->Items("Buddies").Selected());
}

TEST_F(BarKeysTest, AnItemThatGoesWhileFocusedHandsTheFocusToItsNeighbour)
{
    // Pressing an item may hide or disable it (Save goes with its form); the focus
    // stays on the bar instead of falling into a box of the form.
    ToolButton("A")->setFocus();
    toolBar->Items("A").SetVisible(0);
    EXPECT_EQ(Focused(), ToolButton("D"));
    toolBar->Items("D").SetEnabled(false);
    EXPECT_NE(Focused(), ToolButton("D"));
    SideButton("Dive")->setFocus();
    sideBar->Items("Dive").SetEnabled(false);
    EXPECT_EQ(Focused(), SideButton("Buddies"));
    // Tab still finds each bar, at an item that can be pressed.
    before->setFocus();
    sideBar->Items("Dive").SetEnabled(true);
    toolBar->Items("A").SetVisible(1);
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focused(), ToolButton("A"));
}

} // namespace
} // namespace kvl
