#include "platform/widgets/ListAccessible.h"

#include "platform/widgets/Captions.h"

#include <QAccessible>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QLabel>

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

class NamedListAccessible : public QAccessibleWidget {
public:
    explicit NamedListAccessible(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return List()->currentText();
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

private:
    QComboBox* List() const { return static_cast<QComboBox*>(widget()); }
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

} // namespace kvl
