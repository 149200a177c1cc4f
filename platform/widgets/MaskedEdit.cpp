#include "platform/widgets/MaskedEdit.h"

namespace kvl {

MaskedEdit::MaskedEdit(const QString& mask, QWidget* parent) : EditBox(parent)
{
    SetMask(mask);
    TurnAwayDropsNotKept(*this, [this](int at, const QString& text) { return PlacesEveryCharacter(at, text); });
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

// Text put in at `at` fills the mask from there as the box does it: a digit takes the
// next digit position, any other character the next place where the mask shows it.
// What finds no place is left out by the box.
bool MaskedEdit::PlacesEveryCharacter(int at, const QString& text) const
{
    if (mask_.isEmpty())
        return true;
    qsizetype place = at;
    for (QChar c : text) {
        while (place < mask_.size() && !(mask_[place] == u'#' ? c.isNumber() : mask_[place] == c))
            ++place;
        if (place == mask_.size())
            return false;
        ++place;
    }
    return true;
}

} // namespace kvl
