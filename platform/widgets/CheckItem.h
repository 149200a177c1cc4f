#pragma once
// The items of a check list, found by key. Each item has a kind, a caption and a
// value (check and option items hold "1" ticked or chosen and "0" not; drop-down
// and text items hold their text), an enabled, a hidden and a selected state, a
// colour, an optional row id (`Tag`) and, for drop-down items, entries with a key
// and a text. Items may hang under another item as its child lines; a label line
// (a status line) shows its caption only. Changing a
// state tells the list, which redraws the item; nothing here raises the list's
// click event (only the user's click, or CheckList::ClickItem, does).

#include <QColor>
#include <QString>

#include <map>
#include <memory>
#include <vector>

namespace kvl {

enum class CheckItemKind {
    Check,      // value "1" ticked, "0" not
    Option,     // one of its group: choosing it puts the others of the group to "0"
    DropDown,   // the value is the chosen entry's text, or what a host window wrote
    Text,       // the value is the typed text
    GroupLine,  // a caption line between groups of items (no key)
    Label,      // a keyed line of text only (a status line under an item)
};

struct CheckEntry {
    QString key;
    QString text;
};

class CheckItem;

// What a list does when one of its items changes.
class CheckItemHost {
public:
    enum class Change { State, Entries };
    virtual ~CheckItemHost() = default;
    virtual void ItemChanged(CheckItem& item, Change change) = 0;
    // An option was chosen: the others of its group are put to "0".
    virtual void OptionChosen(CheckItem& item) = 0;
};

class CheckItem {
public:
    CheckItem(CheckItemHost& host, CheckItemKind kind, QString key, QString caption, CheckItem* parent);

    CheckItemKind Kind() const { return kind_; }
    const QString& Key() const { return key_; }
    // The item this one hangs under; nullptr for a top line.
    CheckItem* Parent() const { return parent_; }

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    const QString& Value() const { return value_; }
    // Setting "1" on an option chooses it, which puts the other options of its group to "0".
    void SetValue(const QString& value);
    void SetValue(int value) { SetValue(QString::number(value)); }
    // A check or option item's value is "1".
    bool Ticked() const { return value_ == QLatin1String("1"); }
    void SetTicked(bool ticked) { SetValue(ticked ? 1 : 0); }

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Hidden() const { return hidden_; }
    void SetHidden(bool hidden);
    bool Selected() const { return selected_; }
    void SetSelected(bool selected);
    // An invalid colour draws the item in the list's own text colour.
    const QColor& Color() const { return color_; }
    void SetColor(const QColor& color);
    // The option group (options of one group exclude each other).
    const QString& Group() const { return group_; }
    void SetGroup(const QString& group) { group_ = group; }
    // A number the list's owner keeps with the item (a row id).
    qint64 Tag() const { return tag_; }
    void SetTag(qint64 tag) { tag_ = tag; }

    const std::vector<CheckEntry>& Entries() const { return entries_; }
    void ClearEntries();
    void AddEntry(const QString& key, const QString& text);
    // Replaces every entry at once (one redraw for a long list).
    void SetEntries(std::vector<CheckEntry> entries);

private:
    template <typename T>
    void Change(T& state, const T& value);

    CheckItemHost& host_;
    CheckItemKind kind_;
    QString key_;
    QString caption_;
    CheckItem* parent_;
    QString value_;
    bool enabled_ = true;
    bool hidden_ = false;
    bool selected_ = false;
    QColor color_;
    QString group_;
    qint64 tag_ = 0;
    std::vector<CheckEntry> entries_;
};

// The items of one list in the order they were added, found by key (matched exactly).
class CheckItems {
public:
    explicit CheckItems(CheckItemHost& host) : host_(host) {}

    CheckItem& Add(CheckItemKind kind, const QString& key, const QString& caption, CheckItem* parent);
    bool Has(const QString& key) const { return byKey_.count(key) != 0; }
    // The item with the key; a key the list does not hold is a programming error and throws.
    CheckItem& operator[](const QString& key) const;
    // The item with the key, or nullptr.
    CheckItem* Find(const QString& key) const;
    const std::vector<std::unique_ptr<CheckItem>>& All() const { return items_; }
    // Removes the item and its child lines; they are handed back so the list can
    // drop their lines before they are destroyed.
    std::vector<std::unique_ptr<CheckItem>> Remove(const CheckItem& item);
    void Clear();

private:
    CheckItemHost& host_;
    std::vector<std::unique_ptr<CheckItem>> items_;
    std::map<QString, CheckItem*> byKey_;
};

} // namespace kvl
