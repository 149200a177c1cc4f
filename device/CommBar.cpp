#include "device/CommBar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

namespace kvl {

CommBar::CommBar(QWidget* parent) : QWidget(parent), layout_(new QHBoxLayout(this))
{
    layout_->setContentsMargins(4, 4, 4, 4);
}

BarItem& CommBar::AddButton(const QString& key, const QString& text)
{
    BarItem& item = items_.Add(BarItemKind::Button, key, text);
    auto* button = new QPushButton(text, this);
    button->setObjectName(key);
    connect(button, &QPushButton::clicked, this, [this, key] { emit ItemClick(key); });
    layout_->addWidget(button);
    widgets_[&item] = button;
    return item;
}

BarItem& CommBar::AddDropDown(const QString& key, const QString& text)
{
    BarItem& item = AddButton(key, text);
    menu_ = new QMenu(this);
    static_cast<QPushButton*>(widgets_[&item])->setMenu(menu_);
    return item;
}

BarItem& CommBar::AddChoice(const QString& key, const QString& text)
{
    Q_ASSERT(menu_);
    BarItem& item = items_.Add(BarItemKind::MenuEntry, key, text);
    QAction* action = menu_->addAction(text);
    connect(action, &QAction::triggered, this, [this, key] { emit ItemClick(key); });
    choices_[&item] = action;
    return item;
}

BarItem& CommBar::AddMessage(const QString& key)
{
    BarItem& item = items_.Add(BarItemKind::Button, key);
    message_ = new QLabel(this);
    message_->setMinimumWidth(220);
    layout_->addWidget(message_, 1);
    widgets_[&item] = message_;
    return item;
}

BarItem& CommBar::AddProgress(const QString& key)
{
    BarItem& item = items_.Add(BarItemKind::Button, key);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 100);
    progress_->setMinimumWidth(140);
    layout_->addWidget(progress_);
    widgets_[&item] = progress_;
    return item;
}

int CommBar::ProgressValue() const
{
    return progress_ ? progress_->value() : 0;
}

QString CommBar::ProgressCaption() const
{
    return progress_ ? progress_->format() : QString();
}

void CommBar::SetProgress(int percent, const QString& caption)
{
    if (!progress_)
        return;
    progress_->setValue(std::clamp(percent, 0, 100));
    progress_->setFormat(caption);
}

void CommBar::SetMessageColor(const QColor& color)
{
    if (message_)
        message_->setStyleSheet("QLabel { color: " + color.name() + "; }");
}

QAbstractButton* CommBar::Button(const QString& key) const
{
    auto found = widgets_.find(&Items(key));
    return found == widgets_.end() ? nullptr : qobject_cast<QAbstractButton*>(found->second);
}

void CommBar::ItemChanged(BarItem& item)
{
    if (auto choice = choices_.find(&item); choice != choices_.end()) {
        choice->second->setVisible(item.Visible() != 0);
        choice->second->setEnabled(item.Enabled());
        choice->second->setText(item.Text());
        return;
    }
    auto found = widgets_.find(&item);
    if (found == widgets_.end())
        return;
    QWidget* w = found->second;
    w->setVisible(item.Visible() != 0);
    w->setEnabled(item.Enabled());
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->setText(item.Text());
    else if (w == message_)
        message_->setText(item.Text());
}

void CommBar::ItemSelected(BarItem& item)
{
    emit ItemClick(item.Key());
}

} // namespace kvl
