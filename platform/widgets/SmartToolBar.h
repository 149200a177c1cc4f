#pragma once
// The tool bar: keyed buttons, separators, drop-down menus with plain and option
// entries, and drop-down window fields. Every item and entry is found by its key.
//   - a click on a button or a menu entry, by the user or by setting its selected
//     flag, raises ItemClick with the key before returning;
//   - choosing an option entry checks it and raises ItemTextChange with its key and text;
//   - opening a drop-down window field asks the drop-down handler for the window to
//     show under the field (none: nothing drops down).

#include "platform/widgets/BarItem.h"

#include <QIcon>
#include <QToolBar>

#include <functional>
#include <map>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;

namespace kvl {

class SmartToolBar : public QToolBar, public BarItemHost {
    Q_OBJECT
public:
    using DropDownHandler = std::function<QWidget*(const QString& key)>;

    explicit SmartToolBar(QWidget* parent = nullptr);

    BarItem& AddButton(const QString& key, const QIcon& icon, const QString& toolTip);
    void AddSeparator();
    // Entries added next belong to this menu until another menu is added.
    BarItem& AddDropDownMenu(const QString& key, const QIcon& icon, const QString& caption, const QString& toolTip);
    BarItem& AddMenuEntry(const QString& key, const QString& caption, const QString& toolTip = {});
    BarItem& AddOptionEntry(const QString& key, const QString& caption);
    BarItem& AddDropDownWindow(const QString& key, const QString& caption);
    BarItem& AddTextField(const QString& key);
    // A typed text, kept in the item's text as the user types; clicking it raises nothing.
    BarItem& AddTextEntry(const QString& key, const QString& caption, const QString& toolTip);
    // The box of a text entry, to give it a rule for what can be typed; nullptr for another item.
    QLineEdit* TextEntryBox(const QString& key) const;
    // A gap that pushes the items after it to the bar's far end.
    void AddSpacer();

    BarItem& Items(const QString& key) const { return items_[key]; }
    bool HasItem(const QString& key) const { return items_.Has(key); }
    // Every item in its order on the bar, separators and group headers included.
    const std::vector<std::unique_ptr<BarItem>>& AllItems() const { return items_.All(); }
    void SetDropDownHandler(DropDownHandler handler) { dropDown_ = std::move(handler); }

    // What the user clicks: the action of a button, menu or entry; for a drop-down
    // window field, the action that shows it on the bar.
    QAction* Action(const QString& key) const;
    // Opens a drop-down window field as the user's click on its arrow does.
    void DropDown(const QString& key);

    void ItemChanged(BarItem& item) override;
    void ItemSelected(BarItem& item) override;

signals:
    void ItemClick(const QString& key);
    void ItemTextChange(const QString& key, const QString& text);

private:
    struct Field {
        QAction* action = nullptr;          // visibility and enabled state on the bar
        QToolButton* button = nullptr;      // drop-down window fields: shows the item's text
        QLabel* label = nullptr;            // text fields: shows the item's text
        QLineEdit* edit = nullptr;          // text entries: the typed text
    };
    BarItem& AddEntry(BarItemKind kind, const QString& key, const QString& caption, const QString& toolTip);

    BarItems items_{*this};
    std::map<const BarItem*, Field> fields_;
    QMenu* currentMenu_ = nullptr;
    DropDownHandler dropDown_;
};

} // namespace kvl
