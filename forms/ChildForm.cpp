#include "forms/ChildForm.h"

#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/MDI_MainFrm.h"

#include <QFormLayout>
#include <QLabel>

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
    if (MainFrmExists())
        MainFrm().HideChild(*this);
    else
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

QLabel* AddShownField(QFormLayout& layout, const QString& caption)
{
    auto* value = new QLabel(layout.parentWidget());
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setMinimumWidth(260);
    layout.addRow(caption, value);
    return value;
}

void SetToolBarItemVisible(const QString& key, bool visible)
{
    MainFrm().SmartUI1->Items(key).SetVisible(visible ? 1 : 0);
}

void SetToolBarItemChecked(const QString& key, bool checked)
{
    MainFrm().SmartUI1->Items(key).SetChecked(checked);
}

void DeselectSideBarItem(const QString& key)
{
    MainFrm().SmartBar->Items(key).SetSelected(false);
}

void EnableDiveButtons()
{
    MainFrm().EnableDiveButtons();
}

bool MainWindowExists()
{
    return MainFrmExists();
}

} // namespace kvl
