#include "tests/shell/MainFrmTest.h"

#include "shell/core/Global_Vars.h"
#include "shell/MDI_MainFrm.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>

namespace kvl::test {

void MainFrmTest::SetUp()
{
    KvlTest::SetUp();
    LayOutHome();
    gv = Global_Vars();
}

void MainFrmTest::TearDown()
{
    DestroyMainFrm();
    gv = Global_Vars();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    KvlTest::TearDown();
}

bool MainFrmTest::StartUp()
{
    return MainFrm().MDIForm_Load();
}

const Prompt& MainFrmTest::LastPrompt(size_t fromEnd) const
{
    const auto& prompts = dialogs.Prompts();
    if (prompts.size() <= fromEnd)
        throw std::out_of_range("fewer prompts were shown");
    return prompts[prompts.size() - 1 - fromEnd];
}

QString MainFrmTest::LogWithoutModelRow(const QString& name)
{
    const QString path = Logs() + "/" + name;
    QFile::copy(SampleLog(), path);
    auto log = db::Database::Open(path);
    log->Execute("Delete from DC_PROPERTIES where MODELID = 6774 ;");
    return path;
}

QString MainFrmTest::WriteFile(const QString& relativePath, const QByteArray& bytes)
{
    const QString path = Home() + "/" + relativePath;
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace kvl::test
