#include "platform/widgets/FieldBoxes.h"

#include "platform/widgets/LineBoxGuards.h"
#include "platform/widgets/ListAccessible.h"

#include <QApplication>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMimeData>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QScopedValueRollback>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>
#include <utility>

namespace kvl {

namespace {
// The focus leaves a box for good, not for a moment while another window or a
// pop-up list is active: only then has the user left the box.
bool LeftTheBox(const QFocusEvent* event)
{
    return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
}

// Turns away a drop the box would not keep: the box would accept the drop and then
// drop the text, and a drag that moved the text would take it from where it came
// from, so the text would be lost.
class DropGuard : public QObject {
public:
    DropGuard(QLineEdit& box, KeepsDrop keeps) : QObject(&box), box_(box), keeps_(std::move(keeps))
    {
        box.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const bool drag = event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove
                          || event->type() == QEvent::Drop;
        if (watched != &box_ || !drag)
            return false;
        auto* drop = static_cast<QDropEvent*>(event);
        if (drop->source() == &box_ || !drop->mimeData()->hasText()
            || keeps_(box_.cursorPositionAt(drop->position().toPoint()), drop->mimeData()->text()))
            return false;
        drop->ignore();
        return true;
    }

private:
    QLineEdit& box_;
    KeepsDrop keeps_;
};

// A number box's rule; a drop is kept when the rule takes the text it makes.
class NumberRule : public QRegularExpressionValidator {
public:
    NumberRule(const QRegularExpression& rule, QLineEdit& box) : QRegularExpressionValidator(rule, &box)
    {
        TurnAwayDropsItsValidatorRefuses(box);
    }
};

} // namespace

void TurnAwayDropsNotKept(QLineEdit& box, KeepsDrop keeps) { new DropGuard(box, std::move(keeps)); }

namespace {
// The box's text once `dropped` is put in at `at`, as the box puts in a drop.
QString InsertedText(const QLineEdit& box, int at, const QString& dropped)
{
    return QString(box.text()).insert(at, dropped);
}
} // namespace

void TurnAwayDropsItsValidatorRefuses(QLineEdit& box)
{
    TurnAwayDropsNotKept(box, [&box](int at, const QString& dropped) {
        QString text = InsertedText(box, at, dropped);
        const QValidator* rule = box.validator();
        return !rule || rule->validate(text, at) != QValidator::Invalid;
    });
}

void AcceptNumbersOnly(QLineEdit& box, DecimalMark marks, bool negative)
{
    QString pattern = negative ? QStringLiteral("-?[0-9]*") : QStringLiteral("[0-9]*");
    if (marks == DecimalMark::Point)
        pattern += QStringLiteral("(\\.[0-9]*)?");
    else if (marks == DecimalMark::PointOrComma)
        pattern += QStringLiteral("([.,][0-9]*)?");
    const QRegularExpression rule(pattern);
    // A box whose rule follows a unit is given it again at each change: one rule serves.
    if (auto* own = dynamic_cast<NumberRule*>(const_cast<QValidator*>(box.validator())))
        own->setRegularExpression(rule);
    else
        box.setValidator(new NumberRule(rule, box));
}

EditBox::EditBox(QWidget* parent) : QLineEdit(parent) { UseLineBoxGuards(); }

void EditBox::TurnAwayDropsItsCheckRefuses(KeepsValue keeps)
{
    TurnAwayDropsNotKept(*this, [this, keeps = std::move(keeps)](int at, const QString& dropped) {
        const std::optional<QString> text = TextAfterDrop(at, dropped);
        return text && keeps(*text);
    });
}

std::optional<QString> EditBox::TextAfterDrop(int at, const QString& text) const
{
    return InsertedText(*this, at, text);
}

void EditBox::SelectAll() { setSelection(0, static_cast<int>(displayText().size())); }

void EditBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    emit GotFocus();
}

void EditBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (LeftTheBox(event))
        emit LostFocus();
}

void EditBox::keyPressEvent(QKeyEvent* event)
{
    QLineEdit::keyPressEvent(event);
    emit KeyDown(event->key());
}

namespace {
// A list with a text box keeps only its entries: it takes a drop only when the text the
// drop makes is one of them, and a drag that moves text elsewhere leaves it there.
void TurnAwayDropsNotAnEntry(QComboBox& list)
{
    TurnAwayDropsNotKept(*list.lineEdit(), [&list](int at, const QString& dropped) {
        QString text = list.lineEdit()->text();
        text.insert(at, dropped);
        return list.findText(text) >= 0;
    });
}
} // namespace

ListBox::ListBox(bool editable, QWidget* parent) : QComboBox(parent)
{
    UseListNames();
    TakeFocusByClickOnly(*this);
    setEditable(editable);
    if (editable) {
        setInsertPolicy(QComboBox::NoInsert);
        TurnAwayDropsNotAnEntry(*this);
        connect(this, &QComboBox::editTextChanged, this, &ListBox::Change);
    } else {
        connect(this, &QComboBox::activated, this, &ListBox::Change);
    }
}

void ListBox::SetListIndex(int index)
{
    {
        const QSignalBlocker quiet(this);
        setCurrentIndex(index >= 0 && index < count() ? index : -1);
    }
    TellEntryChange(*this);
}

void ListBox::SetText(const QString& text)
{
    {
        const QSignalBlocker quiet(this);
        if (isEditable())
            setEditText(text);
        else
            setCurrentIndex(findText(text));
    }
    TellEntryChange(*this);
}

void ListBox::showPopup()
{
    emit DropDown();
    QComboBox::showPopup();
}

void ListBox::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (LeftTheBox(event))
        emit LostFocus();
}

void ListBox::wheelEvent(QWheelEvent* event) { LeaveWheelAlone(event); }

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent)
{
    connect(this, &QCheckBox::clicked, this, &CheckBox::MouseUp);
}

void CheckBox::SetValue(int value)
{
    const QSignalBlocker quiet(this);
    setChecked(value == 1);
}

void CheckBox::Click() { click(); }

void CheckBox::focusOutEvent(QFocusEvent* event)
{
    QCheckBox::focusOutEvent(event);
    if (LeftTheBox(event))
        emit LostFocus();
}

namespace {

// Keys that move the cursor, select, copy or leave the box: none changes the text.
bool LeavesTheTextAlone(const QKeyEvent& event, bool tabLeavesTheBox)
{
    switch (event.key()) {
    case Qt::Key_Tab: case Qt::Key_Backtab:
        return tabLeavesTheBox;
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
    case Qt::Key_Home: case Qt::Key_End: case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Escape:
    case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Alt: case Qt::Key_Meta: case Qt::Key_AltGr:
        return true;
    default:
        return (event.key() >= Qt::Key_F1 && event.key() <= Qt::Key_F35)
               || event.matches(QKeySequence::Copy) || event.matches(QKeySequence::SelectAll);
    }
}

} // namespace

MemoBox::MemoBox(QWidget* parent) : QPlainTextEdit(parent)
{
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (!settingText_)
            emit Edited();
    });
    connect(document(), &QTextDocument::undoCommandAdded, this, [this] { commandAdded_ = true; });
    connect(document(), &QTextDocument::contentsChange, this, &MemoBox::DocumentChanged);
}

void MemoBox::SetText(const QString& text) { Show(memo_.Set(text, true)); }

// The document shows the memo anew; its undo history starts again.
void MemoBox::Show(const QString& shown)
{
    const QScopedValueRollback setting(settingText_, true);
    setPlainText(shown);
    commandAdded_ = false;
}

void MemoBox::DocumentChanged(int at, int removed, int added)
{
    if (settingText_)
        return;
    const QTextDocument& shown = *document();
    const int shownLength = shown.characterCount() - 1;   // the last block's end is no character of the memo
    if (shown.isUndoRedoEnabled()) {
        QTextCursor now(document());
        now.setPosition(std::min(at, shownLength));
        now.setPosition(std::min(at + added, shownLength), QTextCursor::KeepAnchor);
        memo_.DocumentChanged(at, removed, now.selectedText(), {shown.availableUndoSteps(), commandAdded_});
        commandAdded_ = false;
    }
    // The program put text in by the box's own calls (clear()), or the memo lost track
    // of the document: the memo is what the box shows.
    if (!shown.isUndoRedoEnabled() || !memo_.Shows(shownLength))
        memo_.SetShown(shown.toRawText());
}

void MemoBox::TakeTheMemoWhole()
{
    if (!memo_.InPieces())
        return;
    const int anchor = textCursor().anchor();
    const int position = textCursor().position();
    {
        const QSignalBlocker unchanged(this);   // the memo is what it was
        Show(memo_.Set(memo_.Text(), false));
    }
    // Positions are the same in both: a break stood in for its space.
    QTextCursor cursor(document());
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

void MemoBox::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (LeftTheBox(event))
        emit LostFocus();
}

void MemoBox::keyPressEvent(QKeyEvent* event)
{
    if (!LeavesTheTextAlone(*event, tabChangesFocus()))
        TakeTheMemoWhole();
    if (event->matches(QKeySequence::InsertLineSeparator)) {
        // A line break within the paragraph would be kept as such: the memo's line breaks are all one kind.
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QPlainTextEdit::keyPressEvent(&enter);
    } else {
        QPlainTextEdit::keyPressEvent(event);
    }
    emit KeyDown(event->key());
}

void MemoBox::inputMethodEvent(QInputMethodEvent* event)
{
    if (!event->commitString().isEmpty() || !event->preeditString().isEmpty() || event->replacementLength() != 0)
        TakeTheMemoWhole();
    QPlainTextEdit::inputMethodEvent(event);
}

void MemoBox::mousePressEvent(QMouseEvent* event)
{
    if (textCursor().hasSelection())   // the selection may be dragged away
        TakeTheMemoWhole();
    QPlainTextEdit::mousePressEvent(event);
}

// A drag out of the box ends on a release the box never sees, and the box's scrolling
// timer may go on sending moves as if the button were still down: each would start a
// drag of its own, which would take the next click anywhere and drop the selection there.
void MemoBox::mouseMoveEvent(QMouseEvent* event)
{
    if ((event->buttons() & ~QGuiApplication::mouseButtons()) != Qt::NoButton)
        return;
    QPlainTextEdit::mouseMoveEvent(event);
}

void MemoBox::contextMenuEvent(QContextMenuEvent* event)
{
    TakeTheMemoWhole();
    QPlainTextEdit::contextMenuEvent(event);
}

void MemoBox::dragEnterEvent(QDragEnterEvent* event)
{
    TakeTheMemoWhole();   // before the drop finds its place
    QPlainTextEdit::dragEnterEvent(event);
}

void MemoBox::insertFromMimeData(const QMimeData* source)
{
    TakeTheMemoWhole();
    if (!source->text().contains(QChar::LineSeparator)) {
        QPlainTextEdit::insertFromMimeData(source);
        return;
    }
    QMimeData lines;   // a line break within a paragraph is a line break like any other
    lines.setText(QString(source->text()).replace(QChar::LineSeparator, u'\n'));
    QPlainTextEdit::insertFromMimeData(&lines);
}

// The memo's own characters: a break between pieces gives its space, a line break its line end.
QMimeData* MemoBox::createMimeDataFromSelection() const
{
    const QTextCursor selection = textCursor();
    const qsizetype from = memo_.MemoPosition(selection.selectionStart());
    auto* mime = new QMimeData;
    mime->setText(Text().mid(from, memo_.MemoPosition(selection.selectionEnd()) - from));
    return mime;
}

ButtonPopup::ButtonPopup(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setLayout(new QHBoxLayout);
    layout()->setContentsMargins(2, 2, 2, 2);
}

namespace {

// The list a button acts on, once the popup has served one.
constexpr char kServedList[] = "servedList";

QToolButton* NewButton(ButtonPopup& popup, const QString& key, const QString& caption, const QString& toolTip)
{
    auto* button = new QToolButton(&popup);
    button->setObjectName(key);
    button->setText(caption);
    button->setToolTip(toolTip);
    button->setFocusPolicy(Qt::TabFocus);   // a click leaves the focus where it was
    button->installEventFilter(&popup);
    popup.layout()->addWidget(button);
    QObject::connect(button, &QToolButton::clicked, &popup, [&popup, key] { emit popup.ItemClick(key); });
    return button;
}

// The popup's buttons that act on `list`, in the order they were added; with nullptr,
// those that act on no list yet.
std::vector<QToolButton*> ButtonsOf(const ButtonPopup& popup, const QObject* list)
{
    std::vector<QToolButton*> buttons;
    for (QToolButton* button : popup.findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly))
        if (button->property(kServedList).value<QObject*>() == list)
            buttons.push_back(button);
    return buttons;
}

} // namespace

void ButtonPopup::AddItem(const QString& key, const QString& caption, const QString& toolTip)
{
    NewButton(*this, key, caption, toolTip);
    adjustSize();
}

QStringList ButtonPopup::Keys() const
{
    QStringList keys;
    for (const QToolButton* button : findChildren<QToolButton*>())
        keys << button->objectName();
    keys.removeDuplicates();   // each list served has buttons of its own
    return keys;
}

QString ButtonPopup::ItemCaption(const QString& key) const
{
    const auto* button = findChild<QToolButton*>(key, Qt::FindDirectChildrenOnly);
    return button ? button->text() : QString();
}

void ButtonPopup::SetItemCaption(const QString& key, const QString& caption)
{
    for (QToolButton* button : findChildren<QToolButton*>(key, Qt::FindDirectChildrenOnly))
        button->setText(caption);
    adjustSize();
}

void ButtonPopup::ClickItem(const QString& key)
{
    if (Keys().contains(key))
        emit ItemClick(key);
}

namespace {

// The list's name as it reads inside a sentence: "Dive Site" -> "dive site", "GPS" stays.
QString InSentence(const QString& name)
{
    QStringList words = name.split(QLatin1Char(' '));
    for (QString& word : words)
        if (word != word.toUpper())
            word = word.toLower();
    return words.join(QLatin1Char(' '));
}

} // namespace

// Each list gets buttons of its own, named for it once. One pair renamed for the list
// that took the focus would be announced with the name it had for the list before by a
// screen reader that keeps the names it has read.
void ButtonPopup::Serve(QWidget& list, const QString& listName)
{
    std::vector<QToolButton*> own = ButtonsOf(*this, &list);
    if (own.empty()) {
        own = ButtonsOf(*this, nullptr);   // the buttons the popup was made with serve the first list
        if (own.empty()) {   // made like those of the first list
            const auto* first = findChild<QToolButton*>(QString(), Qt::FindDirectChildrenOnly);
            const QObject* firstList = first ? first->property(kServedList).value<QObject*>() : nullptr;
            for (const QToolButton* model : ButtonsOf(*this, firstList))
                own.push_back(NewButton(*this, model->objectName(), model->text(), model->toolTip()));
        }
        for (QToolButton* button : own) {
            button->setProperty(kServedList, QVariant::fromValue<QObject*>(&list));
            button->setAccessibleName(button->objectName() + QLatin1Char(' ') + InSentence(listName));
        }
    }
    std::vector<QWidget*> stops{&list};
    for (QToolButton* button : findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly)) {
        const bool serves = std::find(own.begin(), own.end(), button) != own.end();
        button->setVisible(serves);
        if (serves)
            stops.push_back(button);
    }
    ChainTabOrder(stops);
    adjustSize();
}

bool ButtonPopup::eventFilter(QObject* watched, QEvent* event)
{
    auto* button = qobject_cast<QToolButton*>(watched);
    if (!button || button->parentWidget() != this)
        return QFrame::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            button->click();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        const QWidget* now = QApplication::focusWidget();
        if (LeftTheBox(static_cast<QFocusEvent*>(event)) && !(now && isAncestorOf(now)))
            emit FocusLeft();
    }
    return QFrame::eventFilter(watched, event);
}

void TakeFocusByClickOnly(QComboBox& box) { box.setFocusPolicy(Qt::StrongFocus); }

void LeaveWheelAlone(QWheelEvent* event)
{
    event->ignore();   // the form behind scrolls instead
}

void ChainTabOrder(const std::vector<QWidget*>& stops)
{
    for (size_t i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
}

bool PressesLikeAClick(const QKeyEvent& key)
{
    const int code = key.key();
    return (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier &&
           (code == Qt::Key_Return || code == Qt::Key_Enter || code == Qt::Key_Space);
}

void CommitFocusedEdit()
{
    if (QWidget* focused = QApplication::focusWidget())
        focused->clearFocus();
}

} // namespace kvl
