#include "forms/HelpWindow.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QTextBrowser>

namespace kvl {

namespace {

// Closes on Escape and Ctrl+W, as a help window does.
class HelpBrowser : public QTextBrowser {
protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool ctrlW = event->key() == Qt::Key_W && event->modifiers() == Qt::ControlModifier;
        if (event->key() == Qt::Key_Escape || ctrlW || event->matches(QKeySequence::Close)) {
            close();
            return;
        }
        QTextBrowser::keyPressEvent(event);
    }
};

QPointer<QTextBrowser> helpWindow;

} // namespace

QString HelpAnchor(int context)
{
    switch (context) {
    case HelpReadSettings:
        return "read-settings";
    case HelpWriteSettings:
        return "write-settings";
    case HelpDownload:
        return "download";
    case HelpTechnicalSupport:
        return "technical-support";
    default:
        return "contents";
    }
}

void ShowHelp(const QString& helpFile, int context)
{
    if (!helpWindow) {
        helpWindow = new HelpBrowser();
        helpWindow->setAttribute(Qt::WA_DeleteOnClose);
        helpWindow->setWindowTitle("KVL Help");
        helpWindow->setOpenExternalLinks(true);
        helpWindow->resize(760, 620);
    }
    if (QFileInfo(helpFile).isFile()) {
        QUrl page = QUrl::fromLocalFile(QFileInfo(helpFile).absoluteFilePath());
        page.setFragment(HelpAnchor(context));
        helpWindow->setSource(page);
        helpWindow->scrollToAnchor(HelpAnchor(context));
    } else {
        helpWindow->setSource(QUrl());
        helpWindow->setPlainText("The help file " + helpFile + " could not be found.");
    }
    helpWindow->show();
    helpWindow->raise();
    helpWindow->activateWindow();
}

QUrl ShownHelpPage()
{
    return helpWindow ? helpWindow->source() : QUrl();
}

} // namespace kvl
