#pragma once

namespace kvl {

// Enters every child form in the shell's table of forms (FormTable.h) and makes the
// main window the forms' host (FormHost.h). The main window does it when it is made;
// so do the tests' fixtures.
void RegisterChildForms();

} // namespace kvl
