#pragma once
// Sets (or unsets) one environment variable for a scope and puts back what stood before.

#include <QByteArray>

namespace kvl::test {

class ScopedEnv {
public:
    // A null value unsets the variable.
    ScopedEnv(const char* name, const QByteArray& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    bool wasSet_;
    QByteArray previous_;
};

} // namespace kvl::test
