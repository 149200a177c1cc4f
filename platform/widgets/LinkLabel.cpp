#include "platform/widgets/LinkLabel.h"

#include "platform/widgets/Captions.h"
#include "platform/widgets/FieldBoxes.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace kvl {

namespace {

class LinkAccessible : public QAccessibleWidget {
public:
    explicit LinkAccessible(LinkLabel* link) : QAccessibleWidget(link, QAccessible::Link) {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && Link()->accessibleName().isEmpty())
            return NameOfCaption(Link()->text());
        return QAccessibleWidget::text(kind);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && Link()->isEnabled())
            emit Link()->Activated();
    }

private:
    LinkLabel* Link() const { return static_cast<LinkLabel*>(widget()); }
};

QAccessibleInterface* LinkFactory(const QString& className, QObject* object)
{
    auto* link = qobject_cast<LinkLabel*>(object);
    if (className != QLatin1String("kvl::LinkLabel") || !link)
        return nullptr;
    return new LinkAccessible(link);
}

} // namespace

LinkLabel::LinkLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent)
{
    static const bool installed = (QAccessible::installFactory(LinkFactory), true);
    Q_UNUSED(installed);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Activated();
}

// A caption draws no focus of its own: the link shows it as a button does.
void LinkLabel::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect = contentsRect();
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    if (PressesLikeAClick(*event)) {
        emit Activated();
        return;
    }
    QLabel::keyPressEvent(event);
}

} // namespace kvl
