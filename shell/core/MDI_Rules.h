#pragma once
// The decisions behind the side bar and the tool bar, kept apart from the widgets:
// which form a key opens, what is saved before a form closes, what a tool-bar key
// does, where navigation lands, and what the add-dive dialog's result asks for.

#include "shell/core/FormCode.h"

#include <QString>

#include <optional>

namespace kvl {

// Side-bar key to form code; -1 for a key that opens no form.
int FormCodeOfKey(const QString& key);
// Form code to its side-bar key; empty for codes without a form.
QString SideBarKeyOfForm(int code);
// The side-bar items that open without a current dive.
bool OpensWithoutDive(const QString& key);

// When a form's pending changes are written.
enum class SaveOccasion { Closing, SaveCommand, BeforePrint };
enum class SaveRule {
    Nothing,
    Always,
    IfPersonChanged,   // gv.PersonChanged
    IfDiveChanged,     // the dive record reports a change
    IfDiveChangedOrNew // ... or the dive was just added by hand
};
SaveRule SaveRuleOf(SaveOccasion occasion, int code);

enum class ToolCommand {
    None, Exit, Save, AddDive, DeleteAllDives, DeleteDive, Navigate, Print,
    LastSettings, Manufacturing, ReadSettings, WriteSettings, OpenLog, NewLog,
    Export, Help, TechSupport, About, RestoreLog,
};
ToolCommand ToolCommandOfKey(const QString& key);

// The row of the browsed list a navigation key lands on, given the row the list stood
// on and its size. `currentRemoved` says that row was just taken out of the list (a new
// dive discarded): the list then stands between `pos - 1` and `pos`. Nothing when the
// command ends without showing another dive.
std::optional<int> NavigationTarget(const QString& key, int pos, int count, bool currentRemoved);

// gv.AddDiveMode as the add-dive dialog leaves it; kAddDownload is added to a place
// when the dive is to be downloaded.
enum AddDiveModes : int {
    kAddAtBeginning = 1,
    kAddAtTypedNumber = 3,
    kAddAfterLast = 7,
    kAddDownload = 8,
    kAddCancelled = 99,
};

// What the "AddDive" command does with the dialog's result.
enum class AddDiveAction { Cancelled, ShiftAllThenAdd, ShiftFromThenAdd, Add, Download, Nothing };
AddDiveAction AddDiveActionOf(int addDiveMode);

} // namespace kvl
