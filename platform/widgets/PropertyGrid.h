#pragma once
// A property grid in the vocabulary of the forms that use it: rows found by key,
// each with a caption, a kind and a value text. Group rows (kind 1200) hold the
// value rows added after them; a row of kind 1205 offers a drop-down of choices.
// ItemValueChange(key) reports a value the user chose.
//
// A record grid is a flat list instead: header rows (1300), rows of editable text
// (1401) and empty spacers (108). A text row given the display setting 1 stands one
// step in from its header; KeyDown(key) reports a key pressed in a text row's box.

#include <QColor>
#include <QString>
#include <QStringList>
#include <QTreeWidget>

class QLineEdit;

namespace kvl {

class PropertyGrid : public QTreeWidget {
    Q_OBJECT
public:
    enum Kind { Group = 1200, Value = 1201, Choice = 1205, Header = 1300, Text = 1401, Spacer = 108 };
    static constexpr int ChoiceItem = 901;   // the kind every choice is added with
    // The system colour of button faces, which headers are painted in.
    static constexpr quint32 ButtonFaceColour = 0x8000000F;

    explicit PropertyGrid(QWidget* parent = nullptr);

    void Add(const QString& key, const QString& caption, int kind);
    bool Contains(const QString& key) const;
    void Remove(const QString& key);
    void RemoveAll();
    QStringList Keys() const;                // in the order the rows were added
    QString Caption(const QString& key) const;
    int Kind(const QString& key) const;      // 0 when there is no such row
    QString ValueText(const QString& key) const;
    void SetValueText(const QString& key, const QString& text);
    void Expand(const QString& key);
    bool IsExpanded(const QString& key) const;
    // Adds a choice to a row of kind 1205; position 0 appends.
    void AddChoice(const QString& key, int position, const QString& choiceKey, const QString& text);
    QStringList Choices(const QString& key) const;
    int RowCount() const;
    // Paints a row in a system colour (ButtonFaceColour); other values are ignored.
    void SetRowColour(const QString& key, quint32 systemColour);
    QColor RowColour(const QString& key) const;   // invalid when never painted
    void SetDisplaySetting(const QString& key, int setting);
    int DisplaySetting(const QString& key) const;  // 0 when never set
    // The edit box of a text row, or nullptr.
    QLineEdit* ValueBox(const QString& key) const;

    // What a user's pick in the drop-down does: sets the value and reports it.
    void ChooseValue(const QString& key, const QString& text);
    // What typing a whole value into a text row does: reports the key pressed, and
    // sets the value and reports the change unless the box refuses it (its refusal
    // is told before this returns). A locked box takes nothing.
    void TypeValue(const QString& key, const QString& text);

signals:
    void ItemValueChange(const QString& key);
    void KeyDown(const QString& key);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QTreeWidgetItem* Item(const QString& key) const;
    QTreeWidgetItem* RowOfFocusedBox() const;   // nullptr when no box of the grid has the focus
    void FitColumns();
    void AddTextBox(QTreeWidgetItem* item, const QString& key, const QString& caption);
    // Puts the box in the row's value column and in the Tab chain right after the grid.
    void PlaceBox(QTreeWidgetItem* item, QWidget* box);
    QTreeWidgetItem* lastGroup_ = nullptr;
    QString lastHeader_;   // the caption of the last header row, which the text rows after it stand under
    // The row whose box had the focus when the row went: the grid holds the focus until
    // the row comes again (a grid filled anew) and its new box takes it back.
    QString focusedKey_;
};

} // namespace kvl
