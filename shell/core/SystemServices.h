#pragma once
// Small platform services with the callers' names: the system's name, the
// registry readers and writer, a file test and the process priority.

#include "platform/registry/Registry.h"

#include <QString>
#include <QVariant>

namespace kvl {

// Priority classes as the callers name them.
inline constexpr qint32 IDLE_PRIORITY_CLASS = 64;
inline constexpr qint32 BELOW_NORMAL_PRIORITY_CLASS = 16384;
inline constexpr qint32 NORMAL_PRIORITY_CLASS = 32;
inline constexpr qint32 ABOVE_NORMAL_PRIORITY_CLASS = 32768;
inline constexpr qint32 HIGH_PRIORITY_CLASS = 128;
inline constexpr qint32 REALTIME_PRIORITY_CLASS = 256;

// The system family: "Linux" here, never one of the Windows families.
QString GetWindowsVersion();

// Reads a value of a key the caller has opened. On success value becomes the text
// (without a terminating NUL) or the number; a value that cannot be read leaves it
// unchanged. The result is the registry's status code (0 success, 2 not found,
// -1 a type that is neither text nor number).
qint32 RegQueryString(HKEY key, const QString& valueName, QVariant& value);

// The text value under root\subKey, or "Not Found" when the key or value is missing.
QString GetRegSetting(HKEY root, const QString& subKey, const QString& valueName);

// Writes a value, creating every missing key on the path: type REG_DWORD as a
// whole number, any other type as text. Failures are ignored.
void SaveRegSetting(HKEY root, const QString& subKey, const QString& valueName, qint32 valueType,
                    const QVariant& value);

// True when path names a file that can be opened for reading (not a folder).
bool FileExists(const QString& path);

// Sets the priority class of a process (0: our own; a window handle always names
// one of our own windows) by the nearest nice value. Raising the priority needs a
// privilege we may not have; that refusal is ignored. The result is the class in
// force as the program sees it: for our own process, the class last asked for.
qint32 SetProcessPriority(qint32 processId, qint32 windowHandle, qint32 priorityClass);

} // namespace kvl
