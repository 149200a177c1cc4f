#include "analysis/QueriesFrm.h"

#include "dive/frmDate.h"
#include "platform/widgets/CheckList.h"
#include "shell/core/DiveCursor.h"
#include "shell/core/Global_Vars.h"

#include <QVBoxLayout>

namespace kvl {

QueriesFrm::QueriesFrm() : ChildFormOf<QueriesFrm>(QStringLiteral("Queries"))
{
    lst2 = new CheckList(this);
    lst2->AddItem(CheckItemKind::DropDown, QStringLiteral("fromDate"), QStringLiteral("From"));
    lst2->AddItem(CheckItemKind::DropDown, QStringLiteral("toDate"), QStringLiteral("To"));
    lst2->SetDropDownHandler([this](const QString& key) { return lst2_ItemDropDown(key); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lst2);
}

void QueriesFrm::Form_Load()
{
    gv.ActiveFormID = FormCode::Queries;
}

void QueriesFrm::Form_Unload()
{
    gv.ActiveFormID = FormCode::None;
    DeselectSideBarItem(QStringLiteral("Queries"));
}

QWidget* QueriesFrm::lst2_ItemDropDown(const QString& key)
{
    if (key == QLatin1String("fromDate"))
        gv.DatePickerCaller = kPickFromDate;
    else if (key == QLatin1String("toDate"))
        gv.DatePickerCaller = kPickToDate;
    else
        return nullptr;
    gv.PickedDate = lst2->Items(key).Value();
    return &frmDate::DropDownFor([key](const QString& text, bool picked) {
        CheckList& list = *QueriesFrm::Instance().lst2;
        list.Items(key).SetValue(text);
        // Only the date picked fills an empty end, not the days passed on the way.
        if (key == QLatin1String("fromDate") && picked && list.Items(QStringLiteral("toDate")).Value().isEmpty())
            list.Items(QStringLiteral("toDate")).SetValue(text);
    });
}

void QueriesFrm::ApplyResultToDivesListing()
{
    gv.DiveListSQL = QuerySQL;
    gv.rsDiveData = gv.DB->OpenRecordset(gv.DiveListSQL);
}

void QueriesFrm::ShowDive(qint32 diveId)
{
    PickDive(diveId);
}

} // namespace kvl
