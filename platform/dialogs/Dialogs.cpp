#include "platform/dialogs/Dialogs.h"

#include <QStringList>

namespace kvl {

namespace {

// Until the program names its backend nobody can be asked: each prompt takes its
// safe answer and leaves a warning.
class UnattendedDialogs : public Dialogs {
public:
    MsgAnswer MsgBox(const QString& text, MsgButtons buttons, MsgIcon, const QString&, MsgDefault, MsgEscape) override
    {
        qWarning("no dialog backend: %s", qPrintable(text));
        return SafeAnswer(buttons);
    }
    QString InputBox(const QString& prompt, const QString&, const QString&) override
    {
        qWarning("no dialog backend: %s", qPrintable(prompt));
        return {};
    }
    QString OpenFile(const FileDialogRequest& request) override { return Unanswered(request); }
    QString SaveFile(const FileDialogRequest& request) override { return Unanswered(request); }

private:
    static QString Unanswered(const FileDialogRequest& request)
    {
        qWarning("no dialog backend: file dialog %s", qPrintable(request.title));
        return {};
    }
};

UnattendedDialogs unattended;
Dialogs* fallback = &unattended;
Dialogs* installed = nullptr;

} // namespace

Dialogs& CurrentDialogs()
{
    return installed ? *installed : *fallback;
}

void InstallDialogs(Dialogs* dialogs)
{
    installed = dialogs;
}

void SetDefaultDialogs(Dialogs* dialogs)
{
    fallback = dialogs ? dialogs : &unattended;
}

MsgAnswer MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                 MsgDefault defaultButton, MsgEscape escape)
{
    return CurrentDialogs().MsgBox(text, buttons, icon, title, defaultButton, escape);
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    return CurrentDialogs().InputBox(prompt, title, defaultText);
}

QString ShownTitle(const QString& title)
{
    return title.isEmpty() ? QStringLiteral("Tarvik\u00AE Computer Vavedaver") : title;
}

bool OffersAnswer(MsgButtons buttons, MsgAnswer answer)
{
    switch (buttons) {
    case MsgButtons::OK: return answer == MsgAnswer::OK;
    case MsgButtons::OKCancel: return answer == MsgAnswer::OK || answer == MsgAnswer::Cancel;
    case MsgButtons::YesNo: return answer == MsgAnswer::Yes || answer == MsgAnswer::No;
    case MsgButtons::YesNoCancel:
        return answer == MsgAnswer::Yes || answer == MsgAnswer::No || answer == MsgAnswer::Cancel;
    case MsgButtons::RetryCancel: return answer == MsgAnswer::Retry || answer == MsgAnswer::Cancel;
    }
    return false;
}

MsgAnswer SafeAnswer(MsgButtons buttons)
{
    for (MsgAnswer answer : {MsgAnswer::Cancel, MsgAnswer::No})
        if (OffersAnswer(buttons, answer))
            return answer;
    return MsgAnswer::OK;
}

QString QtFileFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(u';', u' ');
        entries << parts[i].trimmed() + QStringLiteral(" (") + patterns + u')';
    }
    return entries.join(QStringLiteral(";;"));
}

} // namespace kvl
