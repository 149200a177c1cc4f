#include "platform/widgets/FieldBoxes.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QWheelEvent>

namespace kvl {

namespace {
// The focus leaves a box for good, not for a moment while another window or a
// pop-up list is active: only then has the user left the box.
bool LeftTheBox(const QFocusEvent* event)
{
    return event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
}
} // namespace

void AcceptNumbersOnly(QLineEdit& box, DecimalMark marks, bool negative)
{
    QString pattern = negative ? QStringLiteral("-?[0-9]*") : QStringLiteral("[0-9]*");
    if (marks == DecimalMark::Point)
        pattern += QStringLiteral("(\\.[0-9]*)?");
    else if (marks == DecimalMark::PointOrComma)
        pattern += QStringLiteral("([.,][0-9]*)?");
    const QRegularExpression rule(pattern);
    // A box whose rule follows a unit is given it again at each change: one validator serves.
    auto* own = box.findChild<QRegularExpressionValidator*>(QString(), Qt::FindDirectChildrenOnly);
    if (own && box.validator() == own)
        own->setRegularExpression(rule);
    else
        box.setValidator(new QRegularExpressionValidator(rule, &box));
}

EditBox::EditBox(QWidget* parent) : QLineEdit(parent) {}

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

ListBox::ListBox(bool editable, QWidget* parent) : QComboBox(parent)
{
    TakeFocusByClickOnly(*this);
    setEditable(editable);
    if (editable) {
        setInsertPolicy(QComboBox::NoInsert);
        connect(this, &QComboBox::editTextChanged, this, &ListBox::Change);
    } else {
        connect(this, &QComboBox::activated, this, &ListBox::Change);
    }
}

void ListBox::SetListIndex(int index)
{
    const QSignalBlocker quiet(this);
    setCurrentIndex(index >= 0 && index < count() ? index : -1);
}

void ListBox::SetText(const QString& text)
{
    const QSignalBlocker quiet(this);
    if (isEditable())
        setEditText(text);
    else
        setCurrentIndex(findText(text));
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

void ListBox::wheelEvent(QWheelEvent* event)
{
    if (!LeaveWheelAlone(*this, event))
        QComboBox::wheelEvent(event);
}

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

MemoBox::MemoBox(QWidget* parent) : QPlainTextEdit(parent) {}

void MemoBox::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (LeftTheBox(event))
        emit LostFocus();
}

void MemoBox::keyPressEvent(QKeyEvent* event)
{
    QPlainTextEdit::keyPressEvent(event);
    emit KeyDown(event->key());
}

ButtonPopup::ButtonPopup(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setLayout(new QHBoxLayout);
    layout()->setContentsMargins(2, 2, 2, 2);
}

void ButtonPopup::AddItem(const QString& key, const QString& caption, const QString& toolTip)
{
    auto* button = new QToolButton(this);
    button->setObjectName(key);
    button->setText(caption);
    button->setToolTip(toolTip);
    button->setFocusPolicy(Qt::NoFocus);   // a click leaves the focus where it was
    layout()->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, key] { emit ItemClick(key); });
    adjustSize();
}

QStringList ButtonPopup::Keys() const
{
    QStringList keys;
    for (const QToolButton* button : findChildren<QToolButton*>())
        keys << button->objectName();
    return keys;
}

QString ButtonPopup::ItemCaption(const QString& key) const
{
    const auto* button = findChild<QToolButton*>(key, Qt::FindDirectChildrenOnly);
    return button ? button->text() : QString();
}

void ButtonPopup::SetItemCaption(const QString& key, const QString& caption)
{
    if (auto* button = findChild<QToolButton*>(key, Qt::FindDirectChildrenOnly)) {
        button->setText(caption);
        adjustSize();
    }
}

void ButtonPopup::ClickItem(const QString& key)
{
    if (Keys().contains(key))
        emit ItemClick(key);
}

void TakeFocusByClickOnly(QComboBox& box) { box.setFocusPolicy(Qt::StrongFocus); }

bool LeaveWheelAlone(QComboBox& box, QWheelEvent* event)
{
    if (box.hasFocus())
        return false;
    event->ignore();   // the form behind may scroll instead
    return true;
}

void CommitFocusedEdit()
{
    if (QWidget* focused = QApplication::focusWidget())
        focused->clearFocus();
}

} // namespace kvl
