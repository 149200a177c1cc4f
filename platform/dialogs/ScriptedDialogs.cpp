#include "platform/dialogs/ScriptedDialogs.h"

#include <cstdio>
#include <cstdlib>

namespace kvl {

namespace {

QString KindName(PromptKind kind)
{
    switch (kind) {
    case PromptKind::Message: return QStringLiteral("message");
    case PromptKind::Input: return QStringLiteral("input box");
    case PromptKind::OpenFile: return QStringLiteral("open-file dialog");
    case PromptKind::SaveFile: return QStringLiteral("save-file dialog");
    }
    return {};
}

bool HasText(PromptKind kind)
{
    return kind == PromptKind::Message || kind == PromptKind::Input;
}

QString Describe(PromptKind kind, const QString& text)
{
    return HasText(kind) ? KindName(kind) + QStringLiteral(" \"") + text + u'"' : KindName(kind);
}

QString AnswerName(MsgAnswer answer)
{
    switch (answer) {
    case MsgAnswer::OK: return QStringLiteral("OK");
    case MsgAnswer::Cancel: return QStringLiteral("Cancel");
    case MsgAnswer::Yes: return QStringLiteral("Yes");
    case MsgAnswer::No: return QStringLiteral("No");
    case MsgAnswer::Retry: return QStringLiteral("Retry");
    }
    return {};
}

} // namespace

ScriptedDialogs::ScriptedDialogs()
    : onFailure_([](const QString& failure) {
          std::fprintf(stderr, "ScriptedDialogs: %s\n", qPrintable(failure));
          std::abort();
      })
{
}

ScriptedDialogs& ScriptedDialogs::ExpectMsg(const QString& text, MsgAnswer answer)
{
    return Expect({PromptKind::Message, text, answer, {}});
}

ScriptedDialogs& ScriptedDialogs::ExpectEscape(const QString& text)
{
    return Expect({PromptKind::Message, text, MsgAnswer::OK, {}, true});
}

ScriptedDialogs& ScriptedDialogs::ExpectInput(const QString& prompt, const QString& answer)
{
    return Expect({PromptKind::Input, prompt, MsgAnswer::OK, answer});
}

ScriptedDialogs& ScriptedDialogs::ExpectOpenFile(const QString& path)
{
    return Expect({PromptKind::OpenFile, {}, MsgAnswer::OK, path});
}

ScriptedDialogs& ScriptedDialogs::ExpectSaveFile(const QString& path)
{
    return Expect({PromptKind::SaveFile, {}, MsgAnswer::OK, path});
}

ScriptedDialogs& ScriptedDialogs::Expect(Expected expected)
{
    queue_.push_back(std::move(expected));
    return *this;
}

void ScriptedDialogs::SetFailureHook(FailureHook hook)
{
    onFailure_ = std::move(hook);
}

std::vector<Prompt> ScriptedDialogs::Messages() const
{
    std::vector<Prompt> messages;
    for (const Prompt& prompt : prompts_)
        if (prompt.kind == PromptKind::Message)
            messages.push_back(prompt);
    return messages;
}

QStringList ScriptedDialogs::MessageTexts() const
{
    QStringList texts;
    for (const Prompt& message : Messages())
        texts << message.text;
    return texts;
}

QStringList ScriptedDialogs::Pending() const
{
    QStringList pending;
    for (const Expected& expected : queue_)
        pending << Describe(expected.kind, expected.text);
    return pending;
}

void ScriptedDialogs::VerifyAllUsed()
{
    if (queue_.empty())
        return;
    const QString failure = QStringLiteral("expected but never shown: ") + Pending().join(QStringLiteral(", "));
    queue_.clear();
    Fail(failure);
}

std::optional<ScriptedDialogs::Expected> ScriptedDialogs::Take(const Prompt& prompt)
{
    prompts_.push_back(prompt);
    return Next(prompt);
}

std::optional<ScriptedDialogs::Expected> ScriptedDialogs::Next(const Prompt& prompt)
{
    const bool matches = !queue_.empty() && queue_.front().kind == prompt.kind
                         && (!HasText(prompt.kind) || queue_.front().text == prompt.text);
    if (!matches) {
        const QString expected = queue_.empty() ? QStringLiteral("nothing")
                                                : Describe(queue_.front().kind, queue_.front().text);
        Fail(QStringLiteral("unexpected ") + Describe(prompt.kind, prompt.text) + QStringLiteral(" (title \"")
             + prompt.title + QStringLiteral("\"); expected ") + expected);
        return std::nullopt;
    }
    Expected expected = std::move(queue_.front());
    queue_.pop_front();
    return expected;
}

MsgAnswer ScriptedDialogs::MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                                  MsgDefault defaultButton, MsgEscape escape)
{
    const Prompt shown{PromptKind::Message, ShownTitle(title), text, buttons, icon, {}, {}, defaultButton, escape};
    std::optional<Expected> expected = Take(shown);
    while (expected && expected->escape) {
        if (escape == MsgEscape::SafeAnswer)
            return SafeAnswer(buttons);
        expected = Next(shown);   // Escape did nothing: the box waits for the user's next act
    }
    if (!expected)
        return SafeAnswer(buttons);
    if (!OffersAnswer(buttons, expected->answer)) {
        Fail(QStringLiteral("message \"") + text + QStringLiteral("\" has no button ") + AnswerName(expected->answer));
        return SafeAnswer(buttons);
    }
    return expected->answer;
}

QString ScriptedDialogs::InputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    Prompt shown{PromptKind::Input, ShownTitle(title), prompt, MsgButtons::OKCancel, MsgIcon::None, defaultText, {},
                 MsgDefault::First};
    const std::optional<Expected> expected = Take(shown);
    return expected ? expected->answerText : QString();
}

QString ScriptedDialogs::FileAnswer(PromptKind kind, const FileDialogRequest& request)
{
    Prompt shown{kind, request.title, {}, MsgButtons::OKCancel, MsgIcon::None, {}, request, MsgDefault::First};
    const std::optional<Expected> expected = Take(shown);
    return expected ? expected->answerText : QString();
}

QString ScriptedDialogs::OpenFile(const FileDialogRequest& request)
{
    return FileAnswer(PromptKind::OpenFile, request);
}

QString ScriptedDialogs::SaveFile(const FileDialogRequest& request)
{
    return FileAnswer(PromptKind::SaveFile, request);
}

void ScriptedDialogs::Fail(const QString& failure)
{
    onFailure_(failure);
}

} // namespace kvl
