#include "shell/ChildForm.h"

#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/MDI_MainFrm.h"

namespace kvl {

ChildForm::ChildForm(const QString& caption)
{
    setWindowTitle(caption);
}

void ChildForm::Show()
{
    if (!loaded_) {
        loaded_ = true;
        Form_Load();
    }
    MainFrm().ShowChild(*this);
}

void ChildForm::Hide()
{
    hide();
}

void ChildForm::Unload()
{
    if (loaded_) {
        loaded_ = false;
        Form_Unload();
    }
    if (MainFrmExists())
        MainFrm().RemoveChild(*this);
    ForgetInstance();
    deleteLater();
}

void SetToolBarItemVisible(const QString& key, bool visible)
{
    MainFrm().SmartUI1->Items(key).SetVisible(visible ? 1 : 0);
}

void DeselectSideBarItem(const QString& key)
{
    MainFrm().SmartBar->Items(key).SetSelected(false);
}

} // namespace kvl
