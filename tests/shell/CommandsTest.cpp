#include "tests/shell/CommandsTest.h"

#include "device/CommFrm.h"
#include "dive/DiveFrm.h"
#include "dive/DivesListingFrm.h"
#include "dive/frmDate.h"
#include "forms/ModalForms.h"
#include "platform/widgets/SmartSideBar.h"
#include "platform/widgets/SmartToolBar.h"
#include "shell/core/DiveCursor.h"
#include "shell/core/DiveRows.h"
#include "shell/MDI_MainFrm.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kvl::test {

void CommandsTest::SetUp()
{
    ShellLogTest::SetUp();
    gv.CurrentDiveID = -1;
    gv.BaseLTD = 1;
    gv.UnitTime = 1;
    gv.UnitDate = 1;
    InstallModalRunner([this](QDialog& dialog) {
        if (auto* add = qobject_cast<AddDiveOption*>(&dialog)) {
            if (addDive)
                addDive(*add);
            else
                ADD_FAILURE() << "the add-dive dialog was not expected";
            return add->result();
        }
        if (auto* frm = qobject_cast<CommFrm*>(&dialog)) {
            commModes.push_back(frm->Mode());
            if (comm)
                comm(*frm);
            return 0;
        }
        ADD_FAILURE() << "unexpected window " << dialog.metaObject()->className();
        return 0;
    });
    Frm();
}

void CommandsTest::TearDown()
{
    InstallModalRunner({});
    DestroyMainFrm();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    DivesListingFrm::Unload();
    frmDate::Unload();
    ShellLogTest::TearDown();
}

void CommandsTest::AddDives(int count)
{
    for (int i = 1; i <= count; ++i) {
        const qint64 id = AddDive({{"LIFETIMEDIVENO", i},
                                   {"DIVEDATE", QString("2009/01/%1").arg(i, 2, 10, QChar('0'))},
                                   {"DIVETIME", "10:00"},
                                   {"DIVENO", i},
                                   {"MDEPTH", 60},
                                   {"DATATYPE", 1},
                                   {"MODELID", 6774}});
        AddChildRow("DIVE_DC_SETTINGS", id);
        for (int k = 0; k < 3; ++k)   // a short profile for the profile view
            test::InsertRow(*gv.DB, "DIVEDETAILS",
                            {{"DIVEID", id}, {"ORDNO", k}, {"BTIME", 20 * k}, {"DEPTH", k == 1 ? 60 : 10}});
    }
    OpenLogOn();
}

void CommandsTest::OpenLogOn(qint32 diveId)
{
    gv.CurrentDiveID = diveId;
    ShowCurrentLTD();
}

MDI_MainFrm& CommandsTest::Frm()
{
    return MainFrm();
}

void CommandsTest::Side(const QString& key)
{
    Frm().SmartBar->Items(key).SetSelected(true);
}

void CommandsTest::Tool(const QString& key)
{
    Frm().SmartUI1->Items(key).SetSelected(true);
    Frm().SmartUI1->Items(key).SetSelected(false);
}

BarItem& CommandsTest::ToolItem(const QString& key)
{
    return Frm().SmartUI1->Items(key);
}

void CommandsTest::AnswerAddDive(LtdPlace place, const QString& typed, bool download)
{
    addDive = [=](AddDiveOption& dialog) {
        if (place == LtdPlace::None) {
            dialog.CancelCmd->click();
            return;
        }
        dialog.Option1[download ? 1 : 0]->setChecked(true);
        const int i = static_cast<int>(place);
        dialog.Option2[i]->setChecked(true);
        if (place == LtdPlace::Middle || (place == LtdPlace::Beginning && !dialog.Text1[0]->isReadOnly()))
            dialog.Text1[i]->setText(typed);
        dialog.OKCmd->click();
    };
}

void CommandsTest::EditMemo(const QString& text)
{
    MemoBox& memo = DiveFrm::Instance().MemoTxt();
    emit memo.KeyDown(0);
    memo.SetText(text);
}

db::Value CommandsTest::Stored(qint64 diveId, const QString& column)
{
    return gv.DB->Scalar("Select " + column + " from DIVEDATA where DIVEID = ?", {diveId});
}

std::vector<std::pair<QString, qint64>> CommandsTest::NumbersByDate()
{
    std::vector<std::pair<QString, qint64>> rows;
    auto rs = gv.DB->OpenRecordset("Select DIVEDATE, LIFETIMEDIVENO from DIVEDATA ORDER BY DIVEDATE, DIVEID");
    for (; !rs->EOF(); rs->MoveNext())
        rows.emplace_back(rs->Field("DIVEDATE").ToString(), rs->Field("LIFETIMEDIVENO").ToLong());
    return rows;
}

qint64 CommandsTest::IdOf(qint64 ltd)
{
    return gv.DB->Scalar("Select DIVEID from DIVEDATA where LIFETIMEDIVENO = ?", {ltd}).ToLong();
}

QStringList CommandsTest::ShownDiveItems()
{
    QStringList shown;
    for (const char* key : {"LTD", "Sort", "AddDive", "DeleteDive", "FirstDive", "LastDive", "PrevDive", "NextDive",
                            "DeleteAllDives"})
        if (ToolItem(key).Visible())
            shown << key;
    return shown;
}

} // namespace kvl::test
