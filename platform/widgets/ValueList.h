#pragma once
// The program's check list: items found by key, as the query and settings forms
// keep their criteria and settings and the download window its dive list.
//  - a value item has a caption and a value text; a drop-down item (a date) asks
//    the list's host for its drop-down window when the user clicks its value or
//    presses Enter on it, and the window shows under the item;
//  - a check item has a check box; a child line sits under an item, in a colour;
//  - ticking or unticking a check item, by the user or from code, raises ItemCheck
//    with its key and state before returning.

#include <QColor>
#include <QIcon>
#include <QString>
#include <QStringList>
#include <QTreeWidget>

#include <functional>

namespace kvl {

class ValueList : public QTreeWidget {
    Q_OBJECT
public:
    // The window to drop down under the item with this key, or nullptr for none.
    using DropDownHandler = std::function<QWidget*(const QString& key)>;

    explicit ValueList(QWidget* parent = nullptr);

    void AddItem(const QString& key, const QString& caption, const QString& text = {});
    // An item whose value is picked in a window of the host (the calendar).
    void AddDropDownItem(const QString& key, const QString& caption, const QString& text = {});
    bool HasItem(const QString& key) const;
    // The item's value text; empty for a key the list does not hold.
    QString ItemText(const QString& key) const;
    void SetItemText(const QString& key, const QString& text);

    // A line with a check box, added after the last line.
    void AddCheckItem(const QString& key, const QString& text);
    // A line under the item parentKey, after its other child lines.
    void AddChildLine(const QString& parentKey, const QString& key, const QString& text, const QColor& color);
    void RemoveItem(const QString& key);
    void ClearItems();
    // The text of a check item or child line.
    QString LineText(const QString& key) const;
    void SetLineText(const QString& key, const QString& text);
    void SetLineIcon(const QString& key, const QIcon& icon);
    bool ItemChecked(const QString& key) const;
    void SetItemChecked(const QString& key, bool checked);
    bool ItemEnabled(const QString& key) const;
    void SetItemEnabled(const QString& key, bool enabled);
    QColor ItemColor(const QString& key) const;
    // The keys of every line, child lines included, in the order they are shown.
    QStringList Keys() const;

    void SetDropDownHandler(DropDownHandler handler) { dropDown_ = std::move(handler); }
    // Asks the host for the item's window and shows it under the item, as the
    // user's click on a drop-down item's value does.
    void DropDown(const QString& key);

signals:
    void ItemCheck(const QString& key, bool checked);

private:
    QTreeWidgetItem* Find(const QString& key) const;
    void ItemPicked(QTreeWidgetItem* item, int column);
    void CheckChanged(QTreeWidgetItem* item, int column);

    DropDownHandler dropDown_;
};

} // namespace kvl
