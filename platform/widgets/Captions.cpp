#include "platform/widgets/Captions.h"

#include <QAbstractButton>
#include <QLabel>

namespace kvl {

QString NameOfCaption(const QString& caption)
{
    QString name = caption.trimmed();
    name.remove(QLatin1Char('&'));
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    return name.trimmed();
}

void TieCaption(QLabel& caption, QWidget& box, const QString& prefix)
{
    caption.setBuddy(&box);
    const QString name = NameOfCaption(caption.text());
    box.setAccessibleName(prefix.isEmpty() ? name : prefix + QLatin1Char(' ') + name);
}

void NameByCaption(QAbstractButton& button)
{
    button.setAccessibleName(NameOfCaption(button.text()));
}

void NameBeside(QWidget& box, const QWidget& neighbour, const QString& what)
{
    box.setAccessibleName(neighbour.accessibleName() + QLatin1Char(' ') + what);
}

} // namespace kvl
