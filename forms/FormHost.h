#pragma once
// What a child form asks of the window that holds it: the child area, the bars, the
// window title and closing a form. The main window is the host; the shell installs
// how it is found, so the forms and this floor need no header of the main window.

#include <QString>

namespace kvl {

class ChildForm;

class ChildFormHost {
public:
    virtual ~ChildFormHost() = default;
    // The child area: shows the form, takes it out of sight, takes it away.
    virtual void ShowChild(ChildForm& form) = 0;
    virtual void HideChild(ChildForm& form) = 0;
    virtual void RemoveChild(ChildForm& form) = 0;
    // The shell's whole closing of the form with this code (its save, its unload, the bars);
    // false when the form keeps edits it could not write and stays open.
    virtual bool CloseChildForm(int formCode) = 0;
    virtual void SetToolBarItemVisible(const QString& key, bool visible) = 0;
    virtual void SetToolBarItemChecked(const QString& key, bool checked) = 0;
    virtual void DeselectSideBarItem(const QString& key) = 0;
    virtual void EnableDiveButtons() = 0;
    // Names the log's diver in the window title.
    virtual void ShowDiverInTitle(const QString& diverName) = 0;
};

// How the host is found: `existing` returns it or nullptr, `make` makes it when there is none.
struct FormHostAccess {
    ChildFormHost* (*existing)() = nullptr;
    ChildFormHost& (*make)() = nullptr;
};
// Installs the shell's access to its main window; an empty access forgets it.
void InstallFormHost(FormHostAccess access);

// The host, or nullptr while there is none (a form on its own, as in tests).
ChildFormHost* ExistingFormHost();
// The host, made when there is none. Throws std::logic_error when no access is installed.
ChildFormHost& FormHost();

} // namespace kvl
