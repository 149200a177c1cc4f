#include "settings/DCFrm.h"

#include "dive/frmDate.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/widgets/CheckList.h"
#include "shell/core/Global_Vars.h"

#include <QVBoxLayout>

namespace kvl {

namespace {
constexpr qint32 kWaitingSerial = -1;
}

DCFrm::DCFrm() : ChildFormOf<DCFrm>(QStringLiteral("Radarar Edeze"))
{
    lst2 = new CheckList(this);
    lst2->AddItem(CheckItemKind::DropDown, QStringLiteral("Date"), QStringLiteral("Date"));
    lst2->SetDropDownHandler([this](const QString& key) { return lst2_ItemDropDown(key); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lst2);
}

void DCFrm::Form_Load()
{
    gv.ActiveFormID = FormCode::DiveComputer;
    SetToolBarItemVisible(QStringLiteral("Units"), false);
}

void DCFrm::Form_Unload()
{
    gv.ActiveFormID = FormCode::None;
}

bool DCFrm::ShowSettings(qint32 serialNo)
{
    gv.rsTemp = gv.DB->OpenRecordset("Select * from DC_SETTINGS where DCID = ? and DCSERIALNO = ? ;",
                                     {gv.SelectedModelID, serialNo});
    return !gv.rsTemp->EOF();
}

void DCFrm::GetLastSetting()
{
    ShowSettings(gv.SelectedSerialNo);
}

void DCFrm::GetDefaultSetting()
{
    if (!ShowSettings(0))
        MsgBox(QStringLiteral("Manufacturer setting is not available for this PDC."), MsgButtons::OK,
               MsgIcon::Exclamation, QStringLiteral("Warning"));
}

void DCFrm::SaveSettings()
{
    if (!gv.DB->Scalar("SELECT COUNT(*) FROM DC_SETTINGS WHERE DCID = ? AND DCSERIALNO = ? ;",
                       {gv.SelectedModelID, kWaitingSerial}).ToLong())
        gv.DB->Execute("INSERT INTO DC_SETTINGS (DCID, DCSERIALNO) VALUES (?, ?) ;",
                       {gv.SelectedModelID, kWaitingSerial});
}

void DCFrm::DC_InitAll()
{
    Units.clear();
    auto rs = gv.DB->OpenRecordset(
        "SELECT DISTINCT DCSERIALNO FROM DC_SETTINGS WHERE DCID = ? AND DCSERIALNO > 0 ORDER BY DCSERIALNO ;",
        {gv.SelectedModelID});
    for (; !rs->EOF(); rs->MoveNext())
        Units.append(static_cast<qint32>(rs->Field("DCSERIALNO").ToLong()));
}

QWidget* DCFrm::lst2_ItemDropDown(const QString& key)
{
    gv.DatePickerCaller = kPickSettingsDate;
    gv.DCDateFormat = DateOrderOption;
    gv.PickedDate = lst2->Items(key).Value();
    return &frmDate::DropDownFor([](const QString& text, bool) {
        DCFrm::Instance().lst2->Items(QStringLiteral("Date")).SetValue(text);
    });
}

} // namespace kvl
