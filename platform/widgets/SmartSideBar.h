#pragma once
// The side bar: a picture item, group headers and keyed entries stacked top to
// bottom. A click on an entry, by the user or by setting its selected flag, raises
// ItemClick with the entry's key before returning. The entries are one stop in the
// Tab chain, walked with the arrow keys (BarKeys.h).

#include "platform/widgets/BarItem.h"
#include "platform/widgets/BarKeys.h"

#include <QFrame>
#include <QPixmap>

#include <map>

class QAbstractButton;
class QLabel;
class QVBoxLayout;

namespace kvl {

class SmartSideBar : public QFrame, public BarItemHost {
    Q_OBJECT
public:
    explicit SmartSideBar(QWidget* parent = nullptr);

    BarItem& AddPicture(const QString& key, const QPixmap& picture);
    void AddGroup(const QString& caption);
    BarItem& AddItem(const QString& key, const QString& caption, const QString& toolTip = {});

    BarItem& Items(const QString& key) const { return items_[key]; }
    bool HasItem(const QString& key) const { return items_.Has(key); }
    // Every item in its order on the bar, separators and group headers included.
    const std::vector<std::unique_ptr<BarItem>>& AllItems() const { return items_.All(); }
    // The entry's on-screen button, for tests that click as the user does.
    QAbstractButton* Button(const QString& key) const;
    // The item's widget (the picture's label for the logo).
    QWidget* Widget(const QString& key) const;

    void ItemChanged(BarItem& item) override;
    void ItemSelected(BarItem& item) override;

signals:
    void ItemClick(const QString& key);

private:
    QWidget* Add(BarItem& item, QWidget* widget);
    std::vector<BarKeys::Item> Buttons() const;

    BarItems items_{*this};
    QVBoxLayout* layout_;
    std::map<const BarItem*, QWidget*> widgets_;
    BarKeys* keys_;
};

} // namespace kvl
