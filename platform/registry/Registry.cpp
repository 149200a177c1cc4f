#include "platform/registry/Registry.h"

#include <QDir>
#include <QHash>
#include <QSettings>
#include <QStandardPaths>

#include <memory>

namespace kvl {

namespace {

// Each key is an INI group "ROOT/Segment/...". Values are stored with their type
// as a prefix ("sz:text", "dword:0000002a"). A key created without values keeps
// an untyped marker entry so that it exists, until its first value is written.
const QString Marker = QStringLiteral("@");
const QString TextPrefix = QStringLiteral("sz:");
const QString NumberPrefix = QStringLiteral("dword:");

// Open handles and the key path each names.
QHash<HKEY, QString>& OpenKeys()
{
    static QHash<HKEY, QString> keys{{HKEY_CURRENT_USER, QStringLiteral("HKEY_CURRENT_USER")},
                                     {HKEY_LOCAL_MACHINE, QStringLiteral("HKEY_LOCAL_MACHINE")}};
    return keys;
}

bool IsRoot(HKEY key) { return key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE; }

std::unique_ptr<QSettings> OpenStore()
{
    return std::make_unique<QSettings>(RegistryFile(), QSettings::IniFormat);
}

QString FindIgnoringCase(const QStringList& names, const QString& name)
{
    for (const QString& n : names)
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return n;
    return QString();
}

// The stored path of subKey below the key at `base`, matching existing keys without
// regard to case. A missing key gives "" unless `create` is set.
QString ResolveKey(QSettings& store, const QString& base, const QString& subKey, bool create)
{
    QString path = base;
    store.beginGroup(base);
    bool found = true;
    for (const QString& segment : subKey.split(u'\\', Qt::SkipEmptyParts)) {
        QString existing = found ? FindIgnoringCase(store.childGroups(), segment) : QString();
        found = !existing.isEmpty();
        if (!found && !create)
            break;
        const QString name = found ? existing : segment;
        store.beginGroup(name);
        path += u'/' + name;
    }
    while (!store.group().isEmpty())
        store.endGroup();
    return found || create ? path : QString();
}

qint32 OpenOrCreate(HKEY key, const QString& subKey, HKEY* result, bool create)
{
    static HKEY nextHandle = 1;
    const auto base = OpenKeys().constFind(key);
    if (base == OpenKeys().constEnd())
        return ERROR_INVALID_HANDLE;
    auto store = OpenStore();
    const QString path = ResolveKey(*store, *base, subKey, create);
    if (path.isEmpty())
        return ERROR_FILE_NOT_FOUND;
    if (create) {
        store->beginGroup(path);
        if (store->childKeys().isEmpty() && store->childGroups().isEmpty())
            store->setValue(Marker, QString());
        store->endGroup();
    }
    *result = nextHandle++;
    OpenKeys().insert(*result, path);
    return ERROR_SUCCESS;
}

} // namespace

QString RegistryFile()
{
    const QString home = qEnvironmentVariable("KVL_HOME");
    if (!home.isEmpty())
        return QDir(home).filePath(QStringLiteral("registry.ini"));
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/KVL/registry.ini");
}

qint32 RegOpenKey(HKEY key, const QString& subKey, HKEY* result)
{
    return OpenOrCreate(key, subKey, result, false);
}

qint32 RegCreateKey(HKEY key, const QString& subKey, HKEY* result)
{
    return OpenOrCreate(key, subKey, result, true);
}

qint32 RegQueryValueEx(HKEY key, const QString& valueName, qint32* type, QVariant* data)
{
    const auto path = OpenKeys().constFind(key);
    if (path == OpenKeys().constEnd())
        return ERROR_INVALID_HANDLE;
    auto store = OpenStore();
    store->beginGroup(*path);
    const QString name = FindIgnoringCase(store->childKeys(), valueName);
    const QString stored = name.isEmpty() ? QString() : store->value(name).toString();
    if (stored.startsWith(TextPrefix)) {
        *type = REG_SZ;
        if (data)
            *data = stored.mid(TextPrefix.size());
    } else if (stored.startsWith(NumberPrefix)) {
        *type = REG_DWORD;
        if (data)
            *data = qint32(stored.mid(NumberPrefix.size()).toUInt(nullptr, 16));
    } else {
        return ERROR_FILE_NOT_FOUND;
    }
    return ERROR_SUCCESS;
}

qint32 RegSetValueEx(HKEY key, const QString& valueName, qint32 type, const QVariant& data)
{
    const auto path = OpenKeys().constFind(key);
    if (path == OpenKeys().constEnd())
        return ERROR_INVALID_HANDLE;
    QString stored;
    if (type == REG_SZ) {
        stored = TextPrefix + data.toString();
    } else if (type == REG_DWORD) {
        bool ok = false;
        const quint32 number = quint32(data.toLongLong(&ok));
        if (!ok)
            return ERROR_INVALID_PARAMETER;
        stored = NumberPrefix + QString::number(number, 16).rightJustified(8, u'0');
    } else {
        return ERROR_INVALID_PARAMETER;
    }
    auto store = OpenStore();
    store->beginGroup(*path);
    store->remove(Marker);
    const QString existing = FindIgnoringCase(store->childKeys(), valueName);
    store->setValue(existing.isEmpty() ? valueName : existing, stored);
    store->endGroup();
    store->sync();
    return store->status() == QSettings::NoError ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

qint32 RegFlushKey(HKEY key)
{
    if (!OpenKeys().contains(key))
        return ERROR_INVALID_HANDLE;
    auto store = OpenStore();
    store->sync();
    return store->status() == QSettings::NoError ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

qint32 RegCloseKey(HKEY key)
{
    if (IsRoot(key))
        return ERROR_SUCCESS;
    return OpenKeys().remove(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

} // namespace kvl
