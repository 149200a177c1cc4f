#include "shell/core/LogStore.h"

#include "platform/registry/Registry.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/SystemServices.h"

#include <QFile>

#include <algorithm>

#include <sys/stat.h>

namespace kvl {

QString ReadKvlSetting(const QString& valueName)
{
    return GetRegSetting(HKEY_CURRENT_USER, RegKeyKVL, valueName);
}

void WriteKvlSetting(const QString& valueName, const QString& value)
{
    SaveRegSetting(HKEY_CURRENT_USER, RegKeyKVL, valueName, REG_SZ, value);
}

void SaveModelChoice(const QString& valueName, const QString& modelCode)
{
    SaveRegSetting(HKEY_CURRENT_USER, RegKeyVelk, valueName, REG_SZ, modelCode);
    WriteKvlSetting(valueName, modelCode);
}

QString BackupFileName(const QString& logPath, const QDateTime& when)
{
    const qsizetype slash = std::max(logPath.lastIndexOf('/'), logPath.lastIndexOf('\\'));
    const QString fileName = logPath.mid(slash + 1);
    return fileName.left(std::max<qsizetype>(0, fileName.size() - 4)) + "_" + when.toString("yyyyMMddhhmm") + ".bak";
}

bool SameFile(const QString& a, const QString& b)
{
    struct stat first {};
    struct stat second {};
    return ::stat(QFile::encodeName(a).constData(), &first) == 0
           && ::stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev
           && first.st_ino == second.st_ino;
}

bool IsOpenLog(const QString& path)
{
    if (!gv.DB || !gv.DB->IsOpen())
        return false;
    if (gv.LogLock && gv.LogLock->KnowsItsFile())
        return gv.LogLock->Holds(path);
    return SameFile(path, gv.DB->Path());
}

QString AcceptableLogName(const QString& typed)
{
    const QString name = typed.trimmed();
    const bool onlyDots = !name.isEmpty() && name.count('.') == name.size();
    const bool badCharacter = std::any_of(name.begin(), name.end(), [](QChar c) {
        return c == '/' || c == '\\' || c.category() == QChar::Other_Control;
    });
    return onlyDots || badCharacter ? QString() : name;
}

void CloseLogDatabase()
{
    for (auto* set : {&gv.rsDiveData, &gv.rsTemp, &gv.rsDiveDCSettings, &gv.rsUserInfo, &gv.rsUnits})
        set->reset();
    if (gv.DB)
        gv.DB->Close();
    gv.LogLock.reset();
}

void ResetDiveList()
{
    gv.DiveListSQL = AllDivesSQL();
    gv.DiveListParams.clear();
}

bool DiveListFiltered()
{
    return gv.DiveListSQL != AllDivesSQL() || !gv.DiveListParams.empty();
}

QString AllDivesSQL()
{
    return "Select * from DIVEDATA ORDER by " + gv.SortOrder;
}

} // namespace kvl
