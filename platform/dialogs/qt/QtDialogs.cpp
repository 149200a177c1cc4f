#include "platform/dialogs/qt/QtDialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

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

// The folder and proposed name the dialog opens with.
QString StartPath(const FileDialogRequest& request)
{
    if (request.fileName.isEmpty())
        return request.folder;
    return request.folder.isEmpty() ? request.fileName : QDir(request.folder).filePath(request.fileName);
}

} // namespace

MsgAnswer QtDialogs::MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& title,
                            MsgDefault defaultButton)
{
    QMessageBox box(QtIcon(icon), ShownTitle(title), text, QtButtons(buttons), QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);  // a file or diver name must never be read as HTML
    box.setDefaultButton(QtDefaultButton(buttons, defaultButton));
    return AnswerOf(box.exec(), buttons);
}

QString QtDialogs::InputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    bool ok = false;
    QString text = QInputDialog::getText(QApplication::activeWindow(), ShownTitle(title), prompt,
                                         QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
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
