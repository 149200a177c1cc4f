// The download window's save when the log will not take the dives: a log whose pages
// are crossed is refused before the device is read, and a store that fails on the
// database ends the save as "failed" with the cause, never "completed".
#include "shell/core/LogCheck.h"
#include "shell/core/LogOpen.h"
#include "tests/device/CommFrmRig.h"
#include "tests/support/DamagedPages.h"
#include "tests/support/FileSizeLimit.h"

#include <QFileInfo>

namespace kvl {
namespace {

class CommFrmStoreTest : public test::CommFrmRig {
protected:
    QString LogPath() const { return Home() + "/road.dlg"; }

    // The rig's log, damaged by damage and opened again as the window opens a log.
    void Reopen(const std::function<void(const QString&)>& damage)
    {
        gv.DB.reset();
        damage(LogPath());
        OpenedLog opened = OpenCheckedLog(LogPath());
        gv.LogLock = std::move(opened.lock);
        gv.DB = std::move(opened.db);
    }

    QString Status() const { return frm->Cmd->Items(CmdKey::Message).Text(); }
};

TEST_F(CommFrmStoreTest, ALogWithDamagedSamplesIsWrittenAndItsFailedStoreSaysSo)
{
    Reopen([](const QString& path) { test::DamageRootPage(path, "DIVEDETAILS", test::PageDamage::Zeros); });
    CommFrm& f = Listed();
    ASSERT_EQ(Keys(), (std::vector<QString>{"1", "2", "3"}));
    EXPECT_EQ(Count("Select count(*) from DC_SETTINGS where DCSERIALNO = 10203"), 1);   // the unit's settings went in
    f.Cmd_ItemClick(CmdKey::SelectNew);
    for (int dive = 1; dive <= 3; ++dive)
        dialogs.ExpectMsg("Dive Data Error");
    dialogs.ExpectMsg(DamagedLogText(LogPath()));
    f.Cmd_ItemClick(CmdKey::SaveDives);
    EXPECT_EQ(Status(), "Saving dives...failed.");
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Critical);
    EXPECT_EQ(Count("Select count(*) from DIVEDATA"), 0);
    EXPECT_TRUE(f.StoredDives().empty());
}

// A full disk under the transfer: the log cannot grow, so the dives that do not fit in
// its free pages fail to store; the save says so with the database's reason, and no
// dive is left half-written.
TEST_F(CommFrmStoreTest, AStoreOntoAFullDiskSaysTheSaveFailedAndWhy)
{
    CommFrm& f = Listed();
    f.Cmd_ItemClick(CmdKey::SelectNew);
    const int said = test::RunWithFileSizeLimit(QFileInfo(LogPath()).size(), [&] {
        dialogs.SetFailureHook([](const QString&) {});   // the child's boxes are judged below
        f.Cmd_ItemClick(CmdKey::SaveDives);
        const QStringList texts = dialogs.MessageTexts();
        const bool failed = Status() == "Saving dives...failed.";
        const bool why = !texts.isEmpty() && (texts.back() == "The disk is full." || texts.back() == "disk I/O error");
        return (failed ? 1 : 0) + (why ? 2 : 0) + (texts.contains("Dive Data Error") ? 4 : 0);
    });
    EXPECT_EQ(said, 7);
    EXPECT_LT(Count("Select count(*) from DIVEDATA"), 3);
    EXPECT_EQ(gv.DB->Scalar("PRAGMA integrity_check").ToString(), "ok");
}

// Crossed pages: the window says so at Start, before the device is read, and nothing is stored.
TEST_F(CommFrmStoreTest, ALogWithCrossedPagesIsRefusedBeforeTheDeviceIsRead)
{
    Reopen([](const QString& path) { test::RootAt(path, "DIVEDETAILS", "DIVEDATA"); });
    const QByteArray before = [&] {
        QFile file(LogPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    dialogs.ExpectMsg(DamagedLogText(LogPath()));
    CommFrm& f = Listed();
    EXPECT_TRUE(Keys().empty());
    EXPECT_EQ(f.M.UnitSerialNo, 0);   // the device was not read
    EXPECT_EQ(dialogs.Messages().back().icon, MsgIcon::Critical);
    frm.reset();
    gv.DB.reset();
    QFile file(LogPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

} // namespace
} // namespace kvl
