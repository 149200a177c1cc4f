#include "tests/support/LogFixture.h"

#include "platform/folders/Folders.h"
#include "shell/Scramble.h"

namespace kvl::test {

QString LogTemplatePath()
{
    return ShareFolder() + QStringLiteral("/Tpls/Dlg.tpl");
}

QString ArchiveTemplatePath()
{
    return ShareFolder() + QStringLiteral("/Tpls/dat.tpl");
}

QString SampleLogPath()
{
    return ShareFolder() + QStringLiteral("/Logs/Sample Diver.dlg");
}

bool MakeFreshLog(const QString& path)
{
    return ScrambleFile(LogTemplatePath(), path, ScrambleKey) == 1;
}

bool MakeFreshArchive(const QString& path)
{
    return ScrambleFile(ArchiveTemplatePath(), path, ScrambleKey) == 1;
}

} // namespace kvl::test
