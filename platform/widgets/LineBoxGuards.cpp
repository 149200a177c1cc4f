#include "platform/widgets/LineBoxGuards.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

#include <algorithm>

namespace kvl {

namespace {

// A line box as a screen reader sees it: its text, cursor and selection, and edits that
// go the road of a typed edit (QLineEdit::insert over the range), so that a locked box
// refuses them, the box's validator, mask and length limit judge them, a refusal is
// reported as for a key, and the box reports textEdited to its form.
class LineBoxAccessible : public QAccessibleWidget,
                          public QAccessibleTextInterface,
                          public QAccessibleEditableTextInterface {
public:
    explicit LineBoxAccessible(QLineEdit* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return Shown();
        QString text = QAccessibleWidget::text(kind);
        if (text.isEmpty() && kind == QAccessible::Description)
            text = Box()->placeholderText();
        return text;
    }
    void setText(QAccessible::Text kind, const QString& text) override
    {
        if (kind == QAccessible::Value)
            Edit(0, characterCount(), text);
        else
            QAccessibleWidget::setText(kind, text);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.readOnly = Box()->isReadOnly();
        state.passwordEdit = Box()->echoMode() != QLineEdit::Normal;
        state.selectableText = true;
        return state;
    }

    // QAccessibleTextInterface
    void selection(int index, int* start, int* end) const override
    {
        *start = *end = 0;
        if (index == 0 && Box()->hasSelectedText()) {
            *start = Box()->selectionStart();
            *end = Box()->selectionEnd();
        }
    }
    int selectionCount() const override { return Box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int index) override
    {
        if (index == 0)
            Box()->deselect();
    }
    void setSelection(int index, int start, int end) override
    {
        if (index == 0)
            Box()->setSelection(start, end - start);
    }
    int cursorPosition() const override { return Box()->cursorPosition(); }
    void setCursorPosition(int position) override { Box()->setCursorPosition(position); }
    QString text(int start, int end) const override { return Shown().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(Box()->text().size()); }
    // The cursor's rectangle is the one the box tells: a character's lies as far from it
    // as the text between them is wide.
    QRect characterRect(int offset) const override
    {
        const QLineEdit& box = *Box();
        const QString shown = box.displayText();
        const QRect cursor = box.inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const QFontMetrics metrics(box.font());
        const int from = std::clamp(offset, 0, static_cast<int>(shown.size()));
        const int at = box.cursorPosition();
        const int shift = from >= at ? metrics.horizontalAdvance(shown.mid(at, from - at))
                                     : -metrics.horizontalAdvance(shown.mid(from, at - from));
        const QRect character(cursor.x() + shift, cursor.y(), metrics.horizontalAdvance(shown.mid(from, 1)),
                              cursor.height());
        return character.translated(box.mapToGlobal(QPoint(0, 0)));
    }
    int offsetAtPoint(const QPoint& point) const override { return Box()->cursorPositionAt(Box()->mapFromGlobal(point)); }
    void scrollToSubstring(int start, int end) override
    {
        Box()->setCursorPosition(end);
        Box()->setCursorPosition(start);
    }
    QString attributes(int offset, int* start, int* end) const override
    {
        *start = *end = offset;
        return {};
    }

    // QAccessibleEditableTextInterface
    void deleteText(int start, int end) override { Edit(start, end, QString()); }
    void insertText(int offset, const QString& text) override { Edit(offset, offset, text); }
    void replaceText(int start, int end, const QString& text) override { Edit(start, end, text); }

private:
    QLineEdit* Box() const { return static_cast<QLineEdit*>(widget()); }
    // What the box shows a reader: its text, unless the text is hidden.
    QString Shown() const
    {
        const QLineEdit& box = *Box();
        if (box.echoMode() == QLineEdit::Normal)
            return box.text();
        return box.echoMode() == QLineEdit::NoEcho ? QString() : QString(box.text().size(), u'*');
    }
    void Edit(int start, int end, const QString& text)
    {
        QLineEdit& box = *Box();
        if (box.isReadOnly() || !box.isEnabled())
            return;
        const int size = characterCount();
        start = std::clamp(start, 0, size);
        end = std::clamp(end, start, size);
        box.setSelection(start, end - start);
        box.insert(text);
    }
};

QAccessibleInterface* LineBoxFactory(const QString& className, QObject* object)
{
    auto* box = qobject_cast<QLineEdit*>(object);
    if (className != QLatin1String("QLineEdit") || !box)
        return nullptr;
    return new LineBoxAccessible(box);
}

// Whether the event would put text into a box (as against moving its cursor or selection).
bool PutsText(const QInputMethodEvent& event)
{
    return !event.commitString().isEmpty() || !event.preeditString().isEmpty() || event.replacementLength() != 0;
}

bool Locked(const QObject& box)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(&box))
        return line->isReadOnly();
    const auto* text = qobject_cast<const QPlainTextEdit*>(&box);
    return text && text->isReadOnly();
}

// A locked box refuses an input method's text as it refuses keys: Qt's line box would
// show the text and the form, which is never told, would store the value it had.
class LockedBoxInputGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::InputMethod || !PutsText(*static_cast<QInputMethodEvent*>(event))
            || !Locked(*watched))
            return false;
        event->ignore();
        return true;
    }
};

} // namespace

void UseLineBoxGuards()
{
    static const bool installed = [] {
        QAccessible::installFactory(LineBoxFactory);
        qApp->installEventFilter(new LockedBoxInputGuard(qApp));
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace kvl
