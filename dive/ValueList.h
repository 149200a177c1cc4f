#pragma once
// A list of captioned values found by key, as the query and settings forms keep
// their criteria and settings. A drop-down item (a date) asks the list's host for
// its drop-down window when the user clicks its value or presses Enter on it; the
// window then shows under the item.

#include <QString>
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

    void SetDropDownHandler(DropDownHandler handler) { dropDown_ = std::move(handler); }
    // Asks the host for the item's window and shows it under the item, as the
    // user's click on a drop-down item's value does.
    void DropDown(const QString& key);

private:
    QTreeWidgetItem* Find(const QString& key) const;
    void ItemPicked(QTreeWidgetItem* item, int column);

    DropDownHandler dropDown_;
};

} // namespace kvl
