#pragma once
// The keyboard road through a bar of buttons, as desktop tool bars have it: the bar
// is one stop in the Tab chain; Tab enters at the item used last (or the first one
// that can be pressed), the arrow keys move between the items, Home and End go to
// the ends, Space or Enter presses the item and Tab leaves. Hidden and disabled
// items are skipped.

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QAbstractButton;
class QWidget;

namespace kvl {

class BarKeys : public QObject {
public:
    struct Item {
        QAbstractButton* button;
        bool reachable;   // shown and enabled, as the bar's item says
    };
    // The bar's items in their order on screen; asked again at every move.
    using ItemList = std::function<std::vector<Item>()>;

    BarKeys(QWidget& bar, ItemList items);

    // Gives the Tab stop to the one item that should hold it. The bar calls it when an
    // item changes, before its widget follows: an item that goes while it holds the
    // focus hands the focus to its neighbour rather than to a box elsewhere.
    void Update();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Reachable(const QAbstractButton* button) const;
    // The reachable item `step` places from `from` (wrapping round), or nullptr.
    QAbstractButton* Neighbour(const QAbstractButton* from, int step) const;
    void Focus(QAbstractButton* button);

    ItemList items_;
    QPointer<QAbstractButton> stop_;
};

} // namespace kvl
