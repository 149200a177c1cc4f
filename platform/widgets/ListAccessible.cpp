#include "platform/widgets/ListAccessible.h"

#include "platform/widgets/Captions.h"

#include <QAccessible>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <utility>

namespace kvl {

namespace {

// The caption whose buddy the list is, or nullptr.
const QLabel* CaptionOf(const QComboBox& list)
{
    if (!list.parentWidget())
        return nullptr;
    for (const QLabel* label : list.parentWidget()->findChildren<QLabel*>())
        if (label->buddy() == &list)
            return label;
    return nullptr;
}

std::function<void(QAccessibleEvent&)>& Listener()
{
    static std::function<void(QAccessibleEvent&)> listener;
    return listener;
}

// A list read by its caption, its entry offered as a text that cannot be edited.
class NamedListAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit NamedListAccessible(QComboBox* list)
        : QAccessibleWidget(list, QAccessible::ComboBox), told_(list->currentText())
    {
        const auto tell = [list] { TellEntryChange(*list); };
        changes_[0] = QObject::connect(list, &QComboBox::currentTextChanged, list, tell);
        // A list with a text box shows what its box holds, changed by code with the
        // list's own signals blocked too.
        if (list->lineEdit())
            changes_[1] = QObject::connect(list->lineEdit(), &QLineEdit::textChanged, list, tell);
    }
    ~NamedListAccessible() override
    {
        for (const QMetaObject::Connection& change : changes_)
            QObject::disconnect(change);
    }

    // The entry a reader was last told of is no longer the one shown: tell the new one.
    void TellEntry()
    {
        const QString entry = Entry();
        if (entry == told_)
            return;
        QAccessibleTextUpdateEvent event(List(), 0, std::exchange(told_, entry), entry);
        if (Listener())
            Listener()(event);
        QAccessible::updateAccessibility(&event);
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return Entry();
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        if (!List()->accessibleName().isEmpty())
            return List()->accessibleName();
        // Without a caption, the frame around the list names it, never its entry.
        const QLabel* caption = CaptionOf(*List());
        return caption ? NameOfCaption(caption->text()) : QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.expandable = true;
        state.expanded = List()->view() && List()->view()->isVisible();
        return state;
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override
    {
        if (List()->isEnabled() && (action == showMenuAction() || action == pressAction()))
            List()->showPopup();
    }

    // The entry as a text: read whole or in part, never selected or edited here.
    QString text(int startOffset, int endOffset) const override
    {
        return Entry().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(Entry().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    void selection(int, int* startOffset, int* endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    QComboBox* List() const { return static_cast<QComboBox*>(widget()); }
    QString Entry() const { return List()->currentText(); }

    QString told_;
    QMetaObject::Connection changes_[2];
};

QAccessibleInterface* ListFactory(const QString& className, QObject* object)
{
    auto* list = qobject_cast<QComboBox*>(object);
    if (className != QLatin1String("QComboBox") || !list)
        return nullptr;
    return new NamedListAccessible(list);
}

} // namespace

void UseListNames()
{
    static const bool installed = (QAccessible::installFactory(ListFactory), true);
    Q_UNUSED(installed);
}

void TellEntryChange(QComboBox& list)
{
    // Told once the change is done: a list that is emptied and filled again on the way
    // (a pick that rebuilds its entries) is told its new entry, not the steps between.
    QMetaObject::invokeMethod(
        &list,
        [&list] {
            if (auto* face = dynamic_cast<NamedListAccessible*>(QAccessible::queryAccessibleInterface(&list)))
                face->TellEntry();
        },
        Qt::QueuedConnection);
}

void ListenToListEvents(std::function<void(QAccessibleEvent&)> listener) { Listener() = std::move(listener); }

} // namespace kvl
