#include "analysis/HistoryFrm.h"

#include "shell/core/DiveCursor.h"
#include "shell/core/Global_Vars.h"

namespace kvl {

HistoryFrm::HistoryFrm() : ChildFormOf<HistoryFrm>(QStringLiteral("VURO History")) {}

void HistoryFrm::Form_Load()
{
    gv.ActiveFormID = FormCode::History;
}

void HistoryFrm::ShowDive(qint32 diveId)
{
    PickDive(diveId);
}

} // namespace kvl
