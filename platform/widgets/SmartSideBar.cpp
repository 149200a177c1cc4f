#include "platform/widgets/SmartSideBar.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

namespace kvl {

namespace {

// A picture that reports a click of the left button released over it.
class PictureLabel : public QLabel {
public:
    PictureLabel(std::function<void()> onClick, QWidget* parent) : QLabel(parent), onClick_(std::move(onClick)) {}

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            onClick_();
        QLabel::mouseReleaseEvent(event);
    }

private:
    std::function<void()> onClick_;
};

constexpr char ItemObjectName[] = "SmartSideBarItem";

// A side-bar entry as assistive tools see it: a button named by its caption, checked
// while its item is selected. Pressing it (or toggling it, which is what such tools
// offer for a checkable button) selects the item at once, as a click does.
class SideBarItemAccessible : public QAccessibleWidget {
public:
    explicit SideBarItemAccessible(QPushButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && Button()->accessibleName().isEmpty())
            return Button()->text();
        return QAccessibleWidget::text(kind);
    }
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = Button()->isChecked();
        return state;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (Button()->isEnabled() && (action == pressAction() || action == toggleAction()))
            Button()->click();
    }

private:
    QPushButton* Button() const { return static_cast<QPushButton*>(widget()); }
};

QAccessibleInterface* SideBarAccessibleFactory(const QString& className, QObject* object)
{
    auto* button = qobject_cast<QPushButton*>(object);
    // Asked as the button is made, before its name is set: the bar's only push buttons are its items.
    if (className != QLatin1String("QPushButton") || !button || !qobject_cast<SmartSideBar*>(button->parentWidget()))
        return nullptr;
    return new SideBarItemAccessible(button);
}

} // namespace

SmartSideBar::SmartSideBar(QWidget* parent)
    : QFrame(parent), layout_(new QVBoxLayout(this)), keys_(new BarKeys(*this, [this] { return Buttons(); }))
{
    static const bool factoryInstalled = (QAccessible::installFactory(SideBarAccessibleFactory), true);
    Q_UNUSED(factoryInstalled);
    setObjectName("SmartSideBar");
    setFrameShape(QFrame::StyledPanel);
    layout_->setContentsMargins(6, 6, 6, 6);
    layout_->setSpacing(2);
    layout_->addStretch(1);
}

QWidget* SmartSideBar::Add(BarItem& item, QWidget* widget)
{
    layout_->insertWidget(layout_->count() - 1, widget);  // above the closing stretch
    widgets_[&item] = widget;
    return widget;
}

BarItem& SmartSideBar::AddPicture(const QString& key, const QPixmap& picture)
{
    BarItem& item = items_.Add(BarItemKind::Picture, key);
    auto* label = new PictureLabel([&item] { item.SetSelected(true); }, this);
    label->setPixmap(picture);
    label->setAlignment(Qt::AlignCenter);
    Add(item, label);
    return item;
}

void SmartSideBar::AddGroup(const QString& caption)
{
    BarItem& item = items_.Add(BarItemKind::GroupHeader, QString(), caption);
    auto* label = new QLabel(caption, this);
    label->setObjectName("SmartSideBarGroup");
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setContentsMargins(4, 10, 4, 2);
    Add(item, label);
}

BarItem& SmartSideBar::AddItem(const QString& key, const QString& caption, const QString& toolTip)
{
    BarItem& item = items_.Add(BarItemKind::Button, key, caption, toolTip);
    auto* button = new QPushButton(caption, this);
    button->setObjectName(ItemObjectName);
    button->setToolTip(toolTip);
    button->setCheckable(true);
    button->setFlat(true);
    button->setStyleSheet("QPushButton { text-align: left; padding: 4px 4px 4px 18px; border: none; }"
                          "QPushButton:hover { background: palette(midlight); }"
                          "QPushButton:checked { background: palette(highlight); color: palette(highlighted-text);"
                          " border-radius: 3px; }");
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // The item's selected flag decides the look; the click only selects.
    connect(button, &QPushButton::clicked, this, [this, &item, button] {
        button->setChecked(item.Selected());
        item.SetSelected(true);
    });
    Add(item, button);
    keys_->Update();
    return item;
}

std::vector<BarKeys::Item> SmartSideBar::Buttons() const
{
    std::vector<BarKeys::Item> buttons;
    for (const auto& item : items_.All())
        if (item->Kind() == BarItemKind::Button)
            buttons.push_back({Button(item->Key()), item->Visible() != 0 && item->Enabled()});
    return buttons;
}

QAbstractButton* SmartSideBar::Button(const QString& key) const
{
    auto found = widgets_.find(&Items(key));
    return found == widgets_.end() ? nullptr : qobject_cast<QAbstractButton*>(found->second);
}

QWidget* SmartSideBar::Widget(const QString& key) const
{
    auto found = widgets_.find(&Items(key));
    return found == widgets_.end() ? nullptr : found->second;
}

void SmartSideBar::ItemChanged(BarItem& item)
{
    QWidget* widget = widgets_.at(&item);
    keys_->Update();
    widget->setVisible(item.Visible() != 0);
    widget->setEnabled(item.Enabled());
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
        button->setText(item.Text());
        button->setChecked(item.Selected());
    }
}

void SmartSideBar::ItemSelected(BarItem& item)
{
    emit ItemClick(item.Key());
}

} // namespace kvl
