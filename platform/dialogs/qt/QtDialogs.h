#pragma once
// The backend the program uses: Qt's message box, input dialog and file dialogs,
// each modal over the active window.

#include "platform/dialogs/Dialogs.h"

namespace kvl {

// Room a title bar takes beside its title: the window's icon, its buttons and margins.
inline constexpr int TitleBarAllowance = 140;
// The width a dialog needs to show this title in full on its title bar.
int TitleBarWidth(const QString& title);

class QtDialogs : public Dialogs {
public:
    MsgAnswer MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                     MsgDefault defaultButton, MsgEscape escape) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString OpenFile(const FileDialogRequest& request) override;
    QString SaveFile(const FileDialogRequest& request) override;
};

} // namespace kvl
