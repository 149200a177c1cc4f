#include "analysis/QueriesFrm.h"

#include "analysis/core/QueryResults.h"
#include "dive/frmDate.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/widgets/CheckList.h"
#include "platform/widgets/DataGrid.h"
#include "platform/widgets/FieldBoxes.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/core/DiveCursor.h"
#include "shell/core/DiveRows.h"
#include "shell/core/Global_Vars.h"
#include "shell/core/MainWindowHooks.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLoggingCategory>
#include <QStyle>
#include <QVBoxLayout>

#include <utility>

namespace kvl {

namespace {

Q_LOGGING_CATEGORY(lcQueries, "kvl.queries")

// One line of a criteria list: an indented line hangs under the last line that is not.
struct ItemRow {
    CheckItemKind kind;
    const char* key;
    const char* caption;
    bool indented = false;
    bool hidden = false;
    int value = -1;   // an option's first value
};

using K = CheckItemKind;

const ItemRow kList1[] = {
    {K::Check, "All", "All VURO dives"},
    {K::GroupLine, "", ""},
    {K::Check, "PDCModel", "Radarar Edeze model"},
    {K::DropDown, "PDCList", "", true},
    {K::GroupLine, "", ""},
    {K::Check, "DiveMode", "Dive mode", false, true},
    {K::Option, "Norma", "Normal", true, true, 1},
    {K::Option, "Navigation", "Navigation", true, true, 0},
    {K::GroupLine, "", ""},
    {K::Check, "DiveStatus", "Dive Status", false, true},
    {K::Option, "Normal", "Normal dive", true, true, 1},
    {K::Option, "Deco", "Decompression dive", true, true, 0},
    {K::Option, "Viol", "Violation dive", true, true, 0},
    {K::Option, "Gauge", "Gauge dive", true, true, 0},
};

const ItemRow kList2[] = {
    {K::Check, "DiveDate", "Dive date"},
    {K::DropDown, "fromDate", "from: ", true},
    {K::DropDown, "toDate", "to:     ", true},
    {K::Check, "MaxDepth", "Max depth"},
    {K::Text, "fromDepth", "from: ", true},
    {K::Text, "toDepth", "to:     ", true},
    {K::Check, "BTime", "Duration time (minutes)"},
    {K::Text, "fromTime", "from: ", true},
    {K::Text, "toTime", "to:     ", true},
    {K::Check, "Temp", "Min Temperature"},
    {K::Text, "fromTemp", "from: ", true},
    {K::Text, "toTemp", "to:     ", true},
};

// The range boxes of kList2 take numbers only, with the comma the query reads as the
// point; a temperature may be below zero.
struct RangeBox {
    const char* key;
    bool negative;
};
const RangeBox kRangeBoxes[] = {{"fromDepth", false}, {"toDepth", false}, {"fromTime", false},
                                {"toTime", false},    {"fromTemp", true},  {"toTemp", true}};

const ItemRow kList3[] = {
    {K::GroupLine, "", "Extremes"},
    {K::Check, "Deepest", "Deepest", true},
    {K::Check, "Longest", "Longest", true},
    {K::Check, "Shortest", "Shortest", true},
    {K::Check, "Warmest", "Warmest Min. Temp.", true},
    {K::Check, "Coldest", "Coldest", true},
    {K::Check, "Best", "Best visibility", true},
    {K::Check, "Worst", "Worst visibility", true},
    {K::Check, "Buddy", "Buddy"},
    {K::DropDown, "BuddyList", "", true},
    {K::Check, "Captain", "Captain"},
    {K::DropDown, "CaptainList", "", true},
    {K::Check, "Crew", "Crew"},
    {K::DropDown, "CrewList", "", true},
};

const ItemRow kList4[] = {
    {K::Check, "Operator", "Operator"},
    {K::DropDown, "OperList", "", true},
    {K::Check, "Location", "Location"},
    {K::DropDown, "LocationList", "", true},
    {K::Check, "Site", "Dive site"},
    {K::DropDown, "SiteList", "", true},
    {K::Check, "Type", "Dive type"},
    {K::DropDown, "TypeList", "", true},
    {K::Check, "Gear", "Gear bag", false, true},
    {K::DropDown, "GearList", "", true, true},
};

template <size_t N>
void AddItems(CheckList& list, const ItemRow (&rows)[N])
{
    CheckItem* parent = nullptr;
    for (const ItemRow& row : rows) {
        CheckItem& item =
            list.AddItem(row.kind, QString::fromLatin1(row.key), QString::fromLatin1(row.caption),
                         row.indented ? parent : nullptr);
        if (!row.indented)
            parent = &item;
        item.SetHidden(row.hidden);
        if (row.kind == K::Option)
            item.SetGroup(parent ? parent->Key() : QString());
        if (row.value >= 0)
            item.SetValue(row.value);
    }
}

void Untick(CheckList& list, std::initializer_list<const char*> keys)
{
    for (const char* key : keys)
        list.Items(QString::fromLatin1(key)).SetTicked(false);
}

bool Ticked(const CheckList& list, const char* key)
{
    return list.Items(QString::fromLatin1(key)).Ticked();
}

QString ValueOf(const CheckList& list, const char* key)
{
    return list.Items(QString::fromLatin1(key)).Value();
}

RangeCriterion Range(const CheckList& list, const char* check, const char* from, const char* to)
{
    return {Ticked(list, check), ValueOf(list, from), ValueOf(list, to)};
}

NameCriterion Name(const CheckList& list, const char* check, const char* name)
{
    return {Ticked(list, check), ValueOf(list, name)};
}

// A check item enables or disables the lines under it.
void FollowCheck(CheckList& list, const char* check, std::initializer_list<const char*> followers)
{
    const bool on = Ticked(list, check);
    for (const char* key : followers)
        list.Items(QString::fromLatin1(key)).SetEnabled(on);
}

} // namespace

QueriesFrm::QueriesFrm() : ChildFormOf<QueriesFrm>(QStringLiteral("Queries"))
{
    BuildLists();
    LayOutForm();
}

QueriesFrm::~QueriesFrm() = default;

void QueriesFrm::BuildLists()
{
    lst1 = new CheckList(this);
    lst2 = new CheckList(this);
    lst3 = new CheckList(this);
    lst4 = new CheckList(this);
    AddItems(*lst1, kList1);
    AddItems(*lst2, kList2);
    for (const RangeBox& range : kRangeBoxes)
        AcceptNumbersOnly(*lst2->TextBox(QString::fromLatin1(range.key)), DecimalMark::PointOrComma, range.negative);
    AddItems(*lst3, kList3);
    AddItems(*lst4, kList4);
    connect(lst1, &CheckList::ItemClick, this, [this](CheckItem* item) { lst1_ItemClick(*item); });
    connect(lst2, &CheckList::ItemClick, this, [this](CheckItem* item) { lst2_ItemClick(*item); });
    connect(lst3, &CheckList::ItemClick, this, [this](CheckItem* item) { lst3_ItemClick(*item); });
    connect(lst4, &CheckList::ItemClick, this, [this](CheckItem* item) { lst4_ItemClick(*item); });
    lst2->SetDropDownHandler([this](const QString& key) { return lst2_ItemDropDown(key); });

    Cmd = new SmartToolBar(this);
    Cmd->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const QStyle* style = QApplication::style();
    Cmd->AddButton(QStringLiteral("Run"), style->standardIcon(QStyle::SP_MediaPlay), QStringLiteral("Run Query"))
        .SetText(QStringLiteral("Run Query"));
    BarItem& apply = Cmd->AddButton(QStringLiteral("Apply"), style->standardIcon(QStyle::SP_DialogApplyButton),
                                    QStringLiteral("Apply Result to Dives Listing "));
    apply.SetText(QStringLiteral("Apply Result to Dives Listing "));
    apply.SetEnabled(false);
    Cmd->AddSpacer();
    Cmd->AddTextField(QStringLiteral("Msg"));
    Cmd->widgetForAction(Cmd->Action(QStringLiteral("Msg")))->setMinimumWidth(220);
    connect(Cmd, &SmartToolBar::ItemClick, this, &QueriesFrm::Cmd_ItemClick);

    Grid = new DataGrid(this);
    Grid->SetCaption(QStringLiteral("Query Result"));
    std::vector<DataGridColumn> columns;
    for (int c = 0; c < kResultColumnCount; ++c) {
        const auto column = static_cast<ResultColumn>(c);
        columns.push_back({ResultCaption(column),
                           column == ResultColumn::Model ? QStringLiteral("PDC Model") : ResultCaption(column)});
    }
    Grid->SetColumns(std::move(columns));
    Grid->SetColumnVisible(ResultCaption(ResultColumn::DiveId), false);
    Grid->SetKeysClickRows(true);
    Grid->hide();
    connect(Grid, &DataGrid::RowClick, this, &QueriesFrm::Grid_MouseUp);
}

void QueriesFrm::LayOutForm()
{
    Header = new QLabel(QStringLiteral("QUERIES"), this);
    QFont banner = Header->font();
    banner.setBold(true);
    banner.setPointSizeF(banner.pointSizeF() * 1.5);
    Header->setFont(banner);
    Header->setAlignment(Qt::AlignCenter);
    auto* lists = new QHBoxLayout;
    // The lists stand without captions; a screen reader names each by what it asks.
    const std::pair<CheckList*, const char*> named[] = {{lst1, "Dives and dive computer"},
                                                        {lst2, "Date, depth, duration and temperature"},
                                                        {lst3, "Extremes and companions"},
                                                        {lst4, "Operator, location, site and type"}};
    for (const auto& [list, name] : named) {
        list->setAccessibleName(QString::fromLatin1(name));
        list->setMinimumHeight(300);
        lists->addWidget(list);
    }
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(Header);
    outer->addLayout(lists);
    outer->addWidget(Cmd);
    outer->addWidget(Grid, 1);
    outer->addStretch(0);
}

void QueriesFrm::Form_Load()
{
    gv.ActiveFormID = FormCode::Queries;
    InitUnit();
    ClearInfo();
    InitPDCList();
    InitNameListsAndExtremes();
}

void QueriesFrm::RefreshLists()
{
    InitUnit();
    InitNameListsAndExtremes();
}

// The lists that follow the log's catalogs, and the extremes, read anew.
void QueriesFrm::InitNameListsAndExtremes()
{
    InitCaptainList();
    InitCrewList();
    InitBuddyList();
    InitLocationList();
    InitDiveTypeList();
    InitDiveSiteList();
    InitOperatorList();
    InitGearList();
    InitExtremeData();
}

// The layout gives the lists, the bar and the grid the form's width.
void QueriesFrm::Form_Resize()
{
    Header->setMinimumWidth(0);
}

void QueriesFrm::Form_QueryUnload()
{
    gv.ActiveFormID = FormCode::None;
    DeselectSideBarItem(QStringLiteral("Queries"));
}

void QueriesFrm::Form_Unload()
{
    Form_QueryUnload();
}

void QueriesFrm::ClearInfo()
{
    gv.PickedDate.clear();
    lst1->Items(QStringLiteral("All")).SetTicked(true);
    Untick(*lst1, {"PDCModel", "DiveMode", "DiveStatus"});
    Untick(*lst2, {"DiveDate", "MaxDepth", "BTime", "Temp"});
    Untick(*lst3, {"Deepest", "Longest", "Shortest", "Warmest", "Coldest", "Best", "Worst", "Buddy", "Captain", "Crew"});
    Untick(*lst4, {"Location", "Type", "Site", "Operator", "Gear"});
}

void QueriesFrm::EnableInfo()
{
    for (const char* key : {"PDCModel", "DiveMode", "DiveStatus"})
        lst1->Items(QString::fromLatin1(key)).SetEnabled(true);
    FollowCheck(*lst1, "PDCModel", {"PDCList"});
    FollowCheck(*lst1, "DiveMode", {"Norma", "Navigation"});
    FollowCheck(*lst1, "DiveStatus", {"Normal", "Deco", "Viol", "Gauge"});
    for (const char* key : {"DiveDate", "MaxDepth", "BTime", "Temp"})
        lst2->Items(QString::fromLatin1(key)).SetEnabled(true);
    FollowCheck(*lst2, "DiveDate", {"fromDate", "toDate"});
    FollowCheck(*lst2, "MaxDepth", {"fromDepth", "toDepth"});
    FollowCheck(*lst2, "BTime", {"fromTime", "toTime"});
    FollowCheck(*lst2, "Temp", {"fromTemp", "toTemp"});
}

void QueriesFrm::InitPDCList()
{
    CheckItem& models = lst1->Items(QStringLiteral("PDCList"));
    models.SetEntries({{QStringLiteral("6774"), QStringLiteral("QX07")}});
    models.SetValue(QStringLiteral("QX07"));
}

void QueriesFrm::InitUnit()
{
    lst2->Items(QStringLiteral("DiveDate"))
        .SetCaption(gv.UnitDate == 1 ? QStringLiteral("Dive Date (mm/dd/yyyy)") : QStringLiteral("Dive Date (dd/mm/yyyy)"));
    lst2->Items(QStringLiteral("MaxDepth"))
        .SetCaption(gv.UnitDepth == 1 ? QStringLiteral("Max Depth (FT)") : QStringLiteral("Max Depth (M)"));
    lst2->Items(QStringLiteral("Temp"))
        .SetCaption(gv.UnitTemp == 1 ? QStringLiteral("Min Temperature (F)") : QStringLiteral("Min Temperature (C)"));
}

// A list whose statement finds no row, or fails (an old log without the table),
// keeps the entries it had.
void QueriesFrm::FillNameList(CheckList& list, const QString& itemKey, const QString& sql, const char* keyField,
                              const char* textField)
{
    try {
        auto rs = LogDB().OpenSnapshot(sql);
        if (rs->EOF())
            return;
        std::vector<CheckEntry> entries;
        entries.reserve(static_cast<size_t>(rs->RecordCount()));
        for (; !rs->EOF(); rs->MoveNext())
            entries.push_back({keyField ? rs->Field(QString::fromLatin1(keyField)).ToString() : QString(),
                               rs->Field(QString::fromLatin1(textField)).ToString()});
        list.Items(itemKey).SetEntries(std::move(entries));
    } catch (const db::DbError& e) {
        qCWarning(lcQueries) << itemKey << "not filled:" << e.Message();
    }
}

void QueriesFrm::InitCaptainList()
{
    FillNameList(*lst3, QStringLiteral("CaptainList"),
                 QStringLiteral("Select * from USERINFO where USERTYPE = 2 order by NAME ;"), "USERID", "NAME");
}

void QueriesFrm::InitBuddyList()
{
    FillNameList(*lst3, QStringLiteral("BuddyList"),
                 QStringLiteral("Select * from USERINFO where USERTYPE = 4 order by NAME ;"), "USERID", "NAME");
}

void QueriesFrm::InitCrewList()
{
    FillNameList(*lst3, QStringLiteral("CrewList"),
                 QStringLiteral("Select * from USERINFO where USERTYPE = 3 order by NAME ;"), "USERID", "NAME");
}

void QueriesFrm::InitLocationList()
{
    FillNameList(*lst4, QStringLiteral("LocationList"), QStringLiteral("Select * from LOCATIONS ORDER by LOCATIONNAME ;"),
                 "LOCID", "LOCATIONNAME");
}

void QueriesFrm::InitDiveSiteList()
{
    FillNameList(*lst4, QStringLiteral("SiteList"), QStringLiteral("Select * from DIVESITES ORDER BY DIVESITE ;"),
                 "SITEID", "DIVESITE");
}

void QueriesFrm::InitDiveTypeList()
{
    FillNameList(*lst4, QStringLiteral("TypeList"), QStringLiteral("Select * from DIVETYPEDATA ORDER BY TYPEDATA ;"),
                 "ID", "TYPEDATA");
}

// Dives without an operator hold an empty text, which names no operator.
void QueriesFrm::InitOperatorList()
{
    FillNameList(*lst4, QStringLiteral("OperList"),
                 QStringLiteral("Select DISTINCT(OPERATOR) from DIVEDATA Where OPERATOR <> 'NONE' And OPERATOR <> '' "
                                "ORDER BY OPERATOR ;"),
                 nullptr, "OPERATOR");
}

void QueriesFrm::InitGearList()
{
    FillNameList(*lst4, QStringLiteral("GearList"),
                 QStringLiteral("Select DISTINCT(NAME) from GEARS Where NAME <> 'NONE' And NAME <> '' ORDER BY NAME ;"),
                 nullptr, "NAME");
}

void QueriesFrm::InitExtremeData()
{
    try {
        rsExtremes = OpenExtremes(LogDB());
    } catch (const db::DbError& e) {
        rsExtremes.reset();
        qCWarning(lcQueries) << "extremes not read:" << e.Message();
    }
}

void QueriesFrm::lst1_ItemClick(CheckItem& item)
{
    const QString& key = item.Key();
    if (key == QLatin1String("All")) {
        if (item.Ticked())
            ClearInfo();
    } else if ((key == QLatin1String("PDCModel") || key == QLatin1String("DiveMode") ||
                key == QLatin1String("DiveStatus")) &&
               item.Ticked()) {
        Untick(*lst1, {"All"});
    }
}

void QueriesFrm::lst2_ItemClick(CheckItem& item)
{
    if (!item.Ticked())
        return;
    const QString& key = item.Key();
    if (key == QLatin1String("DiveDate")) {
        Untick(*lst1, {"All"});
    } else if (key == QLatin1String("MaxDepth")) {
        Untick(*lst1, {"All"});
        Untick(*lst3, {"Deepest"});
    } else if (key == QLatin1String("BTime")) {
        Untick(*lst1, {"All"});
        Untick(*lst3, {"Longest", "Shortest"});
    } else if (key == QLatin1String("Temp")) {
        Untick(*lst1, {"All"});
        Untick(*lst3, {"Coldest", "Warmest"});
    }
}

// One criterion of the list at a time. The names chosen under "Buddy", "Captain"
// and "Crew" stay, so that ticking a criterion never loses a choice.
void QueriesFrm::lst3_ItemClick(CheckItem& item)
{
    Untick(*lst1, {"All"});
    for (const auto& other : lst3->AllItems())
        if (other.get() != &item && other->Kind() == CheckItemKind::Check)
            other->SetTicked(false);
    if (!item.Ticked())
        return;
    const QString& key = item.Key();
    if (key == QLatin1String("Deepest"))
        Untick(*lst2, {"MaxDepth"});
    else if (key == QLatin1String("Longest") || key == QLatin1String("Shortest"))
        Untick(*lst2, {"BTime"});
    else if (key == QLatin1String("Warmest") || key == QLatin1String("Coldest"))
        Untick(*lst2, {"Temp"});
}

void QueriesFrm::lst4_ItemClick(CheckItem&)
{
    Untick(*lst1, {"All"});
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

QueryCriteria QueriesFrm::Criteria() const
{
    QueryCriteria c;
    c.all = Ticked(*lst1, "All");
    c.model = Ticked(*lst1, "PDCModel");
    c.modelText = ValueOf(*lst1, "PDCList");
    c.diveMode = Ticked(*lst1, "DiveMode");
    c.modeNormal = Ticked(*lst1, "Norma");
    c.modeNavigation = Ticked(*lst1, "Navigation");
    c.diveStatus = Ticked(*lst1, "DiveStatus");
    c.statusNormal = Ticked(*lst1, "Normal");
    c.statusDeco = Ticked(*lst1, "Deco");
    c.statusViolation = Ticked(*lst1, "Viol");
    c.statusGauge = Ticked(*lst1, "Gauge");
    c.diveDate = Range(*lst2, "DiveDate", "fromDate", "toDate");
    c.maxDepth = Range(*lst2, "MaxDepth", "fromDepth", "toDepth");
    c.bottomTime = Range(*lst2, "BTime", "fromTime", "toTime");
    c.temperature = Range(*lst2, "Temp", "fromTemp", "toTemp");
    for (int i = 0; i < kExtremeCount; ++i)
        c.extremes[static_cast<size_t>(i)] = Ticked(*lst3, InfoOf(ExtremeAt(i)).criterionKey);
    c.buddy = Name(*lst3, "Buddy", "BuddyList");
    c.crew = Name(*lst3, "Crew", "CrewList");
    c.captain = Name(*lst3, "Captain", "CaptainList");
    c.operatorName = Name(*lst4, "Operator", "OperList");
    c.location = Name(*lst4, "Location", "LocationList");
    c.site = Name(*lst4, "Site", "SiteList");
    c.diveType = Name(*lst4, "Type", "TypeList");
    c.gear = Name(*lst4, "Gear", "GearList");
    return c;
}

void QueriesFrm::Cmd_ItemClick(const QString& key)
{
    if (key == QLatin1String("Apply"))
        ApplyResultToDivesListing();
    else if (key == QLatin1String("Run"))
        RunQuery();
}

void QueriesFrm::ForgetResult()
{
    Grid->RemoveAll();
    Grid->hide();
    Cmd->Items(QStringLiteral("Apply")).SetEnabled(false);
    Cmd->Items(QStringLiteral("Msg")).SetText(QString());
    QuerySQL.clear();
    QueryParams.clear();
    rsExtremes.reset();
}

void QueriesFrm::RunQuery()
{
    ForgetResult();
    QuerySQL = QString::fromLatin1(kQueryBase);
    try {
        db::Database& db = LogDB();
        InitExtremeData();   // the records of the log as it is now
        const ExtremeValues extremes = rsExtremes ? ReadExtremes(*rsExtremes) : ExtremeValues{};
        BuiltQuery query = BuildQuery(db, Criteria(), {gv.UnitDate, gv.UnitDepth, gv.UnitTemp}, extremes);
        if (!query.runs)
            return;
        QuerySQL = query.sql;
        QueryParams = std::move(query.params);
        auto result = db.OpenSnapshot(ResultSetSql(QuerySQL), QueryParams);
        ShowResult(*result);
    } catch (const db::DbError& e) {
        qCWarning(lcQueries) << "query refused:" << QuerySQL << e.Message();
        Grid->RemoveAll();
        Grid->hide();
        MsgBox(QStringLiteral("Could not run the query."), MsgButtons::OK, MsgIcon::Critical, QStringLiteral("Error"));
    }
}

void QueriesFrm::ShowResult(db::Recordset& result)
{
    const int found = result.RecordCount();
    QStringList rows;
    rows.reserve(found);
    const ModelNames models(LogDB());
    for (; !result.EOF(); result.MoveNext())
        rows << QueryResultRow(result, models);
    Cmd->Items(QStringLiteral("Msg")).SetText(QStringLiteral("Total dive(s) found: ") + QString::number(found));
    if (found < 1)
        return;
    Grid->show();
    Grid->AddItems(rows);
    Cmd->Items(QStringLiteral("Apply")).SetEnabled(true);
}

// The browsed list becomes the result, standing on the current dive when the result
// holds it and on its first dive otherwise.
void QueriesFrm::ApplyResultToDivesListing()
{
    if (!Cmd->Items(QStringLiteral("Apply")).Enabled())
        return;   // only a run that found dives is handed over
    gv.DiveListSQL = QuerySQL;
    gv.DiveListParams = QueryParams;
    try {
        ShowCurrentLTD();
    } catch (const db::DbError& e) {
        qCWarning(lcQueries) << "result not applied:" << e.Message();
    }
}

void QueriesFrm::Grid_MouseUp(int row)
{
    const qint32 diveId = Grid->Cell(row, ResultCaption(ResultColumn::DiveId)).toInt();
    if (diveId >= 1 && PickDive(diveId))
        CurrentMainWindowHooks().SelectSideBarItem(QStringLiteral("Dive"));
}

} // namespace kvl
