#include "platform/widgets/SmartToolBar.h"

#include "platform/widgets/Captions.h"
#include "platform/widgets/LineBoxGuards.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

namespace kvl {

SmartToolBar::SmartToolBar(QWidget* parent)
    : QToolBar(parent), keys_(new BarKeys(*this, [this] { return Buttons(); }))
{
    setObjectName("SmartToolBar");
    setMovable(false);
    setFloatable(false);
    setIconSize(QSize(24, 24));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

BarItem& SmartToolBar::AddButton(const QString& key, const QIcon& icon, const QString& toolTip)
{
    BarItem& item = items_.Add(BarItemKind::Button, key, QString(), toolTip);
    QAction* action = addAction(icon, QString());
    action->setToolTip(toolTip);
    // An icon alone says nothing to a screen reader.
    widgetForAction(action)->setAccessibleName(NameOfCaption(toolTip));
    connect(action, &QAction::triggered, this, [this, key] { emit ItemClick(key); });
    fields_[&item].action = action;
    keys_->Update();
    return item;
}

void SmartToolBar::AddSeparator()
{
    items_.Add(BarItemKind::Separator, QString());
    addSeparator();
}

BarItem& SmartToolBar::AddDropDownMenu(const QString& key, const QIcon& icon, const QString& caption,
                                       const QString& toolTip)
{
    BarItem& item = items_.Add(BarItemKind::DropDownMenu, key, caption, toolTip);
    currentMenu_ = new QMenu(this);
    currentMenu_->setToolTipsVisible(true);
    auto* button = new QToolButton(this);
    button->setIcon(icon);
    button->setText(caption);
    button->setToolTip(toolTip);
    if (caption.isEmpty())
        button->setAccessibleName(toolTip);
    button->setMenu(currentMenu_);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setToolButtonStyle(caption.isEmpty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
    button->setAutoRaise(true);
    if (!caption.isEmpty())  // the arrow beside the caption, not under it
        button->setStyleSheet("QToolButton { padding-right: 14px; }"
                              "QToolButton::menu-indicator { subcontrol-origin: padding;"
                              " subcontrol-position: center right; }");
    fields_[&item].action = addWidget(button);
    fields_[&item].button = button;
    keys_->Update();
    return item;
}

BarItem& SmartToolBar::AddEntry(BarItemKind kind, const QString& key, const QString& caption, const QString& toolTip)
{
    Q_ASSERT(currentMenu_);
    BarItem& item = items_.Add(kind, key, caption, toolTip);
    QAction* action = currentMenu_->addAction(caption);
    action->setToolTip(toolTip.isEmpty() ? caption : toolTip);
    fields_[&item].action = action;
    return item;
}

BarItem& SmartToolBar::AddMenuEntry(const QString& key, const QString& caption, const QString& toolTip)
{
    BarItem& item = AddEntry(BarItemKind::MenuEntry, key, caption, toolTip);
    connect(fields_[&item].action, &QAction::triggered, this, [this, key] { emit ItemClick(key); });
    return item;
}

BarItem& SmartToolBar::AddOptionEntry(const QString& key, const QString& caption)
{
    BarItem& item = AddEntry(BarItemKind::OptionEntry, key, caption, QString());
    QAction* action = fields_[&item].action;
    action->setCheckable(true);
    // Choosing an option always leaves it checked; the host clears its partner.
    connect(action, &QAction::triggered, this, [this, &item] {
        fields_[&item].action->setChecked(true);
        item.SetChecked(true);
        emit ItemTextChange(item.Key(), item.Text());
    });
    return item;
}

BarItem& SmartToolBar::AddDropDownWindow(const QString& key, const QString& caption)
{
    BarItem& item = items_.Add(BarItemKind::DropDownWindow, key, QString(), QString());
    auto* field = new QWidget(this);
    auto* layout = new QHBoxLayout(field);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(new QLabel(caption, field));
    auto* button = new QToolButton(field);
    button->setObjectName("SmartToolBarDropDown");
    button->setArrowType(Qt::NoArrow);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setMinimumWidth(190);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setAccessibleName(NameOfCaption(caption));   // what it shows goes in its description
    layout->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, key] { DropDown(key); });
    fields_[&item] = Field{addWidget(field), button};
    keys_->Update();
    return item;
}

BarItem& SmartToolBar::AddTextField(const QString& key)
{
    BarItem& item = items_.Add(BarItemKind::TextField, key, QString(), QString());
    auto* label = new QLabel(this);
    label->setObjectName("SmartToolBarText");
    label->setMinimumWidth(120);
    label->setContentsMargins(6, 0, 6, 0);
    fields_[&item] = Field{addWidget(label), nullptr, label};
    return item;
}

BarItem& SmartToolBar::AddTextEntry(const QString& key, const QString& caption, const QString& toolTip)
{
    BarItem& item = items_.Add(BarItemKind::TextEntry, key, QString(), toolTip);
    auto* field = new QWidget(this);
    auto* layout = new QHBoxLayout(field);
    layout->setContentsMargins(4, 0, 4, 0);
    auto* label = new QLabel(caption, field);
    UseLineBoxGuards();
    auto* edit = new QLineEdit(field);
    edit->setObjectName(key);
    edit->setToolTip(toolTip);
    edit->setMaximumWidth(8 * edit->fontMetrics().averageCharWidth() + 12);
    TieCaption(*label, *edit);
    layout->addWidget(label);
    layout->addWidget(edit);
    connect(edit, &QLineEdit::textEdited, this, [&item](const QString& text) { item.SetText(text); });
    fields_[&item] = Field{addWidget(field), nullptr, nullptr, edit};
    return item;
}

QLineEdit* SmartToolBar::TextEntryBox(const QString& key) const
{
    return fields_.at(&Items(key)).edit;
}

void SmartToolBar::AddSpacer()
{
    items_.Add(BarItemKind::Separator, QString());
    auto* gap = new QWidget(this);
    gap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    addWidget(gap);
}

QAbstractButton* SmartToolBar::Button(const BarItem& item) const
{
    const auto found = fields_.find(&item);
    if (found == fields_.end())
        return nullptr;
    if (item.Kind() == BarItemKind::Button)
        return qobject_cast<QAbstractButton*>(widgetForAction(found->second.action));
    return found->second.button;
}

// Items the bar has no room for wait behind its extension button, the last stop.
std::vector<BarKeys::Item> SmartToolBar::Buttons() const
{
    std::vector<BarKeys::Item> buttons;
    const auto placed = [this](const QWidget* button) { return !isVisible() || button->isVisibleTo(this); };
    for (const auto& item : items_.All())
        if (QAbstractButton* button = Button(*item))
            buttons.push_back({button, item->Visible() != 0 && item->Enabled() && placed(button)});
    if (auto* more = findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"), Qt::FindDirectChildrenOnly))
        buttons.push_back({more, isVisible() && more->isVisibleTo(this)});
    return buttons;
}

QAction* SmartToolBar::Action(const QString& key) const
{
    return fields_.at(&Items(key)).action;
}

void SmartToolBar::DropDown(const QString& key)
{
    QWidget* window = dropDown_ ? dropDown_(key) : nullptr;
    if (!window)
        return;
    const Field& field = fields_.at(&Items(key));
    QWidget* anchor = field.button ? static_cast<QWidget*>(field.button) : this;
    window->setWindowFlags(Qt::Popup);
    window->move(anchor->mapToGlobal(QPoint(0, anchor->height())));
    window->show();
    window->setFocus(Qt::PopupFocusReason);   // keys go to the window at once
}

void SmartToolBar::ItemChanged(BarItem& item)
{
    auto found = fields_.find(&item);
    if (found == fields_.end())
        return;
    const Field& field = found->second;
    keys_->Update();
    field.action->setVisible(item.Visible() != 0);
    field.action->setEnabled(item.Enabled());
    if (item.Kind() == BarItemKind::OptionEntry)
        field.action->setChecked(item.Checked());
    if (field.button && item.Kind() == BarItemKind::DropDownWindow) {
        field.button->setText(item.Text().isEmpty() ? QString("      ") : item.Text() + "  \u25BE");
        field.button->setAccessibleDescription(item.Text());
    }
    else if (field.label)
        field.label->setText(item.Text());
    else if (field.edit && field.edit->text() != item.Text())
        field.edit->setText(item.Text());
    else if (item.Kind() == BarItemKind::MenuEntry || item.Kind() == BarItemKind::OptionEntry ||
             item.Kind() == BarItemKind::Button)
        field.action->setText(item.Text());
}

void SmartToolBar::ItemSelected(BarItem& item)
{
    emit ItemClick(item.Key());
}

} // namespace kvl
