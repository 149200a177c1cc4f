#pragma once
// Modal windows are shown through here. Tests install a runner that plays the
// user's part on the loaded window instead of entering its modal loop.

#include <functional>

class QDialog;

namespace kvl {

// Shows the dialog modally and returns its result code.
int ShowModal(QDialog& dialog);

// Returns the dialog's result code; an empty runner restores the modal loop.
using ModalRunner = std::function<int(QDialog&)>;
void InstallModalRunner(ModalRunner runner);

} // namespace kvl
