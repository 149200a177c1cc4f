#pragma once
// The check list: keyed items (check, option, drop-down, text and group lines, see
// CheckItem.h) shown as lines with a caption and, for drop-down and text items, a
// value box. Items added under another item show as its indented child lines.
//   - a check item's tick is the line's check state (Qt::CheckStateRole), so that a
//     screen reader reads it; a click on its tick box, Space on its line or ClickItem
//     ticks or unticks it and raises ItemClick with the item before returning. A
//     click on its caption only selects the line: looking at an item never ticks it;
//   - an option item is chosen by a click anywhere on its line (or Space, or
//     ClickItem), which raises ItemClick too;
//   - a disabled item ignores clicks and keys, and its line reports it disabled;
//   - picking a drop-down entry or typing into a text item writes the item's value
//     and raises ItemChange;
//   - opening a drop-down item asks the drop-down handler for a window to show under
//     it (the calendar); when it gives none, the item's entries drop down;
//   - mouse buttons and moves over the list raise MouseDown, MouseMove and MouseUp
//     with the button and the position in the list's viewport;
//   - a right click, the Menu key or Shift+F10 raises ContextMenu with the place for
//     a popup menu in the viewport: the pointer, or for the keys the focused line
//     (or a place outside every line when there is none). The line at that place
//     is then the only selected one (none is, outside every line). The list takes no
//     mouse release for it, so a menu that takes the release leaves the list sound;
//   - the arrow keys walk the lines, those with a value box too, and leave the focus
//     in the list; a key that moves the current line (the arrows, Home, End, the page
//     keys, typing a caption) raises KeyMove with the new line's item;
//   - a screen reader names a value box by its line's caption after the caption of
//     the line it hangs under ("Max Depth (M) from"), and reads a check item's line
//     as a check box.
// Setting an item's value or state in code raises no event.

#include "platform/widgets/CheckItem.h"

#include <QIcon>
#include <QPoint>
#include <QTreeWidget>

#include <functional>
#include <map>
#include <unordered_map>

class QComboBox;
class QLineEdit;

namespace kvl {

class CheckList : public QTreeWidget, public CheckItemHost {
    Q_OBJECT
public:
    // The window to drop down under the item with this key, or nullptr for none.
    using DropDownHandler = std::function<QWidget*(const QString& key)>;

    explicit CheckList(QWidget* parent = nullptr);
    ~CheckList() override;

    // Adds an item at the end of the list, or as the last child line of `parent`.
    CheckItem& AddItem(CheckItemKind kind, const QString& key, const QString& caption, CheckItem* parent = nullptr);
    CheckItem& AddGroupLine(const QString& caption = {});
    // Removes the item with the key and its child lines (nothing for an unknown key).
    void RemoveItem(const QString& key);
    // Removes every item.
    void ClearItems();

    CheckItem& Items(const QString& key) const { return items_[key]; }
    bool HasItem(const QString& key) const { return items_.Has(key); }
    // Every item in the order it was added, group lines and child lines included.
    const std::vector<std::unique_ptr<CheckItem>>& AllItems() const { return items_.All(); }
    // The item on the line at this viewport position, or nullptr.
    CheckItem* ItemAt(const QPoint& pos) const;

    void SetDropDownHandler(DropDownHandler handler) { dropDown_ = std::move(handler); }
    // Opens a drop-down item as the user's click on its arrow does.
    void DropDown(const QString& key);
    // Makes the item's line the current and only selected one (raises no event).
    void SetCurrentItem(const QString& key);
    // The user's click on a check item's tick box, or on an option item's line.
    void ClickItem(const QString& key);
    // The user's pick of a drop-down item's entry (by position).
    void ChooseEntry(const QString& key, int index);
    // The user's typing into a text item.
    void TypeText(const QString& key, const QString& text);

    // The value box of a drop-down or text item (for tests that act as the user does).
    QComboBox* DropDownBox(const QString& key) const;
    QLineEdit* TextBox(const QString& key) const;
    // Where a check item's tick box lies in the viewport; empty for other items.
    QRect TickBoxRect(const QString& key) const;

    void ItemChanged(CheckItem& item, Change change) override;
    void OptionChosen(CheckItem& item) override;

signals:
    void ItemClick(kvl::CheckItem* item);
    void ItemChange(kvl::CheckItem* item);
    void MouseDown(Qt::MouseButton button, const QPoint& pos);
    void MouseMove(Qt::MouseButtons buttons, const QPoint& pos);
    void MouseUp(Qt::MouseButton button, const QPoint& pos);
    void ContextMenu(const QPoint& pos);
    void KeyMove(kvl::CheckItem* item);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    // A value box taking the focus makes its line current, on the caption: the view
    // would make the box's own cell current, and the arrow keys, moving along that
    // column, would then stop in the next line's box.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Line {
        QTreeWidgetItem* row = nullptr;
        QComboBox* box = nullptr;      // drop-down items
        QLineEdit* edit = nullptr;     // text items
        QWidget* ValueWidget() const;  // either of them, or nullptr
    };
    CheckItem* ItemOf(const QTreeWidgetItem* row) const;
    const Line* LineOf(const QString& key) const;
    void Redraw(const CheckItem& item, const Line& line);
    void NameValueBox(const CheckItem& item, const Line& line);
    void FillEntries(const CheckItem& item, const Line& line);
    void FitValueColumn(const Line& added);
    void RowClicked(QTreeWidgetItem* row, int column);
    void RowChanged(QTreeWidgetItem* row, int column);
    void SelectionMoved();
    const QIcon& OptionIndicator(bool chosen, bool enabled);

    CheckItems items_{*this};
    std::map<std::pair<bool, bool>, QIcon> indicators_;   // options' circles, drawn once per style
    std::unordered_map<const CheckItem*, Line> lines_;
    DropDownHandler dropDown_;
    int valueWidth_ = 0;     // the widest value box's width
    bool syncing_ = false;   // the list itself is writing widget state
};

} // namespace kvl
