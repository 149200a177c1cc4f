#pragma once
// A log as a program killed in the middle of a save leaves it: some of the save's pages
// already written into the file, the pages they replaced kept in its journal
// ("<log>-journal"), which the database rolls back into the file at its next open.

#include <QString>

namespace kvl::test {

// Runs a save that changes every diver's name to newName and grows the log, in a child
// process that is killed once the save has begun writing into the log; a failure fails
// the test. The log must not be open in this process.
void KillASaveMidway(const QString& log, const QString& newName);

} // namespace kvl::test
