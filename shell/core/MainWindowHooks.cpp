#include "shell/core/MainWindowHooks.h"

namespace kvl {

namespace {
MainWindowHooks defaultHooks;
MainWindowHooks* installed = nullptr;
} // namespace

MainWindowHooks& CurrentMainWindowHooks()
{
    return installed ? *installed : defaultHooks;
}

void InstallMainWindowHooks(MainWindowHooks* hooks)
{
    installed = hooks;
}

} // namespace kvl
