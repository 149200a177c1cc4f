#include "shell/Global_Vars.h"

namespace kvl {

Global_Vars gv;

} // namespace kvl
