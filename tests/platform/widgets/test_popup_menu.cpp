// The keyed popup menu: the add/delete entries, showing them at a point, clicks by key.
#include "platform/widgets/PopupMenu.h"
#include "tests/support/KvlTest.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QWidget>

namespace kvl::test {
namespace {

class PopupMenuTest : public KvlTest {};

TEST_F(PopupMenuTest, AddDeleteEntriesUnderPopup)
{
    QWidget owner;
    PopupMenu popup(&owner);
    popup.Add("Stale", "Stale", PopupMenu::TopEntry);
    AddAddDeleteEntries(popup);
    AddAddDeleteEntries(popup);   // rebuilt before each showing: nothing doubles
    EXPECT_EQ(popup.TopKeys(), QStringList{"POPUP"});
    EXPECT_EQ(popup.SubKeys("POPUP"), (QStringList{"Add", "Delete"}));
    EXPECT_EQ(popup.Caption("Add"), "Add");
    EXPECT_EQ(popup.Value("Add"), 1);
    EXPECT_EQ(popup.Value("Delete"), 2);
    EXPECT_EQ(popup.Value("Missing"), 0);
}

TEST_F(PopupMenuTest, ShownAtThePointAndClickReportedByKey)
{
    QWidget owner;
    owner.resize(300, 200);
    owner.move(40, 50);
    owner.show();
    PopupMenu popup(&owner);
    AddAddDeleteEntries(popup);
    QStringList clicked;
    QObject::connect(&popup, &PopupMenu::ItemClick, [&](const QString& key) { clicked << key; });

    popup.Show(PopupMenu::kPopupKey, QPoint(10, 20));
    QMenu* menu = popup.Shown();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(menu->pos(), owner.mapToGlobal(QPoint(10, 20)));
    ASSERT_EQ(menu->actions().size(), 2);
    EXPECT_EQ(menu->actions().at(0)->text(), "Add");
    EXPECT_EQ(menu->actions().at(1)->text(), "Delete");

    menu->actions().at(1)->trigger();
    EXPECT_TRUE(clicked.isEmpty());   // reported once the menu's own event is over
    QCoreApplication::processEvents();
    EXPECT_EQ(clicked, QStringList{"Delete"});
}

} // namespace
} // namespace kvl::test
