#include "tests/support/ScopedEnv.h"

#include <QtGlobal>

namespace kvl::test {

namespace {

void SetEnv(const char* name, bool set, const QByteArray& value)
{
    if (set)
        qputenv(name, value);
    else
        qunsetenv(name);
}

} // namespace

ScopedEnv::ScopedEnv(const char* name, const QByteArray& value)
    : name_(name), wasSet_(qEnvironmentVariableIsSet(name)), previous_(qgetenv(name))
{
    SetEnv(name_, !value.isNull(), value);
}

ScopedEnv::~ScopedEnv()
{
    SetEnv(name_, wasSet_, previous_);
}

} // namespace kvl::test
