// The side bar and the tool bar: items found by key, their state, and the events
// raised by the user's clicks and by setting the selected flag.
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "tests/support/KvlTest.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QKeyEvent>
#include <QMouseEvent>

namespace kvl {
namespace {

class BarsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        toolBar.AddButton("Exit", QIcon(), "Exit");
        toolBar.AddSeparator();
        toolBar.AddDropDownMenu("Units", QIcon(), QString(), "Units of Measurement");
        toolBar.AddOptionEntry("Imperial", "Imperial");
        toolBar.AddOptionEntry("Metric", "Metric");
        toolBar.AddDropDownMenu("Help", QIcon(), QString(), "Help");
        toolBar.AddMenuEntry("About", "About", "About the program");
        toolBar.AddDropDownWindow("LTD", "Dives Listing:");
        sideBar.AddPicture("Logo", QPixmap(10, 10));
        sideBar.AddGroup("Configuration");
        sideBar.AddItem("Personal", "Personal");
        sideBar.AddItem("DiveComputer", "Radarar Edeze", "The dive computer");
    }

    struct Application {
        Application() { test::EnsureApplication(); }
    } application;  // before the widgets
    SmartToolBar toolBar;
    SmartSideBar sideBar;
    QStringList toolClicks;
    QStringList sideClicks;
    QStringList textChanges;

    void Record()
    {
        QObject::connect(&toolBar, &SmartToolBar::ItemClick, [this](const QString& key) { toolClicks << key; });
        QObject::connect(&sideBar, &SmartSideBar::ItemClick, [this](const QString& key) { sideClicks << key; });
        QObject::connect(&toolBar, &SmartToolBar::ItemTextChange,
                         [this](const QString& key, const QString& text) { textChanges << key + "=" + text; });
    }
};

TEST_F(BarsTest, SelectingAnItemRaisesItsClickBeforeTheSetterReturns)
{
    QStringList clicked;
    bool selectedDuringClick = false;
    QObject::connect(&toolBar, &SmartToolBar::ItemClick, [&](const QString& key) {
        clicked << key;
        selectedDuringClick = toolBar.Items(key).Selected();
    });
    toolBar.Items("Exit").SetSelected(true);
    EXPECT_EQ(clicked, QStringList{"Exit"});
    EXPECT_TRUE(selectedDuringClick);

    toolBar.Items("Exit").SetSelected(false);
    toolBar.Items("About").SetSelected(true);
    toolBar.Items("About").SetSelected(true);  // every selection clicks
    EXPECT_EQ(clicked, (QStringList{"Exit", "About", "About"}));
}

TEST_F(BarsTest, UserClicksRaiseTheClickWithTheKey)
{
    Record();
    toolBar.Action("Exit")->trigger();
    toolBar.Action("About")->trigger();
    sideBar.Button("DiveComputer")->click();

    EXPECT_EQ(toolClicks, (QStringList{"Exit", "About"}));
    EXPECT_EQ(sideClicks, QStringList{"DiveComputer"});
    EXPECT_TRUE(sideBar.Items("DiveComputer").Selected());
    EXPECT_TRUE(sideBar.Button("DiveComputer")->isChecked());
}

TEST_F(BarsTest, DeselectingAnItemRaisesNothingAndClearsItsLook)
{
    Record();
    sideBar.Items("Personal").SetSelected(true);
    sideBar.Items("Personal").SetSelected(false);
    EXPECT_EQ(sideClicks, QStringList{"Personal"});
    EXPECT_FALSE(sideBar.Button("Personal")->isChecked());
}

TEST_F(BarsTest, AClickOnTheLogoRaisesItsClick)
{
    Record();
    QWidget* logo = sideBar.Widget("Logo");
    ASSERT_NE(logo, nullptr);
    const QPointF inside(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, inside, logo->mapToGlobal(inside), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, inside, logo->mapToGlobal(inside), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(logo, &press);
    QCoreApplication::sendEvent(logo, &release);
    EXPECT_EQ(sideClicks, QStringList{"Logo"});
}

TEST_F(BarsTest, MarkingAnItemChangesItsLookOnly)
{
    Record();
    sideBar.Items("Personal").MarkSelected(true);
    EXPECT_TRUE(sideBar.Button("Personal")->isChecked());
    sideBar.Items("Personal").MarkSelected(false);
    EXPECT_FALSE(sideBar.Button("Personal")->isChecked());
    EXPECT_TRUE(sideClicks.isEmpty());
}

TEST_F(BarsTest, ChoosingAnOptionChecksItAndReportsItsText)
{
    Record();
    toolBar.Action("Metric")->trigger();
    toolBar.Action("Metric")->trigger();  // choosing it again keeps it checked
    EXPECT_EQ(textChanges, (QStringList{"Metric=Metric", "Metric=Metric"}));
    EXPECT_TRUE(toolClicks.isEmpty());
    EXPECT_TRUE(toolBar.Items("Metric").Checked());
    EXPECT_TRUE(toolBar.Action("Metric")->isChecked());
    EXPECT_FALSE(toolBar.Items("Imperial").Checked());

    toolBar.Items("Metric").SetChecked(false);
    EXPECT_FALSE(toolBar.Action("Metric")->isChecked());
}

TEST_F(BarsTest, VisibilityIsAWholeNumberThatShowsAndHidesTheItem)
{
    BarItem& exit = toolBar.Items("Exit");
    EXPECT_EQ(exit.Visible(), 1);
    exit.SetVisible(0);
    EXPECT_EQ(exit.Visible(), 0);
    EXPECT_FALSE(toolBar.Action("Exit")->isVisible());
    exit.SetVisible(5);
    EXPECT_EQ(exit.Visible(), 1);
    EXPECT_TRUE(toolBar.Action("Exit")->isVisible());

    toolBar.Items("Units").SetVisible(0);
    EXPECT_FALSE(toolBar.Action("Units")->isVisible());
    sideBar.Items("DiveComputer").SetVisible(0);
    sideBar.show();
    EXPECT_FALSE(sideBar.Button("DiveComputer")->isVisible());
    EXPECT_TRUE(sideBar.Button("Personal")->isVisible());
}

TEST_F(BarsTest, EnabledFlagReachesTheWidget)
{
    toolBar.Items("Exit").SetEnabled(false);
    EXPECT_FALSE(toolBar.Action("Exit")->isEnabled());
    sideBar.Items("Personal").SetEnabled(false);
    EXPECT_FALSE(sideBar.Button("Personal")->isEnabled());
}

TEST_F(BarsTest, DropDownWindowComesFromTheHostAndShowsTheItemText)
{
    QStringList asked;
    QWidget listing;
    toolBar.SetDropDownHandler([&](const QString& key) -> QWidget* {
        asked << key;
        return key == "LTD" ? &listing : nullptr;
    });
    toolBar.Items("LTD").SetText("#12 05/21/2009 03:30 PM");
    toolBar.DropDown("LTD");
    EXPECT_EQ(asked, QStringList{"LTD"});
    EXPECT_TRUE(listing.isVisible());
    EXPECT_TRUE(listing.windowFlags().testFlag(Qt::Popup));
    EXPECT_EQ(toolBar.Items("LTD").Text(), "#12 05/21/2009 03:30 PM");
}

TEST_F(BarsTest, ATextEntryKeepsWhatIsTypedInItsItemAndShowsWhatCodeSets)
{
    Record();
    toolBar.AddTextEntry("Leg", "Leg #:", "Enter navigation leg number");
    auto* edit = toolBar.findChild<QLineEdit*>("Leg");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->toolTip(), "Enter navigation leg number");
    for (const char key : {'1', '2'}) {   // typed, as the user does
        QKeyEvent press(QEvent::KeyPress, Qt::Key_0 + (key - '0'), Qt::NoModifier, QString(QChar(key)));
        QCoreApplication::sendEvent(edit, &press);
    }
    EXPECT_EQ(toolBar.Items("Leg").Text(), "12");
    toolBar.Items("Leg").SetText(QString());
    EXPECT_EQ(edit->text(), "");
    EXPECT_TRUE(toolClicks.isEmpty());
}

TEST_F(BarsTest, IconButtonsAreNamedByTheirToolTipsForScreenReaders)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Exit", "Exit"}, {"Units", "Units of Measurement"}, {"Help", "Help"}};
    for (const auto& [key, name] : cases) {
        QAccessibleInterface* button = QAccessible::queryAccessibleInterface(toolBar.widgetForAction(toolBar.Action(key)));
        ASSERT_NE(button, nullptr) << key;
        EXPECT_EQ(button->text(QAccessible::Name), name) << key;
    }
}

TEST_F(BarsTest, AnAccessiblePressOnASideBarItemSelectsItAsAClickDoes)
{
    // Assistive tools offer "press", and "toggle" for a button that stays down.
    Record();
    for (const QString& action : {QAccessibleActionInterface::pressAction(), QAccessibleActionInterface::toggleAction()}) {
        SCOPED_TRACE(qPrintable(action));
        sideClicks.clear();
        sideBar.Items("DiveComputer").MarkSelected(false);
        QAccessibleInterface* item = QAccessible::queryAccessibleInterface(sideBar.Button("DiveComputer"));
        ASSERT_NE(item, nullptr);
        ASSERT_NE(item->actionInterface(), nullptr);
        EXPECT_EQ(item->text(QAccessible::Name), "Radarar Edeze");
        EXPECT_TRUE(item->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        item->actionInterface()->doAction(action);
        EXPECT_EQ(sideClicks, QStringList{"DiveComputer"});
        EXPECT_TRUE(sideBar.Items("DiveComputer").Selected());
        EXPECT_TRUE(item->state().checked);
    }
}

TEST_F(BarsTest, ItemsAreFoundByKeyOnly)
{
    EXPECT_TRUE(toolBar.HasItem("Imperial"));
    EXPECT_FALSE(toolBar.HasItem("imperial"));
    EXPECT_FALSE(sideBar.HasItem(""));  // group headers have no key
    EXPECT_THROW(toolBar.Items("Nothing"), std::out_of_range);
    EXPECT_EQ(toolBar.Items("About").ToolTipText(), "About the program");
    EXPECT_EQ(sideBar.Items("DiveComputer").Text(), "Radarar Edeze");
    EXPECT_EQ(sideBar.Button("DiveComputer")->toolTip(), "The dive computer");
}

} // namespace
} // namespace kvl
