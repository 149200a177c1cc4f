#pragma once
// The download window's button bar: command buttons and a drop-down of choices,
// found by key, plus the "Message" text and the "Progress" value with its caption.
// A click on a button or a choice raises ItemClick with its key.

#include "platform/widgets/BarItem.h"

#include <QColor>
#include <QWidget>

#include <map>

class QAbstractButton;
class QHBoxLayout;
class QLabel;
class QMenu;
class QProgressBar;

namespace kvl {

class CommBar : public QWidget, public BarItemHost {
    Q_OBJECT
public:
    explicit CommBar(QWidget* parent = nullptr);

    BarItem& AddButton(const QString& key, const QString& text);
    // Choices added next belong to this drop-down until another one is added.
    BarItem& AddDropDown(const QString& key, const QString& text);
    BarItem& AddChoice(const QString& key, const QString& text);
    BarItem& AddMessage(const QString& key);
    BarItem& AddProgress(const QString& key);

    BarItem& Items(const QString& key) const { return items_[key]; }
    int ProgressValue() const;
    QString ProgressCaption() const;
    void SetProgress(int percent, const QString& caption);
    void SetMessageColor(const QColor& color);
    // The button or choice as the user clicks it (nullptr for Message and Progress).
    QAbstractButton* Button(const QString& key) const;

    void ItemChanged(BarItem& item) override;
    void ItemSelected(BarItem& item) override;

signals:
    void ItemClick(const QString& key);

private:
    BarItems items_{*this};
    std::map<const BarItem*, QWidget*> widgets_;
    std::map<const BarItem*, QAction*> choices_;
    QHBoxLayout* layout_;
    QMenu* menu_ = nullptr;
    QLabel* message_ = nullptr;
    QProgressBar* progress_ = nullptr;
};

} // namespace kvl
