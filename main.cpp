#include "platform/dialogs/Dialogs.h"
#include "platform/dialogs/qt/QtDialogs.h"
#include "platform/db/Db.h"
#include "platform/folders/Folders.h"
#include "platform/runtime/Logging.h"
#include "platform/serial/qt/QtSerialPort.h"
#include "shell/MDI_MainFrm.h"

#include <QApplication>

#include <exception>

namespace {

void ShowUnexpectedError(const std::exception& error)
{
    kvl::MsgBox(kvl::db::ExplainFailure(kvlUi(), error, "a command"), kvl::MsgButtons::OK,
                kvl::MsgIcon::Critical, "Error");
}

// The last safety net: an error that no command handled is shown, and the program
// goes on instead of ending without a word.
class KvlApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            ShowUnexpectedError(error);
        }
        return false;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication::setApplicationName(QStringLiteral("KVL"));
    KvlApplication app(argc, argv);
    kvl::QtDialogs qtDialogs;
    kvl::SetDefaultDialogs(&qtDialogs);
    kvl::InstallQtPortLister();

    const QString error = kvl::LayOutProgramFolder();
    if (!error.isEmpty()) {
        kvl::MsgBox(error, kvl::MsgButtons::OK, kvl::MsgIcon::Critical);
        return 1;
    }

    kvl::MDI_MainFrm& window = kvl::MainFrm();
    try {
        if (!window.MDIForm_Load())
            return 0;
    } catch (const std::exception& failure) {
        ShowUnexpectedError(failure);
        return 1;
    }
    window.showMaximized();
    return app.exec();
}
