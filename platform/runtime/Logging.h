#pragma once
// The program's logging categories, and the one way to run a step whose failure must
// not stop its caller: the failure leaves a warning in the log, never nothing.
// QT_LOGGING_RULES="kvl.*.debug=true" shows everything.

#include <QLoggingCategory>

#include <exception>

Q_DECLARE_LOGGING_CATEGORY(kvlDb)        // "kvl.db": the log file and its statements
Q_DECLARE_LOGGING_CATEGORY(kvlDevice)    // "kvl.device": the dive computer link
Q_DECLARE_LOGGING_CATEGORY(kvlUi)        // "kvl.ui": forms and windows
Q_DECLARE_LOGGING_CATEGORY(kvlReports)   // "kvl.reports": printing and export

namespace kvl {

// Runs step; when it throws, logs "<what> failed: <reason>" in category and returns
// false, and the caller goes on. True when the step ran through.
template <class Step>
bool RunLogged(const QLoggingCategory& category, const char* what, Step&& step)
{
    try {
        step();
        return true;
    } catch (const std::exception& error) {
        qCWarning(category, "%s failed: %s", what, error.what());
        return false;
    }
}

} // namespace kvl
