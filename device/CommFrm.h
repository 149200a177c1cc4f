#pragma once
// The download window. The main window sets gv.CommMode (TransferMode: read settings,
// write settings, download dives) and shows it modally. It tests the
// interface and puts the device to sleep when it loads; "Start" runs the
// transfer of its mode; in download mode the user ticks dives and saves them
// into the log; "Close" puts the device to sleep and unloads the window once no
// transfer is running. The link routines report through this window.

#include "device/core/CommLink.h"
#include "device/core/DiveList.h"
#include "device/core/TransferMode.h"
#include "platform/db/Db.h"

#include <QDialog>

#include <memory>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QTimer;

namespace kvl {

class CommBar;
class SerialPort;
class CheckItem;
class CheckList;

// Keys of the button bar's items: those the link routines touch, and the window's own.
namespace CmdKey {
using BarKey::Message;
using BarKey::Progress;
using BarKey::SaveDives;
using BarKey::SelectOpt;
using BarKey::Start;
inline const QString TestVavedaver = QStringLiteral("TestVavedaver");
inline const QString SelectAll = QStringLiteral("SelectAll");
inline const QString SelectNew = QStringLiteral("SelectNew");
inline const QString SelectNone = QStringLiteral("SelectNone");
inline const QString Help = QStringLiteral("Help");
inline const QString Close = QStringLiteral("Close");
} // namespace CmdKey

// Colour of a dive's status line.
inline constexpr int StatusLineGreen = 32768;

class CommFrm : public QDialog, public CommSurface {
    Q_OBJECT
public:
    // The program's window: the system's serial port, on real time.
    explicit CommFrm(QWidget* parent = nullptr);
    // A window on a given port and clock (tests: the simulated device).
    CommFrm(SerialPort& port, LinkClock& clock, QWidget* parent = nullptr);
    ~CommFrm() override;

    // The mode the window was opened with.
    quint8 Mode() const { return mode_; }
    // Marks that the dive with this DIVEID has been stored in DIVEDATA (download mode only).
    void DiveStored(qint64 diveId);
    // The DIVEIDs of the dives stored, in the order they were stored.
    const std::vector<qint64>& StoredDives() const { return storedDives_; }
    // True once a settings write has been verified page by page and the unit's rows follow it.
    bool SettingsWritten() const { return settingsWritten_; }

    // Controls.
    CommBar* Cmd;
    CheckList* DivesList;
    QAction *mnuStart, *mnuTestVavedaver, *mnuSaveDives, *mnuSleep, *mnuRUThere, *mnuClose;
    QAction *mnuAllDives, *mnuNewDives, *mnuUnSelect, *mnuHelp;
    QMenu *mnuFile, *mnuSelect;
    QGroupBox *Frame1, *Frame2;
    QLabel* SaveLbl;
    QTimer *CloseTimer, *SetAwakeTimer;
    SerialPort* MSComm1;

    // Members.
    CommMembers M;
    std::unique_ptr<CommLink> Link;
    qint32 SaveLifetimeNo = 0;
    int CurDiveNo = 0;
    QString DownloadFilePath;
    QString DataTemplatePath;
    QString DataWorkPath;
    // The archive database while SaveData or the reload has it open, and its
    // DivesIndex set while SaveData adds rows.
    std::unique_ptr<db::Database> DownloadFileDB;
    std::unique_ptr<db::Recordset> rsDownloadIndex;
    device::DiveListArray DiveList;

    // Event handlers.
    void Form_Load();
    void Form_Unload();
    void Cmd_ItemClick(const QString& key);
    void DivesList_ItemClick(CheckItem* item);
    void DivesList_MouseDown() {}
    void CloseTimer_Timer();
    void SetAwakeTimer_Timer();
    void mnuStart_Click();
    void mnuSaveDives_Click();
    void mnuAllDives_Click();
    void mnuUnSelect_Click();
    void mnuNewDives_Click();
    void mnuTestVavedaver_Click();
    void mnuSleep_Click();
    void mnuRUThere_Click();
    void mnuClose_Click();
    void mnuHelp_Click();

    // Transfers and the steps they call.
    bool WakeForTransfer();
    void ReadDCSettings();
    void Download();
    void Qor_LoadDivesList();
    void Qor_AddToDivesList(int offset, int n);
    // The first device family's twin of Qor_AddToDivesList.
    void AddToDivesList(int offset, int n);
    void AddListLine(int n, const QString& line);
    bool IsDiveExisted(int index);
    void Qor_ConvertData(int index, int sa, int ea);
    void SaveData();
    void SaveData1();
    void Qor_Comm_LoadDivesList();
    void SaveSettings();
    void Qor_WriteDCSettings();
    bool RUThere();

    void ShowStatus(const QString& s);
    void ShowProgress(int done, int total);
    void PutOnTop();
    void UnDoPutOnTop();

    // CommSurface.
    void SetMessage(const QString& text) override;
    void SetMessageColor(int color) override;
    void SetProgress(int percent, const QString& caption) override;
    void ShowBarItem(const QString& key, bool visible) override;
    void SetBarItemText(const QString& key, const QString& text) override;
    void SetListItemText(int key, const QString& text) override;
    void SetListItemState(int key, int state) override;
    void SetListItemEnabled(int key, bool enabled) override;
    void RequestClose() override { mnuClose_Click(); }

    // True while a transfer routine runs (commands other than Close and Help are off).
    bool RoutineRunning() const { return running_ > 0; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void Build();
    void BuildMenus();
    void SetCaptions();
    void CenterOnScreen();
    // Runs a transfer routine with the other commands off; refuses to nest one.
    void RunRoutine(const std::function<void()>& routine);
    void UpdateCommands();
    void ShowSelection(bool visible);
    void FailSettings();
    // Ticks or unticks a dive line as the user's click does.
    void TickDive(CheckItem& item, bool ticked);
    // The dive lines (keys below the status lines'), in list order.
    std::vector<CheckItem*> DiveLines() const;
    // The first page of the dive the save reads after `lines[from - 1]`; -1 when
    // the next ticked line reads none (or there is none).
    int NextDiveStart(const std::vector<CheckItem*>& lines, size_t from) const;
    void Unload();
    void NoteStoreFailure(const QString& cause);
    void SayHowTheSaveEnded();

    quint8 mode_;
    std::unique_ptr<SerialPort> ownPort_;
    std::unique_ptr<LinkClock> ownClock_;
    LinkClock* clock_;
    int running_ = 0;
    bool unloaded_ = false;
    bool closeQueued_ = false;
    std::vector<qint64> storedDives_;
    // The first database failure of the save under way, in the diver's words; empty
    // while every dive it stored went in (or was skipped as invalid).
    QString storeFailure_;
    bool settingsWritten_ = false;
};

} // namespace kvl
