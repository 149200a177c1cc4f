#pragma once
// The main window over a fresh log of dives, with the modal windows played by the
// test: the add-dive dialog through `addDive`, the download window through `comm`.

#include "dive/AddDiveOption.h"
#include "tests/shell/core/ShellLogTest.h"
#include "tests/support/QtPrint.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace kvl {
class CommFrm;
class MDI_MainFrm;
class BarItem;
}

namespace kvl::test {

// The dive record's question before a road leaves its edits.
inline constexpr char kSaveQuestion[] = "Do you want to save the changes?";

// A road out of the dive record that saves the dive before it moves on.
struct SaveRoad {
    const char* name;
    bool asks;   // the save question comes first (answered Yes)
    std::function<void()> go;
};

class CommandsTest : public ShellLogTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Adds dives numbered 1..count on consecutive days (downloaded, 60 ft deep)
    // and makes the first one current, as a freshly opened log is.
    void AddDives(int count);
    // Re-reads the browsed list and makes the dive with this id (or the first) current.
    void OpenLogOn(qint32 diveId = -1);

    MDI_MainFrm& Frm();
    void Side(const QString& key);   // a click on a side-bar item
    void Tool(const QString& key);   // a click on a tool-bar item
    BarItem& ToolItem(const QString& key);

    // The dialog answered with a place (and a typed number); Cancel when `place` is None.
    void AnswerAddDive(LtdPlace place, const QString& typed = {}, bool download = false);

    // Types a memo into the dive record on screen, as the user does.
    void EditMemo(const QString& text);
    db::Value Stored(qint64 diveId, const QString& column);

    // Lifetime numbers by DIVEDATE, in date order.
    std::vector<std::pair<QString, qint64>> NumbersByDate();
    // DIVEID of the dive with this lifetime number.
    qint64 IdOf(qint64 ltd);
    // The tool bar's dive items that are shown.
    QStringList ShownDiveItems();

    std::function<void(AddDiveOption&)> addDive;
    std::function<void(CommFrm&)> comm;
    std::vector<int> commModes;
};

} // namespace kvl::test
