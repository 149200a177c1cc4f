#pragma once
// A pick-only list: the user chooses an entry and never types. Unlike DataCombo it
// reports every change of the selection, whether code or the user made it, because
// the site and gear forms are written against that:
//   - Click fires whenever the selected entry changes (code or user, -1 included);
//   - UserPicked fires after Click when the change was the user's pick;
//   - GotFocus, LostFocus, KeyDown and KeyUp as the other boxes report them.
// A sorted list keeps its entries in alphabetical order without regard to case;
// finding and selecting by text ignores case too.
//
//   PickList list(PickList::Sorted);
//   list.AddItem("Zodiac"); list.AddItem("apex");   // apex, Zodiac
//   list.SelectText("ZODIAC");                       // Click fires
//   list.Pick(0);                                    // Click, then UserPicked

#include <QComboBox>
#include <QString>
#include <QStringList>

namespace kvl {

class PickList : public QComboBox {
    Q_OBJECT
public:
    enum Order { AsAdded, Sorted };
    explicit PickList(Order order = AsAdded, QWidget* parent = nullptr);

    void Clear();
    // Adds an entry (a sorted list puts it in its place) and returns its position.
    int AddItem(const QString& text);
    void RemoveItem(int index);
    // Replaces every entry at once; a sorted list sorts them. The selection is cleared.
    void SetItems(QStringList texts);
    int ListCount() const { return count(); }
    QString List(int index) const { return itemText(index); }
    QStringList Entries() const;

    // The selected position, -1 when none.
    int ListIndex() const { return currentIndex(); }
    void SetListIndex(int index);
    // The selected entry's text, "" when none.
    QString Text() const { return currentIndex() < 0 ? QString() : currentText(); }
    // The position of the entry equal to text without regard to case, -1 when none.
    int FindText(const QString& text) const;
    // Selects the entry equal to text without regard to case; false (selection left
    // as it was) when there is none.
    bool SelectText(const QString& text);

    // What a user's pick of the entry at index does: it is selected, Click fires if the
    // selection moved, then UserPicked.
    void Pick(int index);

signals:
    void Click();
    void UserPicked();
    void GotFocus();
    void LostFocus();
    void KeyDown(int key);
    void KeyUp(int key);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    Order order_;
};

} // namespace kvl
