#pragma once
// One row's name by its key, shared by the shell's lookups.

#include "shell/core/Global_Vars.h"

namespace kvl {

// Runs sql (one "?" for the key) into rs, leaving the statement in gv.SQLText,
// and returns the row's column as text; notFound when there is no row. A Null
// name throws NullValueError.
QString LookupName(std::unique_ptr<db::Recordset>& rs, const QString& sql, const db::Value& id, const char* column,
                   const QString& notFound);

} // namespace kvl
