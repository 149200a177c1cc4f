#pragma once
// How the forms run a write that the log may refuse (the dive record, the site and
// gear forms): the refusal is logged with its statement and shown as "Data updating
// error.", followed by its cause in plain words where one is known (a read-only or
// locked log, a full disk); what the user typed stays on screen.

#include "platform/db/Db.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/runtime/Logging.h"

#include <exception>

namespace kvl {

inline void ShowUpdatingError(const QString& cause = QString())
{
    const QString text = QStringLiteral("Data updating error.");
    MsgBox(cause.isEmpty() ? text : text + u'\n' + cause, MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Error"));
}

// Runs write; a refusal is logged under what and shown. True when it ran through.
template <class Write>
bool WriteOrSay(const char* what, Write&& write)
{
    try {
        write();
        return true;
    } catch (const std::exception& error) {
        qCWarning(kvlDb(), "%s failed: %s", what, error.what());
        ShowUpdatingError(db::KnownCause(error));
    }
    return false;
}

} // namespace kvl
