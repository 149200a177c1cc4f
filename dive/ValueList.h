#pragma once
// A list of captioned values found by key, as the query and settings forms keep
// their criteria and settings. A date item drops down the calendar through its host.

#include <QString>
#include <QTreeWidget>

namespace kvl {

class ValueList : public QTreeWidget {
    Q_OBJECT
public:
    explicit ValueList(QWidget* parent = nullptr);

    void AddItem(const QString& key, const QString& caption, const QString& text = {});
    bool HasItem(const QString& key) const;
    // The item's value text; empty for a key the list does not hold.
    QString ItemText(const QString& key) const;
    void SetItemText(const QString& key, const QString& text);

private:
    QTreeWidgetItem* Find(const QString& key) const;
};

} // namespace kvl
