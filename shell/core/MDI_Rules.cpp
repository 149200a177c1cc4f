#include "shell/core/MDI_Rules.h"

#include <array>

namespace kvl {

namespace {

struct FormEntry {
    int code;
    const char* key;
    SaveRule onClose;
    SaveRule onSaveCommand;
    SaveRule beforePrint;
};

constexpr std::array<FormEntry, 9> kForms{{
    {FormCode::Personal, "Personal", SaveRule::Always, SaveRule::Nothing, SaveRule::Always},
    {FormCode::DiveComputer, "DiveComputer", SaveRule::Nothing, SaveRule::Nothing, SaveRule::Nothing},
    {FormCode::Dive, "Dive", SaveRule::IfDiveChangedOrNew, SaveRule::IfDiveChangedOrNew, SaveRule::IfDiveChanged},
    {FormCode::Buddies, "Buddies", SaveRule::IfPersonChanged, SaveRule::Always, SaveRule::IfPersonChanged},
    {FormCode::Location, "Location", SaveRule::Always, SaveRule::Always, SaveRule::Always},
    {FormCode::Details, "Details", SaveRule::Nothing, SaveRule::Nothing, SaveRule::Nothing},
    {FormCode::Gear, "Gear", SaveRule::Always, SaveRule::Always, SaveRule::Always},
    {FormCode::History, "History", SaveRule::Nothing, SaveRule::Nothing, SaveRule::Nothing},
    {FormCode::Queries, "Queries", SaveRule::Nothing, SaveRule::Nothing, SaveRule::Nothing},
}};

const FormEntry* FindForm(int code)
{
    for (const auto& f : kForms)
        if (f.code == code)
            return &f;
    return nullptr;
}

} // namespace

int FormCodeOfKey(const QString& key)
{
    for (const auto& f : kForms)
        if (key == QLatin1String(f.key))
            return f.code;
    return -1;
}

QString SideBarKeyOfForm(int code)
{
    const FormEntry* f = FindForm(code);
    return f ? QString::fromLatin1(f->key) : QString();
}

bool OpensWithoutDive(const QString& key)
{
    return key == QLatin1String("DiveComputer") || key == QLatin1String("Buddies") ||
           key == QLatin1String("Personal");
}

SaveRule SaveRuleOf(SaveOccasion occasion, int code)
{
    const FormEntry* f = FindForm(code);
    if (!f)
        return SaveRule::Nothing;
    switch (occasion) {
    case SaveOccasion::Closing: return f->onClose;
    case SaveOccasion::SaveCommand: return f->onSaveCommand;
    case SaveOccasion::BeforePrint: return f->beforePrint;
    }
    return SaveRule::Nothing;
}

ToolCommand ToolCommandOfKey(const QString& key)
{
    static const std::array<std::pair<const char*, ToolCommand>, 21> kKeys{{
        {"Exit", ToolCommand::Exit},
        {"Save", ToolCommand::Save},
        {"AddDive", ToolCommand::AddDive},
        {"DeleteAllDives", ToolCommand::DeleteAllDives},
        {"DeleteDive", ToolCommand::DeleteDive},
        {"FirstDive", ToolCommand::Navigate},
        {"PrevDive", ToolCommand::Navigate},
        {"NextDive", ToolCommand::Navigate},
        {"LastDive", ToolCommand::Navigate},
        {"Print", ToolCommand::Print},
        {"LastSettings", ToolCommand::LastSettings},
        {"Manufacturing", ToolCommand::Manufacturing},
        {"ReadSettings", ToolCommand::ReadSettings},
        {"WriteSettings", ToolCommand::WriteSettings},
        {"OpenLog", ToolCommand::OpenLog},
        {"NewLog", ToolCommand::NewLog},
        {"Export", ToolCommand::Export},
        {"HelpContents", ToolCommand::Help},
        {"TechSupport", ToolCommand::TechSupport},
        {"About", ToolCommand::About},
        {"RestoreLog", ToolCommand::RestoreLog},
    }};
    for (const auto& [k, command] : kKeys)
        if (key == QLatin1String(k))
            return command;
    return ToolCommand::None;   // "Import", "Sort" and anything else
}

std::optional<int> NavigationTarget(const QString& key, int pos, int count, bool currentRemoved)
{
    if (count <= 0)
        return std::nullopt;
    const int last = count - 1;
    if (key == QLatin1String("FirstDive"))
        return 0;
    if (key == QLatin1String("LastDive"))
        return last;
    if (key == QLatin1String("NextDive"))
        return std::min(currentRemoved ? pos : pos + 1, last);
    if (key == QLatin1String("PrevDive")) {
        if (pos - 1 >= 0)
            return std::min(pos - 1, last);
        // Before the first row: stay on the first dive, which needs showing only when
        // the dive on screen was taken away.
        return currentRemoved ? std::optional<int>(0) : std::nullopt;
    }
    return std::nullopt;
}

AddDiveAction AddDiveActionOf(int addDiveMode)
{
    switch (addDiveMode) {
    case kAddCancelled: return AddDiveAction::Cancelled;
    case kAddAtBeginning: return AddDiveAction::ShiftAllThenAdd;
    case kAddAtTypedNumber: return AddDiveAction::ShiftFromThenAdd;
    case kAddAfterLast: return AddDiveAction::Add;
    case kAddAtBeginning + kAddDownload:
    case kAddAtTypedNumber + kAddDownload:
    case kAddAfterLast + kAddDownload: return AddDiveAction::Download;
    default: return AddDiveAction::Nothing;
    }
}

} // namespace kvl
