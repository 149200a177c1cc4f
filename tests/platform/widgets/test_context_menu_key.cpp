// Shift+F10 opens the focused widget's context menu, as the Menu key does; a check
// list raises its context menu at the pointer, or for the keys at the focused line,
// and that line alone is selected.
#include "platform/widgets/CheckList.h"
#include "platform/widgets/ContextMenuKey.h"
#include "tests/support/KeyPresses.h"
#include "tests/support/KvlTest.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <memory>

namespace kvl::test {
namespace {

class ContextMenuKeyTest : public KvlTest {
protected:
    void SetUp() override
    {
        KvlTest::SetUp();
        InstallContextMenuKey();
        InstallContextMenuKey();   // a second start-up installs nothing more
        window = std::make_unique<QWidget>();   // the application is made by the set-up
        box = new QLineEdit(window.get());
        memo = new QPlainTextEdit(window.get());
        list = new CheckList(window.get());
        auto* layout = new QVBoxLayout(window.get());
        for (QWidget* w : std::initializer_list<QWidget*>{box, memo, list})
            layout->addWidget(w);
        for (const char* name : {"Ann", "Bo", "Cy"})
            list->AddItem(CheckItemKind::Check, name, name);
        QObject::connect(list, &CheckList::ContextMenu, list, [this](const QPoint& pos) { menus << pos; });
        window->resize(300, 400);
        ASSERT_TRUE(ShowActive(*window));
    }
    void TearDown() override
    {
        CloseMenu();
        window.reset();
        KvlTest::TearDown();
    }
    static QMenu* OpenMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }
    static void CloseMenu()
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        QApplication::processEvents();
    }

    std::unique_ptr<QWidget> window;
    QLineEdit* box = nullptr;
    QPlainTextEdit* memo = nullptr;
    CheckList* list = nullptr;
    QList<QPoint> menus;   // where the list's context menu was asked for
};

TEST_F(ContextMenuKeyTest, ShiftF10OpensTheFocusedBoxsOwnMenu)
{
    for (QWidget* target : std::initializer_list<QWidget*>{box, memo}) {
        SCOPED_TRACE(target->metaObject()->className());
        target->setFocus();
        ASSERT_EQ(Focused(), target);
        PressKey(Qt::Key_F10, Qt::ShiftModifier);
        ASSERT_NE(OpenMenu(), nullptr);
        EXPECT_FALSE(OpenMenu()->actions().isEmpty());
        CloseMenu();
    }
}

TEST_F(ContextMenuKeyTest, F10AloneOrWithAnotherModifierOpensNothing)
{
    box->setFocus();
    for (Qt::KeyboardModifiers modifiers : {Qt::KeyboardModifiers(Qt::NoModifier), Qt::ControlModifier | Qt::ShiftModifier,
                                            Qt::KeyboardModifiers(Qt::AltModifier)}) {
        PressKey(Qt::Key_F10, modifiers);
        EXPECT_EQ(OpenMenu(), nullptr);
        CloseMenu();
    }
}

TEST_F(ContextMenuKeyTest, TheListsMenuOpensAtTheFocusedLineByKeysAndAtThePointerByMouse)
{
    list->setFocus();
    ASSERT_EQ(Focused(), list);
    list->setCurrentItem(nullptr);
    PressKey(Qt::Key_F10, Qt::ShiftModifier);   // no line has the focus
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(list->ItemAt(menus.back()), nullptr);

    PressKey(Qt::Key_Home);
    PressKey(Qt::Key_Down);
    ASSERT_EQ(list->currentItem(), list->topLevelItem(1));
    PressKey(Qt::Key_F10, Qt::ShiftModifier);
    PressMenuKey();
    ASSERT_EQ(menus.size(), 3);
    for (const QPoint& at : {menus[1], menus[2]})
        EXPECT_EQ(list->ItemAt(at), &list->Items("Bo"));

    const QPoint onCy = list->visualItemRect(list->topLevelItem(2)).center() + QPoint(3, 1);
    QContextMenuEvent click(QContextMenuEvent::Mouse, onCy, list->viewport()->mapToGlobal(onCy));
    QApplication::sendEvent(list->viewport(), &click);
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(menus.back(), onCy);
    for (const char* name : {"Ann", "Bo", "Cy"})
        EXPECT_EQ(list->Items(name).Selected(), QLatin1String(name) == "Cy") << name << ": the menu's line alone";
}

} // namespace
} // namespace kvl::test
