#include "people/PersonGrid.h"

#include "platform/widgets/PropertyGrid.h"

#include <QLabel>
#include <QVBoxLayout>

namespace kvl {

Q_LOGGING_CATEGORY(lcPeople, "kvl.people")

using namespace people;

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
