#include "shell/core/Global_Vars.h"

namespace kvl {

Global_Vars gv;

db::Database& LogDB()
{
    if (!gv.DB)
        throw db::DbError(21, "No dive log is open.");   // SQLite's "misuse"
    return *gv.DB;
}

} // namespace kvl
