#pragma once
// The backend the program uses: Qt's message box, input dialog and file dialogs,
// each modal over the active window.

#include "platform/dialogs/Dialogs.h"

namespace kvl {

class QtDialogs : public Dialogs {
public:
    MsgAnswer MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                     MsgDefault defaultButton) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString OpenFile(const FileDialogRequest& request) override;
    QString SaveFile(const FileDialogRequest& request) override;
};

} // namespace kvl
