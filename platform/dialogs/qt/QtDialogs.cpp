#include "platform/dialogs/qt/QtDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QSpacerItem>

namespace kvl {

namespace {

QMessageBox::StandardButtons QtButtons(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OK: return QMessageBox::Ok;
    case MsgButtons::OKCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// The button Enter presses: the first one unless the second is asked for.
QMessageBox::StandardButton QtDefaultButton(MsgButtons buttons, MsgDefault defaultButton)
{
    const bool second = defaultButton == MsgDefault::Second;
    switch (buttons) {
    case MsgButtons::OK: return QMessageBox::Ok;
    case MsgButtons::OKCancel: return second ? QMessageBox::Cancel : QMessageBox::Ok;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel: return second ? QMessageBox::No : QMessageBox::Yes;
    case MsgButtons::RetryCancel: return second ? QMessageBox::Cancel : QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon QtIcon(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None: return QMessageBox::NoIcon;
    case MsgIcon::Critical: return QMessageBox::Critical;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::Exclamation: return QMessageBox::Warning;
    case MsgIcon::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

MsgAnswer AnswerOf(int clicked, MsgButtons buttons)
{
    switch (clicked) {
    case QMessageBox::Ok: return MsgAnswer::OK;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Retry: return MsgAnswer::Retry;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    default: return SafeAnswer(buttons);
    }
}

// Keeps a box open through Escape and the title bar's close button: only a button answers.
class WaitForAButton : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Cancel))
            return true;
        return QObject::eventFilter(watched, event);
    }
};

// The folder and proposed name the dialog opens with.
QString StartPath(const FileDialogRequest& request)
{
    if (request.fileName.isEmpty())
        return request.folder;
    return request.folder.isEmpty() ? request.fileName : QDir(request.folder).filePath(request.fileName);
}

// Keeps a dialog as wide as its title bar needs, so that the window manager does not
// cut the title short. The dialogs size themselves from their layouts (the message
// box even fixes its size), so the width goes in as a spacer the layout makes room for.
void WidenForTitle(QDialog& dialog)
{
    dialog.minimumSizeHint();   // the input dialog makes its layout only when first measured
    auto* spacer = new QSpacerItem(TitleBarWidth(dialog.windowTitle()), 0, QSizePolicy::Minimum, QSizePolicy::Minimum);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addItem(spacer, grid->rowCount(), 0, 1, grid->columnCount());
    else
        dialog.layout()->addItem(spacer);
}

} // namespace

int TitleBarWidth(const QString& title)
{
    const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
    return metrics.horizontalAdvance(title) + TitleBarAllowance;
}

MsgAnswer QtDialogs::MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                            MsgDefault defaultButton, MsgEscape escape)
{
    QMessageBox box(QtIcon(icon), ShownTitle(title), text, QtButtons(buttons), QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);  // a file or diver name must never be read as HTML
    box.setDefaultButton(QtDefaultButton(buttons, defaultButton));
    WaitForAButton waitForAButton;
    if (escape == MsgEscape::None)
        box.installEventFilter(&waitForAButton);
    WidenForTitle(box);
    return AnswerOf(box.exec(), buttons);
}

QString QtDialogs::InputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    QInputDialog box(QApplication::activeWindow());
    box.setWindowTitle(ShownTitle(title));
    box.setLabelText(prompt);
    box.setTextValue(defaultText);
    WidenForTitle(box);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

QString QtDialogs::OpenFile(const FileDialogRequest& request)
{
    return QFileDialog::getOpenFileName(QApplication::activeWindow(),
                                        request.title.isEmpty() ? QStringLiteral("Open") : request.title,
                                        StartPath(request), QtFileFilter(request.filter));
}

QString QtDialogs::SaveFile(const FileDialogRequest& request)
{
    QFileDialog dialog(QApplication::activeWindow(),
                       request.title.isEmpty() ? QStringLiteral("Save As") : request.title, StartPath(request),
                       QtFileFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.askToReplace);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

} // namespace kvl
