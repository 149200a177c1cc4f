#include "forms/FormHost.h"

#include <stdexcept>

namespace kvl {

namespace {
FormHostAccess installed;
} // namespace

void InstallFormHost(FormHostAccess access)
{
    installed = access;
}

ChildFormHost* ExistingFormHost()
{
    return installed.existing ? installed.existing() : nullptr;
}

ChildFormHost& FormHost()
{
    if (!installed.make)
        throw std::logic_error("no window is installed to hold the child forms");
    return installed.make();
}

} // namespace kvl
