#pragma once
// The query form (form code 9): criteria that filter the dives into the browsed
// list and the dives listing. This is the part the shell and the date picker use;
// the queries subsystem fills in the rest.

#include "shell/ChildForm.h"

#include <QString>

namespace kvl {

class CheckList;

class QueriesFrm : public ChildFormOf<QueriesFrm> {
    Q_OBJECT
public:
    QueriesFrm();

    // The check list asks for an item's drop-down window: the calendar for the two
    // date items, nothing for the others.
    QWidget* lst2_ItemDropDown(const QString& key);
    // Makes the query's result the browsed list (gv.DiveListSQL and gv.rsDiveData).
    void ApplyResultToDivesListing();
    // The user chose a dive of the result: it becomes the current dive.
    void ShowDive(qint32 diveId);

    CheckList* lst2;
    // The query built from the criteria.
    QString QuerySQL;

protected:
    void Form_Load() override;
    void Form_Unload() override;
};

} // namespace kvl
