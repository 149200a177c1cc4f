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

    // Text put in at `at` fills the mask from there as the box does it: a digit takes the
    // next digit position, any other character the next place where the mask shows it.
    // nullopt when a character finds no place: the box would leave it out.
    std::optional<QString> TextAfterDrop(int at, const QString& text) const override;

private:
    QString mask_;
};

} // namespace kvl
