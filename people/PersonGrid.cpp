#include "people/PersonGrid.h"

#include "platform/dialogs/Dialogs.h"
#include "platform/widgets/Captions.h"
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/PropertyGrid.h"

#include <QLabel>
#include <QLineEdit>
#include <QValidator>
#include <QVBoxLayout>

namespace kvl {

Q_LOGGING_CATEGORY(lcPeople, "kvl.people")

using namespace people;

namespace {

// A row whose field takes a limited value refuses a longer one as it is typed or
// pasted, and says so; a value read from the log that is already longer may still be
// shortened. The box then never shows what the log would not keep.
class FieldLimit : public QValidator {
public:
    FieldLimit(const TextField& field, const QString& caption, QLineEdit& box)
        : QValidator(&box), field_(field), caption_(caption), box_(box), shown_(box.text())
    {
        connect(&box, &QLineEdit::textChanged, this, [this](const QString& text) { shown_ = text; });
        connect(&box, &QLineEdit::inputRejected, this, &FieldLimit::Refused);
        TurnAwayDropsItsValidatorRefuses(box);
    }
    State validate(QString& input, int&) const override
    {
        const bool takes = FieldTakes(field_, input) ||
                           StoredValue(field_, input).size() <= StoredValue(field_, shown_).size();
        return takes ? Acceptable : Invalid;
    }

private:
    // A refused key press reports itself more than once: the diver is told once, after
    // the box has put its value back.
    void Refused()
    {
        if (telling_)
            return;
        telling_ = true;
        QMetaObject::invokeMethod(&box_, [this] {
            telling_ = false;
            MsgBox(QStringLiteral("The %1 row holds at most %2 characters, not counting blanks at either end.")
                       .arg(caption_)
                       .arg(kTrimmedFieldLength),
                   MsgButtons::OK, MsgIcon::Exclamation, QStringLiteral("Warning"));
        }, Qt::QueuedConnection);
    }

    const TextField& field_;
    QString caption_;
    QLineEdit& box_;
    QString shown_;   // the box's value, before the edit being checked
    bool telling_ = false;
};

} // namespace

void PInfo_Build(PropertyGrid& grid, OwnPhoneCaption phone)
{
    if (grid.RowCount() >= 1)
        return;
    for (const GridRow& row : PersonGridRows(phone)) {
        grid.Add(row.key, row.caption, row.kind);
        if (row.kind == HeaderRow)
            grid.SetRowColour(row.key, PropertyGrid::ButtonFaceColour);
        else if (row.kind == TextRow)
            grid.SetDisplaySetting(row.key, kIndentedRow);
    }
    for (const TextField& f : PersonTextFields())
        if (f.trimmedAndLimited) {
            const QString key = QString::fromLatin1(f.key);
            QLineEdit& box = *grid.ValueBox(key);
            box.setValidator(new FieldLimit(f, NameOfCaption(grid.Caption(key)), box));
        }
}

void PInfo_SetReadOnly(PropertyGrid& grid, bool readOnly)
{
    for (const TextField& f : PersonTextFields())
        grid.ValueBox(QString::fromLatin1(f.key))->setReadOnly(readOnly);
}

void PInfo_ShowRecord(PropertyGrid& grid, const PersonRecord& record)
{
    for (const TextField& f : PersonTextFields()) {
        const QString key = QString::fromLatin1(f.key);
        grid.SetValueText(key, record.value(key));
    }
}

PersonRecord PInfo_StoreRecord(const PropertyGrid& grid)
{
    PersonRecord record;
    for (const TextField& f : PersonTextFields()) {
        const QString key = QString::fromLatin1(f.key);
        record.insert(key, grid.ValueText(key));
    }
    return record;
}

} // namespace kvl

namespace kvl {

QLabel* AddFormHeader(QVBoxLayout& layout, const QString& caption)
{
    auto* label = new QLabel(caption, layout.parentWidget());
    QFont banner = label->font();
    banner.setBold(true);
    banner.setPointSizeF(banner.pointSizeF() * 1.5);
    label->setFont(banner);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Button);
    layout.addWidget(label);
    return label;
}

} // namespace kvl
