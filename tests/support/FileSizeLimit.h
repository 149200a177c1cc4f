#pragma once
// Runs a step in a child process whose files cannot grow past a size, as on a full
// disk: writes past the limit fail for real (EFBIG) instead of killing the process.

#include <QtGlobal>

#include <functional>

namespace kvl::test {

// The step's return value (0..255) as the child's exit code; -1 when the child died.
int RunWithFileSizeLimit(qint64 limit, const std::function<int()>& step);

} // namespace kvl::test
