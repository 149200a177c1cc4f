#pragma once
// The one seam through which the program asks the user anything: message boxes,
// input boxes and the open/save file dialogs. The program sets the Qt backend
// (platform/dialogs/qt) as the default; tests install ScriptedDialogs, which
// answers from a queue and records every message shown.

#include <QString>

#include <utility>

namespace kvl {

enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel, RetryCancel };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgAnswer { OK, Cancel, Yes, No, Retry };
// The button Enter presses: the first one, or the second (No for a question whose Yes
// cannot be undone).
enum class MsgDefault { First, Second };
// What Escape (or the window's close button) answers: the box's safe answer (see
// SafeAnswer), or nothing, for a question whose No throws typed data away: the box
// then waits until the user chooses a button.
enum class MsgEscape { SafeAnswer, None };

struct FileDialogRequest {
    // A constructor rather than an aggregate, so callers name only the leading fields.
    FileDialogRequest(QString title_ = {}, QString folder_ = {}, QString fileName_ = {}, QString filter_ = {},
                      QString defaultSuffix_ = {}, bool askToReplace_ = true)
        : title(std::move(title_)), folder(std::move(folder_)), fileName(std::move(fileName_)),
          filter(std::move(filter_)), defaultSuffix(std::move(defaultSuffix_)), askToReplace(askToReplace_)
    {
    }
    QString title;        // empty: the backend's default ("Open" / "Save As")
    QString folder;       // initial folder
    QString fileName;     // proposed file name
    QString filter;       // "Data files|*.dlg" — description and pattern joined by "|";
                          // several pairs follow each other: "Logs|*.dlg|All files|*.*"
    QString defaultSuffix;  // save: added to a name typed without one ("dlg")
    bool askToReplace = true;  // save: false where the program checks the chosen file itself
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MsgAnswer MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                             MsgDefault defaultButton, MsgEscape escape) = 0;
    // The text typed, or "" when the user cancels.
    virtual QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) = 0;
    // The chosen path, or "" when the user cancels.
    virtual QString OpenFile(const FileDialogRequest& request) = 0;
    virtual QString SaveFile(const FileDialogRequest& request) = 0;
};

// The backend in use: the installed one, else the default.
Dialogs& CurrentDialogs();
// Installs a backend (not owned); nullptr restores the default.
void InstallDialogs(Dialogs* dialogs);
// The backend used while none is installed (not owned): the program sets the Qt
// backend at start. Without one (nullptr) every prompt takes its safe answer and
// leaves a warning in the log.
void SetDefaultDialogs(Dialogs* dialogs);

// Shorthands in the order the forms call them.
MsgAnswer MsgBox(const QString& text, MsgButtons buttons = MsgButtons::OK, MsgIcon icon = MsgIcon::None,
                 const QString& title = QString(), MsgDefault defaultButton = MsgDefault::First,
                 MsgEscape escape = MsgEscape::SafeAnswer);
QString InputBox(const QString& prompt, const QString& title = QString(), const QString& defaultText = QString());

// The title a message or input box shows: the one given, or the program's title
// when none is given. Both backends show (and the scripted one records) this.
QString ShownTitle(const QString& title);

// Whether a box with these buttons can give this answer.
bool OffersAnswer(MsgButtons buttons, MsgAnswer answer);
// The answer of a box closed without a choice: Cancel, else No, else OK.
MsgAnswer SafeAnswer(MsgButtons buttons);

// "Data files|*.dlg|All|*.dlg;*.bak" -> "Data files (*.dlg);;All (*.dlg *.bak)" for QFileDialog.
QString QtFileFilter(const QString& filter);

} // namespace kvl
