// The tool bar's commands.
#include "shell/MDI_MainFrm.h"

namespace kvl {

void MDI_MainFrm::SmartUI1_ItemClick(const QString& key)
{
    if (key == "Exit")
        mnuExit_Click();
    else if (key == "Print")
        PrintLog();
    else if (key == "OpenLog")
        OpenDiveLog();
    else if (key == "NewLog")
        CreateNewDiveLog();
    else if (key == "Export")
        ExportData();
    else if (key == "HelpContents")
        mnuContent_Click();
    else if (key == "TechSupport")
        mnuTech_Click();
    else if (key == "About")
        mnuAbout_Click();
    else if (key == "RestoreLog")
        mnuRestoreLog_Click();
}

void MDI_MainFrm::SmartUI1_ItemTextChange(const QString& key, const QString& text)
{
    (void)key;
    (void)text;
}

QWidget* MDI_MainFrm::SmartUI1_ItemDropDown(const QString& key)
{
    (void)key;
    return nullptr;
}

} // namespace kvl
