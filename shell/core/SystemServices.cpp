#include "shell/core/SystemServices.h"

#include "platform/runtime/Runtime.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <sys/resource.h>
#include <unistd.h>

namespace kvl {

namespace {

struct ClassNice {
    qint32 priorityClass;
    int nice;
};

constexpr ClassNice ClassNices[] = {
    {REALTIME_PRIORITY_CLASS, -20},   {HIGH_PRIORITY_CLASS, -10},
    {ABOVE_NORMAL_PRIORITY_CLASS, -5}, {NORMAL_PRIORITY_CLASS, 0},
    {BELOW_NORMAL_PRIORITY_CLASS, 10}, {IDLE_PRIORITY_CLASS, 19},
};

const ClassNice* FindClass(qint32 priorityClass)
{
    for (const ClassNice& c : ClassNices)
        if (c.priorityClass == priorityClass)
            return &c;
    return nullptr;
}

qint32 ClassOfNice(int nice)
{
    const ClassNice* best = &ClassNices[0];
    for (const ClassNice& c : ClassNices)
        if (std::abs(c.nice - nice) < std::abs(best->nice - nice))
            best = &c;
    return best->priorityClass;
}

qint32 ownClass = NORMAL_PRIORITY_CLASS;

} // namespace

QString GetWindowsVersion()
{
    return QStringLiteral("Linux");
}

qint32 RegQueryString(HKEY key, const QString& valueName, QVariant& value)
{
    qint32 type = 0;
    const qint32 status = RegQueryValueEx(key, valueName, &type, nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    if (type != REG_SZ && type != REG_DWORD)
        return -1;
    QVariant read;
    const qint32 readStatus = RegQueryValueEx(key, valueName, &type, &read);
    if (readStatus == ERROR_SUCCESS)
        value = read;
    return readStatus;
}

QString GetRegSetting(HKEY root, const QString& subKey, const QString& valueName)
{
    HKEY key = 0;
    qint32 type = 0;
    QVariant value;
    const bool found = RegOpenKey(root, subKey, &key) == ERROR_SUCCESS
                       && RegQueryValueEx(key, valueName, &type, &value) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found ? value.toString() : QStringLiteral("Not Found");
}

void SaveRegSetting(HKEY root, const QString& subKey, const QString& valueName, qint32 valueType,
                    const QVariant& value)
{
    HKEY key = 0;
    if (RegCreateKey(root, subKey, &key) != ERROR_SUCCESS)
        return;
    if (valueType == REG_DWORD)
        RegSetValueEx(key, valueName, REG_DWORD, RoundHalfEven(value.toDouble()));
    else
        RegSetValueEx(key, valueName, REG_SZ, value.toString());
    RegFlushKey(key);
    RegCloseKey(key);
}

bool FileExists(const QString& path)
{
    if (path.isEmpty() || QFileInfo(path).isDir())
        return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

qint32 SetProcessPriority(qint32 processId, qint32 windowHandle, qint32 priorityClass)
{
    (void)windowHandle;
    const bool own = processId == 0 || processId == getpid();
    const id_t who = own ? 0 : id_t(processId);
    if (const ClassNice* c = FindClass(priorityClass)) {
        const bool set = setpriority(PRIO_PROCESS, who, c->nice) == 0 || errno == EPERM || errno == EACCES;
        if (set && own)
            ownClass = priorityClass;
    }
    if (own)
        return ownClass;
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, who);
    return nice == -1 && errno != 0 ? 0 : ClassOfNice(nice);
}

} // namespace kvl
