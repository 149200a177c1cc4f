#pragma once
// A right-click menu in the vocabulary of the forms: entries found by key, each with
// a caption, an entry type and a value; a top entry's sub-entries are shown as a popup
// at a point of the owning widget, and a click is reported by the entry's key.
//
//   PopupMenu popup(form);
//   AddAddDeleteEntries(popup);                  // "POPUP" with "Add" and "Delete"
//   connect(&popup, &PopupMenu::ItemClick, form, [](const QString& key) { ... });
//   popup.Show(PopupMenu::kPopupKey, pointOnForm);

#include <QMenu>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <vector>


class QWidget;

namespace kvl {

class PopupMenu : public QObject {
    Q_OBJECT
public:
    enum EntryType { TopEntry = 107, SubEntry = 200 };
    static constexpr char kPopupKey[] = "POPUP";

    explicit PopupMenu(QWidget* owner);
    ~PopupMenu() override;

    void RemoveAll();
    // Adds a top entry (no parent) or a sub-entry of the top entry parentKey.
    void Add(const QString& key, const QString& caption, int type, int value = 0, const QString& parentKey = {});
    // Removes the sub-entries of a top entry.
    void RemoveSubEntries(const QString& key);
    QStringList TopKeys() const;
    QStringList SubKeys(const QString& key) const;
    QString Caption(const QString& key) const;
    int Value(const QString& key) const;   // 0 when there is no such entry

    // Opens the sub-entries of a top entry as a popup at a point of the owner and
    // returns at once; the click arrives later as ItemClick.
    void Show(const QString& key, const QPoint& atOwnerPoint);
    // The menu on screen, or nullptr once it has closed.
    QMenu* Shown() const { return shown_; }
    // What a click on an entry does: reports its key.
    void Click(const QString& key);

signals:
    void ItemClick(const QString& key);

private:
    struct Entry {
        QString key;
        QString caption;
        int type = 0;
        int value = 0;
        QString parentKey;
    };
    const Entry* Find(const QString& key) const;

    QWidget* owner_;
    std::vector<Entry> entries_;
    QPointer<QMenu> shown_;
};

// Rebuilds the menu as the add/delete menu of the lists: the top entry "POPUP" with
// the sub-entries "Add" (value 1) and "Delete" (value 2).
void AddAddDeleteEntries(PopupMenu& popup);

} // namespace kvl
