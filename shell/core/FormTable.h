#pragma once
// The one table of the main window's child forms: form code -> the form's face
// without widgets. The program fills it at start (RegisterChildForms), so that the
// shell's routines reach a form without including it.

#include <functional>

namespace kvl {

// What the shell asks of a child form. The widget base ChildForm implements it;
// a form overrides what it has.
class ChildFormInterface {
public:
    virtual ~ChildFormInterface() = default;
    // The form reports unsaved edits (it may check its fields on the way).
    virtual bool HasChanges() { return false; }
    // Writes the form's pending changes.
    virtual void SaveChanges() {}
    // Takes in the edit of the box being typed in, so that a command started from
    // a bar or another window sees the typed value. False when the box refused it.
    virtual bool CommitPendingEdit() { return true; }
};

struct FormTableEntry {
    std::function<ChildFormInterface&()> instance;   // the form, made when first asked for
    std::function<bool()> exists;
};

void RegisterForm(int code, FormTableEntry entry);
// The form with this code, made when needed; nullptr for a code without a form.
ChildFormInterface* FormOf(int code);
// The form with this code when it exists now; nullptr otherwise.
ChildFormInterface* ExistingForm(int code);

} // namespace kvl
