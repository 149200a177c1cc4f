#include "forms/ModalForms.h"

#include <QDialog>

namespace kvl {

namespace {
ModalRunner& Runner()
{
    static ModalRunner runner;
    return runner;
}
} // namespace

int ShowModal(QDialog& dialog)
{
    if (Runner())
        return Runner()(dialog);
    return dialog.exec();
}

void InstallModalRunner(ModalRunner runner)
{
    Runner() = std::move(runner);
}

} // namespace kvl
