#include "people/BuddiesFrm.h"

#include "shell/core/Global_Vars.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QVBoxLayout>

namespace kvl {

namespace {

struct Companions {
    const char* caption;
    const char* table;
    const char* idColumn;
};

const Companions companionLists[] = {
    {"Buddies", "BUDDIES", "BUDDYID"},
    {"Captain", "CAPTAIN", "CAPID"},
    {"Crew", "CREWS", "CREWID"},
};

} // namespace

BuddiesFrm::BuddiesFrm() : ChildFormOf("Buddies")
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    for (int i = 0; i < 3; ++i) {
        auto* group = new QGroupBox(companionLists[i].caption, this);
        auto* groupLayout = new QVBoxLayout(group);
        lists_[i] = new QListWidget(group);
        groupLayout->addWidget(lists_[i]);
        layout->addWidget(group);
    }
}

void BuddiesFrm::Form_Load()
{
    gv.ActiveFormID = FormCode::Buddies;
    SetToolBarItemVisible("Units", false);
    SetToolBarItemVisible("Save", true);
    Buddy_Init_AllInfo();
}

// The form's code stays in gv.ActiveFormID after it unloads.
void BuddiesFrm::Form_Unload()
{
    SetToolBarItemVisible("Save", false);
    DeselectSideBarItem("Buddies");
}

void BuddiesFrm::SaveInfo()
{
    gv.PInfoChanged = false;
}

void BuddiesFrm::Buddy_Init_AllInfo()
{
    gv.PInfoChanged = false;
    for (int i = 0; i < 3; ++i) {
        lists_[i]->clear();
        if (!gv.DB)
            continue;
        const Companions& c = companionLists[i];
        try {
            auto names = gv.DB->OpenRecordset(QString("Select NAME from USERINFO where USERID in (Select %1 from %2 "
                                                      "where DIVEID = ?) order by NAME ;")
                                                  .arg(c.idColumn, c.table),
                                              {gv.CurrentDiveID});
            for (; !names->EOF(); names->MoveNext())
                lists_[i]->addItem(names->Field("NAME").ToString());
        } catch (const db::DbError&) {
            // A log without the list's table shows it empty.
        }
    }
}

QStringList BuddiesFrm::ShownNames(int list) const
{
    QStringList names;
    for (int row = 0; row < lists_[list]->count(); ++row)
        names << lists_[list]->item(row)->text();
    return names;
}

} // namespace kvl
