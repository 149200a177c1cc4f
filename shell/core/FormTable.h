#pragma once
// The one table of the main window's child forms: form code -> the form, whether it
// exists, how it saves and how it shows the current dive again. The program fills it
// at start (RegisterChildForms), so that the shell reaches a form without including it.

#include <functional>

namespace kvl {

// What the shell asks of a child form. The widget base ChildForm implements it.
class ChildFormInterface {
public:
    virtual ~ChildFormInterface() = default;
    // Loads the form when needed and shows it in the child area.
    virtual void Show() = 0;
    // Takes the form out of sight; it stays loaded.
    virtual void Hide() = 0;
    // Runs the form's unload, takes it away and forgets the instance.
    virtual void Unload() = 0;
    // Loaded and not hidden.
    virtual bool OnScreen() const = 0;
    // The form reports unsaved edits (it may check its fields on the way).
    virtual bool HasChanges() { return false; }
    // Takes in the edit of the box being typed in, so that a command started from
    // a bar or another window sees the typed value. False when the box refused it.
    virtual bool CommitPendingEdit() { return true; }
};

struct FormTableEntry {
    std::function<ChildFormInterface&()> instance;   // the form, made when first asked for
    std::function<bool()> exists;
    // Writes the form's pending changes; false when they were not written (a refused
    // value, a refused write): the form keeps them on screen. Empty: nothing to write.
    std::function<bool()> save;
    std::function<void()> refresh;   // shows the current dive again; empty: nothing to show
    bool hidesOnClose = false;       // closing only hides the form: it keeps what was typed
};

void RegisterForm(int code, FormTableEntry entry);
// The form with this code, made when needed; nullptr for a code without a form.
ChildFormInterface* FormOf(int code);
// The form with this code when it exists now; nullptr otherwise.
ChildFormInterface* ExistingForm(int code);
// Runs the form's save or refresh, when it has one (making the form when needed).
// The save's result: false when the form's changes were not written.
bool SaveFormChanges(int code);
void RefreshForm(int code);
bool HidesOnClose(int code);

} // namespace kvl
