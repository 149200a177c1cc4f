#include "shell/core/FormTable.h"

#include <map>

namespace kvl {

namespace {

std::map<int, FormTableEntry>& Table()
{
    static std::map<int, FormTableEntry> table;
    return table;
}

const FormTableEntry* EntryOf(int code)
{
    const auto it = Table().find(code);
    return it == Table().end() ? nullptr : &it->second;
}

} // namespace

void RegisterForm(int code, FormTableEntry entry)
{
    Table()[code] = std::move(entry);
}

ChildFormInterface* FormOf(int code)
{
    const FormTableEntry* entry = EntryOf(code);
    return entry ? &entry->instance() : nullptr;
}

ChildFormInterface* ExistingForm(int code)
{
    const FormTableEntry* entry = EntryOf(code);
    return entry && entry->exists() ? &entry->instance() : nullptr;
}

bool SaveFormChanges(int code)
{
    const FormTableEntry* entry = EntryOf(code);
    return !entry || !entry->save || entry->save();
}

void RefreshForm(int code)
{
    const FormTableEntry* entry = EntryOf(code);
    if (entry && entry->refresh)
        entry->refresh();
}

bool HidesOnClose(int code)
{
    const FormTableEntry* entry = EntryOf(code);
    return entry && entry->hidesOnClose;
}

} // namespace kvl
