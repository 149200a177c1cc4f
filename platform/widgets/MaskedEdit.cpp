#include "platform/widgets/MaskedEdit.h"

namespace kvl {

MaskedEdit::MaskedEdit(const QString& mask, QWidget* parent) : EditBox(parent)
{
    SetMask(mask);
    TurnAwayDropsNotKept(*this, [this](int at, const QString& text) { return TextAfterDrop(at, text).has_value(); });
}

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

std::optional<QString> MaskedEdit::TextAfterDrop(int at, const QString& text) const
{
    if (mask_.isEmpty())
        return EditBox::TextAfterDrop(at, text);
    QString shown = displayText();
    qsizetype place = at;
    for (QChar c : text) {
        while (place < mask_.size() && !(mask_[place] == u'#' ? c.isNumber() : mask_[place] == c))
            ++place;
        if (place == mask_.size())
            return std::nullopt;
        shown[place++] = c;
    }
    return shown;
}

} // namespace kvl
