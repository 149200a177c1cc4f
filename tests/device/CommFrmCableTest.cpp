// A broken cable while dives are saved: the cable pulled during a profile read
// (the simulator's unplug fault, in process and on a pseudo-terminal) and the
// simulator killed. The dives saved before stay, the dive being read leaves no
// row, no archive is written, the user is told, and Close still closes.
#include "platform/serial/qt/QtSerialPort.h"
#include "tests/device/CommFrmRig.h"
#include "tests/platform/serial/qt/DevsimProcess.h"

#include <QDir>

namespace kvl {
namespace {

class CommFrmCableTest : public test::CommFrmRig {
protected:
    // A page in the middle of the second dive's profile.
    int MidSecondDive() const { return built.dives.at(1).startPage + 20; }

    // Ticks every dive and saves; the cable breaks during the second dive.
    void SaveAll(CommFrm& f)
    {
        dialogs.ExpectMsg("Retrieving data error.");
        f.Cmd_ItemClick(CmdKey::SelectAll);
        f.Cmd_ItemClick(CmdKey::SaveDives);
    }

    // What must hold once the save has stopped, and Close.
    void ExpectOnlyTheFirstDiveAndCloseWorks()
    {
        EXPECT_EQ(Count("Select count(*) from DIVEDATA"), 1);
        EXPECT_EQ(Count("Select DIVENO from DIVEDATA"), 1);
        EXPECT_EQ(Count("Select count(*) from DIVEDETAILS where DIVEID not in (select DIVEID from DIVEDATA)"), 0);
        EXPECT_EQ(Count("Select count(*) from DIVE_DC_SETTINGS"), 1);
        EXPECT_EQ(gv.DB->Scalar("PRAGMA integrity_check").ToString(), "ok");
        EXPECT_TRUE(frm->DownloadFilePath.isEmpty());
        EXPECT_TRUE(QDir(Home() + "/data").entryList(QDir::Files).isEmpty());
        EXPECT_FALSE(frm->M.Busy);
        EXPECT_FALSE(frm->RoutineRunning());

        // The user's Close: the next tick of the close timer unloads the window.
        frm->Cmd_ItemClick(CmdKey::Close);
        frm->CloseTimer_Timer();
        QCoreApplication::processEvents();
        EXPECT_EQ(frm->result(), QDialog::Accepted);
        EXPECT_FALSE(frm->CloseTimer->isActive());
    }
};

TEST_F(CommFrmCableTest, APulledCableDuringAProfileKeepsTheDivesSavedBeforeIt)
{
    CommFrm& f = Listed();
    AddFault(QString("unplug:page=%1").arg(MidSecondDive()));
    SaveAll(f);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_NE(f.DivesList->Items("1002").Caption(), "Status: Download Completed!");
    ExpectOnlyTheFirstDiveAndCloseWorks();
}

// The same against devsim on a pseudo-terminal, through the system's serial port.
class CommFrmPtyCableTest : public CommFrmCableTest, public ::testing::WithParamInterface<const char*> {
protected:
    // Windows and pauses run at a tenth of their length: the pseudo-terminal is unpaced.
    SteadyClock steady{0.1};
    QtSerialPort serial;
    std::unique_ptr<test::DevsimProcess> devsim;

    CommFrm& ListedOnThePty(const QStringList& options)
    {
        devsim = std::make_unique<test::DevsimProcess>("three_dives.json", options);
        EXPECT_FALSE(devsim->PtyPath().isEmpty());
        portEnv.reset();   // the old value comes back before the new one is set
        portEnv = std::make_unique<test::ScopedEnv>("KVL_PORT", devsim->PtyPath().toLocal8Bit());
        gv.CommMode = DownloadMode;
        frm = std::make_unique<CommFrm>(serial, steady);
        frm->Cmd_ItemClick(CmdKey::Start);
        EXPECT_EQ(Keys(), (std::vector<QString>{"1", "2", "3"}));
        return *frm;
    }
};

TEST_P(CommFrmPtyCableTest, TheBrokenLinkKeepsTheDivesSavedBeforeIt)
{
    const bool kill = QString(GetParam()) == "killed";
    // Killed: the simulator holds back the second dive's page, so the kill always
    // comes before the download could end.
    const QStringList options{"--fault", QString(kill ? "noreply:page=%1,count=1000" : "unplug:page=%1")
                                             .arg(MidSecondDive())};
    CommFrm& f = ListedOnThePty(options);

    // Kills the simulator once the second dive's profile is coming in.
    QTimer watch;
    if (kill) {
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (f.DivesList->HasItem("1002") && f.DivesList->Items("1002").Caption().contains("Downloading... 2")) {
                watch.stop();
                devsim->Kill();
            }
        });
        watch.start(1);
    }
    SaveAll(f);
    if (!kill) {
        EXPECT_FALSE(serial.IsOpen());   // a killed simulator may first be seen as a time-out
    }
    ExpectOnlyTheFirstDiveAndCloseWorks();
}

INSTANTIATE_TEST_SUITE_P(Cable, CommFrmPtyCableTest, ::testing::Values("unplugged", "killed"),
                         [](const ::testing::TestParamInfo<const char*>& row) { return std::string(row.param); });

} // namespace
} // namespace kvl
