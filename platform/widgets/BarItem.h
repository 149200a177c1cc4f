#pragma once
// The items of the skinned bars (side bar and tool bar): each is found by its key
// and carries a text, a visibility (0 hidden, 1 shown), an enabled flag, a selected
// flag and, for option entries, a checked state. Setting the selected flag to true
// raises the bar's item-click for the item at once, before the setter returns.

#include <QString>

#include <map>
#include <memory>
#include <vector>

namespace kvl {

enum class BarItemKind {
    Button,          // a tool-bar button, or a side-bar entry
    Picture,         // the side bar's logo
    GroupHeader,     // a side-bar group caption (no key)
    Separator,       // a tool-bar gap (no key)
    DropDownMenu,    // a tool-bar button that opens a list of entries
    MenuEntry,       // an entry of a drop-down menu
    OptionEntry,     // an entry of a drop-down menu with a checked state
    DropDownWindow,  // a tool-bar field that drops down a window supplied by the host
    TextField,       // a tool-bar field that shows its text only
    TextEntry,       // a tool-bar field the user types into, its caption before it
};

class BarItem;

// What a bar does when one of its items changes or is selected.
class BarItemHost {
public:
    virtual ~BarItemHost() = default;
    virtual void ItemChanged(BarItem& item) = 0;
    virtual void ItemSelected(BarItem& item) = 0;
};

class BarItem {
public:
    BarItem(BarItemHost& host, BarItemKind kind, QString key, QString text, QString toolTip);

    BarItemKind Kind() const { return kind_; }
    const QString& Key() const { return key_; }
    const QString& ToolTipText() const { return toolTip_; }

    const QString& Text() const { return text_; }
    void SetText(const QString& text);
    int Visible() const { return visible_; }
    void SetVisible(int visible);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Selected() const { return selected_; }
    // True raises the item-click synchronously (every time); false raises nothing.
    void SetSelected(bool selected);
    // Changes only the selected look, raising nothing: the bar's owner marks the item
    // of what is already on screen.
    void MarkSelected(bool selected);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);

private:
    // Stores a new state and tells the host, which redraws the item; no-op when unchanged.
    template <typename T>
    void Change(T& state, T value);

    BarItemHost& host_;
    BarItemKind kind_;
    QString key_;
    QString text_;
    QString toolTip_;
    int visible_ = 1;
    bool enabled_ = true;
    bool selected_ = false;
    bool checked_ = false;
};

// The items of one bar in their order, found by key (matched exactly).
class BarItems {
public:
    explicit BarItems(BarItemHost& host) : host_(host) {}

    BarItem& Add(BarItemKind kind, const QString& key, const QString& text = {}, const QString& toolTip = {});
    bool Has(const QString& key) const { return byKey_.count(key) != 0; }
    // The item with the key; a key the bar does not hold is a programming error and throws.
    BarItem& operator[](const QString& key) const;
    const std::vector<std::unique_ptr<BarItem>>& All() const { return items_; }

private:
    BarItemHost& host_;
    std::vector<std::unique_ptr<BarItem>> items_;
    std::map<QString, BarItem*> byKey_;
};

} // namespace kvl
