#pragma once
// A masked edit box: "#" stands for one digit, every other character of the mask
// is fixed, and an unfilled position shows the prompt character "_". Text() gives
// the box as shown, prompts included, so a check can see an incomplete entry.

#include "platform/widgets/FieldBoxes.h"

namespace kvl {

class MaskedEdit : public EditBox {
    Q_OBJECT
public:
    explicit MaskedEdit(const QString& mask = {}, QWidget* parent = nullptr);
    void SetMask(const QString& mask);
    QString Mask() const { return mask_; }
    QString Text() const { return displayText(); }
    void SetText(const QString& text);

private:
    bool PlacesEveryCharacter(int at, const QString& text) const;

    QString mask_;
};

} // namespace kvl
