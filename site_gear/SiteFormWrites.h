#pragma once
// How the forms run a write that the log may refuse (the dive record, the site and
// gear forms): the refusal is logged and shown as "Data updating error.", and what
// the user typed stays on screen.

#include "platform/dialogs/Dialogs.h"
#include "platform/runtime/Logging.h"

namespace kvl {

inline void ShowUpdatingError()
{
    MsgBox(QStringLiteral("Data updating error."), MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Error"));
}

// Runs write; a refusal is logged under what and shown. True when it ran through.
template <class Write>
bool WriteOrSay(const char* what, Write&& write)
{
    if (RunLogged(kvlDb(), what, write))
        return true;
    ShowUpdatingError();
    return false;
}

} // namespace kvl
