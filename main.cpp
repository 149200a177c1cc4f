#include "platform/dialogs/Dialogs.h"
#include "platform/folders/Folders.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[])
{
    QApplication::setApplicationName(QStringLiteral("KVL"));
    QApplication app(argc, argv);

    const QString error = kvl::LayOutProgramFolder();
    if (!error.isEmpty()) {
        kvl::MsgBox(error, kvl::MsgButtons::OK, kvl::MsgIcon::Critical);
        return 1;
    }

    QLabel window(QStringLiteral("KVL"));
    window.setWindowTitle(QStringLiteral("TARVIK\u00AE Computer Vavedaver"));
    window.resize(800, 600);
    window.show();
    return app.exec();
}
