#include "platform/widgets/MaskedEdit.h"

namespace kvl {

MaskedEdit::MaskedEdit(const QString& mask, QWidget* parent) : EditBox(parent) { SetMask(mask); }

void MaskedEdit::SetMask(const QString& mask)
{
    mask_ = mask;
    QString qtMask;
    for (QChar c : mask) {
        if (c == QLatin1Char('#'))
            qtMask += QLatin1Char('9');
        else
            qtMask += QStringLiteral("\\") + c;
    }
    setInputMask(mask.isEmpty() ? QString() : qtMask + QStringLiteral(";_"));
}

void MaskedEdit::SetText(const QString& text)
{
    setText(text);
}

} // namespace kvl
