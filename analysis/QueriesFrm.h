#pragma once
// The query form (form code 9): criteria in four check lists, "Run" to list the
// dives that match, and "Apply" to make that result the browsed list of the main
// window and the dives listing. Closing only hides the form, so the criteria stay;
// the name lists and the extremes are read again each time it is shown.

#include "analysis/core/QueryBuilder.h"
#include "forms/ChildForm.h"

#include <QString>

#include <memory>

class QLabel;

namespace kvl {

class CheckItem;
class CheckList;
class DataGrid;
class SmartToolBar;

class QueriesFrm : public ChildFormOf<QueriesFrm> {
    Q_OBJECT
public:
    QueriesFrm();
    ~QueriesFrm() override;

    void ClearInfo();
    void EnableInfo();
    void InitPDCList();
    void InitUnit();
    void InitCaptainList();
    void InitBuddyList();
    void InitCrewList();
    void InitLocationList();
    void InitDiveSiteList();
    void InitDiveTypeList();
    void InitOperatorList();
    void InitGearList();
    void InitExtremeData();
    void InitNameListsAndExtremes();
    // Makes the last run's result the browsed list (gv.DiveListSQL and its values).
    void ApplyResultToDivesListing();
    // Empties the result grid, forgets the statement and its values and disables
    // "Apply", as a fresh load shows them: another log was opened.
    void ForgetResult();

    void Form_Resize();
    void Form_QueryUnload();
    void lst1_ItemClick(CheckItem& item);
    void lst2_ItemClick(CheckItem& item);
    void lst3_ItemClick(CheckItem& item);
    void lst4_ItemClick(CheckItem& item);
    // The check list asks for an item's drop-down window: the calendar for the two
    // date items, nothing for the others.
    QWidget* lst2_ItemDropDown(const QString& key);
    void Cmd_ItemClick(const QString& key);
    // A click on a result row: that dive becomes current and its record comes up.
    void Grid_MouseUp(int row);

    // The form is shown again after it was hidden: the name lists and extremes are
    // read afresh; ticks, chosen names and typed ranges stay.
    void RefreshLists();
    // The criteria as the lists hold them.
    QueryCriteria Criteria() const;

    QLabel* Header = nullptr;
    CheckList* lst1 = nullptr;
    CheckList* lst2 = nullptr;
    CheckList* lst3 = nullptr;
    CheckList* lst4 = nullptr;
    SmartToolBar* Cmd = nullptr;
    DataGrid* Grid = nullptr;
    // The last statement "Run" built, and the values of its "?".
    QString QuerySQL;
    db::Params QueryParams;
    std::unique_ptr<db::Recordset> rsExtremes;

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void BuildLists();
    void LayOutForm();
    void RunQuery();
    void ShowResult(db::Recordset& result);
    void FillNameList(CheckList& list, const QString& itemKey, const QString& sql, const char* keyField,
                      const char* textField);
};

} // namespace kvl
