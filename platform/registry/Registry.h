#pragma once
// A small stand-in for the registry: keys named by backslash paths under the two
// root keys, holding text (type 1) and 32-bit number (type 4) values, kept in an
// INI file: "registry.ini" in $KVL_HOME when that is set, else in the user's config
// folder ("KVL/registry.ini"). Key and value names compare without regard to case,
// and "A\B\" names the same key as "A\B". Results are the registry's status codes.

#include <QString>
#include <QVariant>

namespace kvl {

using HKEY = quint32;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;

inline constexpr qint32 REG_SZ = 1;
inline constexpr qint32 REG_DWORD = 4;

inline constexpr qint32 ERROR_SUCCESS = 0;
inline constexpr qint32 ERROR_FILE_NOT_FOUND = 2;
inline constexpr qint32 ERROR_ACCESS_DENIED = 5;
inline constexpr qint32 ERROR_INVALID_HANDLE = 6;
inline constexpr qint32 ERROR_INVALID_PARAMETER = 87;

// The INI file that holds the keys.
QString RegistryFile();

// Opens an existing key below an open key (or a root key); *result gets its handle.
qint32 RegOpenKey(HKEY key, const QString& subKey, HKEY* result);
// Opens a key, first creating every missing key on its path.
qint32 RegCreateKey(HKEY key, const QString& subKey, HKEY* result);
// Reads a value: its type into *type and, when data is not null, the value
// (a QString for REG_SZ, a qint32 for REG_DWORD) into *data.
qint32 RegQueryValueEx(HKEY key, const QString& valueName, qint32* type, QVariant* data);
// Writes a value of type REG_SZ (data as text) or REG_DWORD (data as a whole number).
qint32 RegSetValueEx(HKEY key, const QString& valueName, qint32 type, const QVariant& data);
qint32 RegFlushKey(HKEY key);
qint32 RegCloseKey(HKEY key);

} // namespace kvl
