#pragma once
// Edit boxes, combo boxes and check boxes that report the events the forms are
// written against: GotFocus, LostFocus, KeyDown, DropDown, MouseUp. A box can be
// locked against typing while it still takes the focus.

#include "platform/text/MemoText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace kvl {

// The decimal marks a number box takes: the ones its value's reader understands.
enum class DecimalMark { None, Point, PointOrComma };

// Whether the box keeps every character of `text` dropped at cursor position `at`.
using KeepsDrop = std::function<bool(int at, const QString& text)>;

// From now on the box turns away a drop of text it would not keep whole, so that a drag
// that moves text leaves it where it came from.
void TurnAwayDropsNotKept(QLineEdit& box, KeepsDrop keeps);
// The same for a drop the box's validator would refuse.
void TurnAwayDropsItsValidatorRefuses(QLineEdit& box);

// Whether the box's check, made when the box is left, keeps `text` as the box's value.
// Asked without a word to the user.
using KeepsValue = std::function<bool(const QString& text)>;

// From now on only what can be part of a number can be typed or pasted into the box:
// digits, one decimal mark of `marks`, and a leading minus when `negative`. Text set
// by the program is shown as it is. Called again, the box takes the new rule.
void AcceptNumbersOnly(QLineEdit& box, DecimalMark marks, bool negative);

class EditBox : public QLineEdit {
    Q_OBJECT
public:
    explicit EditBox(QWidget* parent = nullptr);
    bool Locked() const { return isReadOnly(); }
    void SetLocked(bool locked) { setReadOnly(locked); }
    void SelectAll();
    void AcceptNumbersOnly(DecimalMark marks, bool negative) { kvl::AcceptNumbersOnly(*this, marks, negative); }
    // From now on the box turns away a drop that makes a value `keeps` refuses (a number
    // out of range): the check would put the old value back when the box is left, and
    // the dropped text, moved out of where it came from, would be nowhere.
    void TurnAwayDropsItsCheckRefuses(KeepsValue keeps);
    // The text the box shows once `text` is dropped at cursor position `at`, as the box
    // puts a drop in; nullopt when the box would not keep all of it.
    virtual std::optional<QString> TextAfterDrop(int at, const QString& text) const;

signals:
    void GotFocus();
    void LostFocus();
    // After the key has taken effect on the text.
    void KeyDown(int key);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

class ListBox : public QComboBox {
    Q_OBJECT
public:
    // editable: the box's text can be typed (the AM/PM boxes); otherwise a plain list.
    explicit ListBox(bool editable = false, QWidget* parent = nullptr);
    // The selected position, -1 when none.
    int ListIndex() const { return currentIndex(); }
    void SetListIndex(int index);
    QString Text() const { return currentText(); }
    void SetText(const QString& text);
    void showPopup() override;

signals:
    void DropDown();
    void LostFocus();
    void Change();     // the user changed the text or the choice

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
};

class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit CheckBox(const QString& caption = {}, QWidget* parent = nullptr);
    int Value() const { return isChecked() ? 1 : 0; }
    void SetValue(int value);
    // What a user's click does: the box toggles, then MouseUp fires.
    void Click();

signals:
    void MouseUp();
    void LostFocus();

protected:
    void focusOutEvent(QFocusEvent* event) override;
};

// A box of plain text of any length, that keeps the text character for character:
// unedited it is given back as set ("\r\n", "\r", no-break spaces and all), and an edit
// changes only what the user touched; a line break the user types or pastes is "\r\n".
// The box lays a paragraph out whole, seconds for a paragraph of megabytes, so a long
// memo's long paragraphs are shown broken into pieces of some thousand characters at
// spaces: then only what is on screen is laid out. Before the first change by any
// road (a key that edits, a paste or drop, the context menu, an input method, a drag
// of the selection) the box takes the memo back whole, so the user edits, undoes and
// copies the memo itself.
class MemoBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit MemoBox(QWidget* parent = nullptr);
    // The memo as set or as edited since, every character kept.
    QString Text() const { return memo_.Text(); }
    void SetText(const QString& text);
    // True while long paragraphs are shown in pieces.
    bool ShownInPieces() const { return memo_.InPieces(); }

signals:
    void KeyDown(int key);
    void LostFocus();
    // The user changed the memo, by any road: keys, paste, cut, drop, undo, an input
    // method. Text set by the program does not count.
    void Edited();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;

private:
    void Show(const QString& shown);
    void TakeTheMemoWhole();
    void DocumentChanged(int at, int removed, int added);

    MemoText memo_;
    bool settingText_ = false;
    bool commandAdded_ = false;   // the document's undo history gained a step since its last change
};

// A small floating row of buttons found by key; ItemClick reports the key clicked.
// The buttons take the focus by Tab only (a click leaves it where it was) and are
// pressed by Enter as by Space.
class ButtonPopup : public QFrame {
    Q_OBJECT
public:
    explicit ButtonPopup(QWidget* parent = nullptr);
    // Adds a button with its key, caption and tool tip.
    void AddItem(const QString& key, const QString& caption, const QString& toolTip);
    QStringList Keys() const;
    // The caption of the button with the key ("" for an unknown key).
    QString ItemCaption(const QString& key) const;
    void SetItemCaption(const QString& key, const QString& caption);
    void ClickItem(const QString& key);
    // The buttons now act on `list`: Tab goes from the list to them, then on to what
    // followed the list, and each is named by its key and the list ("Add dive site").
    void Serve(QWidget& list, const QString& listName);

signals:
    void ItemClick(const QString& key);
    // The focus left the buttons for another box (not for a dialog or a pop-up list).
    void FocusLeft();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// A list turned by the mouse wheel meant to scroll the form would change a value
// unseen, even a list the user has just picked from and that keeps the focus: a list
// takes the focus only by click or Tab, and a closed list hands every wheel turn on to
// the form behind (an open list's pop-up scrolls as usual; the arrow keys still turn
// a focused list).
void TakeFocusByClickOnly(QComboBox& box);
void LeaveWheelAlone(QWheelEvent* event);

// Tab goes through the boxes in this order, each box with its own parts.
void ChainTabOrder(const std::vector<QWidget*>& stops);

// Return, keypad Enter or Space with no other modifier: the keys that press what has the
// focus as a click would.
bool PressesLikeAClick(const QKeyEvent& key);

// Commits the edit of whatever box has the focus, by taking the focus away so that
// its lost-focus handler runs. Every command entry point calls it first: a click on a
// tool-bar or side-bar item does not take the focus.
void CommitFocusedEdit();

} // namespace kvl
