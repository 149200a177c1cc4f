#pragma once
// What the shell's dive routines need of the main window and its bars, without
// widgets: the main window installs its implementation; the default does nothing.

#include <QString>
#include <QStringList>

namespace kvl {

class MainWindowHooks {
public:
    virtual ~MainWindowHooks() = default;
    // The text of the tool bar's "LTD" item.
    virtual void SetLTDText(const QString& text) { (void)text; }
    // Selects a side-bar item by key and runs its item-click handling.
    virtual void SelectSideBarItem(const QString& key) { (void)key; }
    // The entry texts of the tool bar's "LTD" item, in their order.
    virtual QStringList LTDEntries() const { return {}; }
    // Shows the dive just made current (MakeRowCurrent) in the open child form; with
    // askToSave the dive record's edits are offered for saving first.
    virtual void UpdateMDIInfo(bool askToSave) { (void)askToSave; }
};

MainWindowHooks& CurrentMainWindowHooks();
// Installs the main window's hooks (not owned); nullptr restores the do-nothing hooks.
void InstallMainWindowHooks(MainWindowHooks* hooks);

} // namespace kvl
