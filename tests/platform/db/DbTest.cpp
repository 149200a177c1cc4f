#include "platform/db/Db.h"
#include <gtest/gtest.h>
TEST(Db, Builds) {}
