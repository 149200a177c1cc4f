#pragma once
// The main window: menus, the side bar SmartBar, the tool bar SmartUI1, the status
// bar and the child area that shows one child form at a time. It runs the start-up
// road and the exit road and owns the dive-log file's lifecycle (open, create,
// back up, restore). There is one instance, reached through MainFrm().

#include "forms/FormHost.h"
#include "shell/core/MainWindowHooks.h"

#include <QMainWindow>

class QLabel;
class QScrollArea;
class QVBoxLayout;

namespace kvl {

// The window's caption, and the title of the program's own messages and About box.
inline constexpr char MainWindowCaption[] = "TARVIK\u00AE Computer Vavedaver";
inline constexpr char ProgramTitle[] = "Tarvik\u00AE Computer Vavedaver";

class ChildForm;
class SmartSideBar;
class SmartToolBar;

class MDI_MainFrm : public QMainWindow, public MainWindowHooks, public ChildFormHost {
    Q_OBJECT
public:
    MDI_MainFrm();
    ~MDI_MainFrm() override;

    // --- Start-up and shut-down ---------------------------------------------------
    // The start-up road: help file check, last log, open or create a log, first child
    // form. Returns false when the program has ended on the way.
    bool MDIForm_Load();
    // Closes the log; asks nothing.
    void MDIForm_Unload();
    // The exit road: saves the open form, closes the log, offers a backup and ends
    // the program. Returns false when the exit stopped (the dive record refused an edit).
    bool mnuExit_Click();

    // Ends the program: closes the window and leaves the event loop. Code that calls
    // something able to end the program returns at once when ProgramEnded() is true.
    void EndProgram();
    bool ProgramEnded() const { return ended_; }

    // --- Menus ---------------------------------------------------------------------
    void mnuNewLog_Click() { CreateNewDiveLog(); }
    void mnuOpenLog_Click() { OpenDiveLog(); }
    void mnuRestoreLog_Click() { RestoreDiveLog(); }
    void mnuExport_Click() { ExportData(); }
    void mnuPrintLog_Click() { PrintLog(); }
    void mnuContent_Click();
    void mnuTech_Click();
    void mnuAbout_Click();
    // The print command: asks the report, saves the open form, checks and prints.
    void PrintLog();
    // The print command once the report is chosen (gv.PrintChoice).
    void PrintChosenReport();
    // "No dive data to export." or the delimiter dialog, which exports.
    void ExportData();
    // The current dive's profile as a delimited text file.
    void ExportDiveDetails();
    // The current dive as a DL7 file.
    void ExportDL7Level1();

    // --- The dive-log file ---------------------------------------------------------
    bool LogOpened = false;
    void GetLastUser();
    void LoadDatabase();
    bool IsValidDiveData();
    void OpenDiveLog();
    void CreateNewDiveLog();
    void CreateNewUser();
    void BackUpDiveLog();
    void RestoreDiveLog();
    // The end of a log-file command (open, create, restore), however it went: the window
    // takes the keyboard back from the command's dialogs and the shown form has the focus
    // on its first box.
    void FocusAfterLogCommand();

    // --- Tool bar commands ---------------------------------------------------------
    void SmartUI1_ItemClick(const QString& key);
    void SmartUI1_ItemTextChange(const QString& key, const QString& text);
    // The window to drop down under the item ("LTD": the dives listing), or nullptr.
    QWidget* SmartUI1_ItemDropDown(const QString& key);

    // --- Side bar and child forms --------------------------------------------------
    void SmartBar_ItemClick(const QString& key);
    // Side-bar key to form code; -1 for a key without a form.
    int SelectedForm(const QString& key) const;
    // Saves the form as closing it does and takes it away; false when the form keeps
    // edits it could not write: it stays open, and the command that closed it stops.
    bool CloseChildForm(int formCode) override;
    // Closes the form as the log it shows closes: a form that refuses (the log refused
    // its edits, and the diver was told) is taken away all the same.
    void CloseChildFormWithLog(int formCode);
    void OpenChildForm(int formCode);
    void RefreshChildForms(int formCode);
    // Saves the open form before printing; false when it keeps edits it could not write.
    bool SaveChildFormChanges(int formCode);
    // Shows the dive just made current (MakeRowCurrent) in the open child form; with
    // askToSave the dive record's edits are offered for saving first.
    void UpdateMDIInfo(bool askToSave) override;

    // --- Tool bar state ------------------------------------------------------------
    void DisableDiveButtons();
    void EnableDiveButtons() override;
    void UpdateNavButtons();

    // --- Child area ----------------------------------------------------------------
    void ShowChild(ChildForm& form) override;
    void RemoveChild(ChildForm& form) override;
    // Takes the form and its caption out of sight; it stays in the child area.
    void HideChild(ChildForm& form) override;
    // The caption shown above the child area: the shown form's title, or nothing.
    QString ChildCaption() const;
    // The scroll area that holds the child forms.
    QScrollArea* ChildArea() const { return childScroll_; }

    // --- The shell routines' view of the bars ---------------------------------------
    void SetLTDText(const QString& text) override;
    void SelectSideBarItem(const QString& key) override;
    QStringList LTDEntries() const override;

    // --- The child forms' view of the bars and the title -----------------------------
    void SetToolBarItemVisible(const QString& key, bool visible) override;
    void SetToolBarItemChecked(const QString& key, bool checked) override;
    void DeselectSideBarItem(const QString& key) override;
    void ShowDiverInTitle(const QString& diverName) override;

    SmartSideBar* SmartBar;
    SmartToolBar* SmartUI1;
    QStatusBar* SmartStatusBar;
    // The open log's path, kept on the status bar (menu tips do not wipe it).
    QString StatusLogText() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* CreateChildArea(QWidget* parent);
    void FocusShownForm(ChildForm& form);
    // Opens at the preferred size, or at the screen's free area when that is smaller.
    void FitToScreen(const QSize& preferred);
    void CreateMenus();
    void CreateSideBar();
    void CreateToolBar();
    void ShowLogInStatusBar();
    void ShowOpenedLog();
    void OfferNewLog();
    bool SaveFormsOnExit();

    QScrollArea* childScroll_;
    QWidget* childHost_;
    QVBoxLayout* childHostLayout_;
    QLabel* childCaption_;
    QLabel* statusLog_;
    bool ended_ = false;
    // The last LoadDatabase was refused by another window's lock (or the diver's No
    // to taking one), not by the file.
    bool lockRefused_ = false;
    bool exiting_ = false;
};

// True when the browsed dive list is empty (or no log is open).
bool DiveListAtEnd();

// The one main window, made when first asked for.
MDI_MainFrm& MainFrm();
bool MainFrmExists();
// Destroys the main window (tests start each case with a fresh one).
void DestroyMainFrm();

} // namespace kvl
