#include "forms/ChildForm.h"

#include "forms/FormHost.h"

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
    FormHost().ShowChild(*this);
}

void ChildForm::Hide()
{
    if (ChildFormHost* host = ExistingFormHost())
        host->HideChild(*this);
    else
        hide();
}

void ChildForm::Unload()
{
    if (loaded_) {
        loaded_ = false;
        Form_Unload();
    }
    if (ChildFormHost* host = ExistingFormHost())
        host->RemoveChild(*this);
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
    FormHost().SetToolBarItemVisible(key, visible);
}

void SetToolBarItemChecked(const QString& key, bool checked)
{
    FormHost().SetToolBarItemChecked(key, checked);
}

void DeselectSideBarItem(const QString& key)
{
    FormHost().DeselectSideBarItem(key);
}

void EnableDiveButtons()
{
    FormHost().EnableDiveButtons();
}

bool MainWindowExists()
{
    return ExistingFormHost() != nullptr;
}

} // namespace kvl
