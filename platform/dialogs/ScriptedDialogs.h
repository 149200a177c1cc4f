#pragma once
// A dialog backend for tests. The test queues the prompts it expects, in order,
// with their answers; every prompt shown is recorded. A prompt that does not
// match the next queued one (kind and exact text) is reported through the
// failure hook and answered as if the user backed out: Cancel, No, OK or "".
//
//   ScriptedDialogs dialogs;
//   dialogs.ExpectMsg("Do you want to save the changes?", MsgAnswer::No)
//          .ExpectSaveFile("/tmp/x/Backup/a.bak");
//   InstallDialogs(&dialogs);

#include "platform/dialogs/Dialogs.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace kvl {

enum class PromptKind { Message, Input, OpenFile, SaveFile };

// One prompt as the program showed it.
struct Prompt {
    PromptKind kind = PromptKind::Message;
    QString title;                          // as shown (see ShownTitle); file dialogs: as requested
    QString text;                           // message text or input prompt
    MsgButtons buttons = MsgButtons::OK;    // messages only
    MsgIcon icon = MsgIcon::None;           // messages only
    QString defaultText;                    // input boxes only
    FileDialogRequest file;                 // file dialogs only
    MsgDefault defaultButton = MsgDefault::First;   // messages only
    MsgEscape escape = MsgEscape::SafeAnswer;       // messages only
};

class ScriptedDialogs : public Dialogs {
public:
    using FailureHook = std::function<void(const QString& failure)>;

    ScriptedDialogs();

    ScriptedDialogs& ExpectMsg(const QString& text, MsgAnswer answer = MsgAnswer::OK);
    // The user presses Escape at this message. A box with an escape answer gives it; a
    // box without one stays, and the next expected answer to the same message ends it.
    ScriptedDialogs& ExpectEscape(const QString& text);
    ScriptedDialogs& ExpectInput(const QString& prompt, const QString& answer);
    ScriptedDialogs& ExpectOpenFile(const QString& path);
    ScriptedDialogs& ExpectSaveFile(const QString& path);

    // Called on every unexpected prompt and by VerifyAllUsed. The default writes
    // the failure to stderr and aborts.
    void SetFailureHook(FailureHook hook);

    // Every prompt shown, in order; the messages alone; their texts alone.
    const std::vector<Prompt>& Prompts() const { return prompts_; }
    std::vector<Prompt> Messages() const;
    QStringList MessageTexts() const;

    // Queued prompts that were not shown yet, described for a failure message.
    QStringList Pending() const;
    // Reports every queued prompt that was not shown, then forgets them.
    void VerifyAllUsed();

    MsgAnswer MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                     MsgDefault defaultButton, MsgEscape escape) override;
    QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString OpenFile(const FileDialogRequest& request) override;
    QString SaveFile(const FileDialogRequest& request) override;

private:
    struct Expected {
        PromptKind kind;
        QString text;          // messages and input boxes: matched exactly
        MsgAnswer answer = MsgAnswer::OK;
        QString answerText;    // input text or file path
        bool escape = false;   // messages: Escape rather than a button
    };

    ScriptedDialogs& Expect(Expected expected);
    // Records the prompt and takes its queued answer when it is the one expected
    // next; otherwise reports the failure and takes nothing.
    std::optional<Expected> Take(const Prompt& prompt);
    // Takes the queued answer when it is for this prompt, without recording it again.
    std::optional<Expected> Next(const Prompt& prompt);
    QString FileAnswer(PromptKind kind, const FileDialogRequest& request);
    void Fail(const QString& failure);

    std::deque<Expected> queue_;
    std::vector<Prompt> prompts_;
    FailureHook onFailure_;
};

} // namespace kvl
