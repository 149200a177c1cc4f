#include "platform/dialogs/Dialogs.h"
#include "platform/folders/Folders.h"
#include "shell/MDI_MainFrm.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication::setApplicationName(QStringLiteral("KVL"));
    QApplication app(argc, argv);

    const QString error = kvl::LayOutProgramFolder();
    if (!error.isEmpty()) {
        kvl::MsgBox(error, kvl::MsgButtons::OK, kvl::MsgIcon::Critical);
        return 1;
    }

    kvl::MDI_MainFrm& window = kvl::MainFrm();
    if (!window.MDIForm_Load())
        return 0;
    window.showMaximized();
    return app.exec();
}
