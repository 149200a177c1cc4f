#pragma once
// A log with one downloaded dive made current, its set points row, and a recording
// printer for the dive reports' layout tests.

#include "platform/printer/RecordingPrinter.h"
#include "shell/core/Global_Vars.h"
#include "tests/support/ProfileLog.h"

#include <algorithm>
#include <vector>

namespace kvl::test {

class LogbookTest : public ProfileLogTest {
protected:
    void SetUp() override
    {
        ProfileLogTest::SetUp();
        SetImperial(true);
        gv.DiverName = "Ann Diver";
        gv.PrintFontName = "Arial";
    }

    // A downloaded dive with its set points row; the last call's dive is current.
    qint64 Dive(const Columns& overrides = {}, const Columns& setPoints = {})
    {
        const qint64 id = AddDive(DownloadedDive(overrides));
        Columns settings{{"DIVEID", id}};
        settings.insert(settings.end(), setPoints.begin(), setPoints.end());
        InsertRow(*gv.DB, "DIVE_DC_SETTINGS", settings);
        return id;
    }

    // Links count people named "<stem> 01"... to the dive through table (BUDDIES,
    // CREWS or CAPTAIN, with its person column).
    void AddPeople(qint64 diveId, const char* table, const char* column, const QString& stem, int count)
    {
        for (int i = 1; i <= count; ++i) {
            const QString name = stem + QString(" %1").arg(i, 2, 10, QChar('0'));
            const qint64 person = InsertRow(*gv.DB, "USERINFO", {{"NAME", name}, {"USERTYPE", 4}});
            InsertRow(*gv.DB, table, {{"DIVEID", diveId}, {column, person}});
        }
    }
    void AddDiveTypes(qint64 diveId, const QString& stem, int count)
    {
        for (int i = 1; i <= count; ++i) {
            const QString type = stem + QString(" %1").arg(i, 2, 10, QChar('0'));
            const qint64 id = InsertRow(*gv.DB, "DIVETYPEDATA", {{"TYPEDATA", type}});
            InsertRow(*gv.DB, "DIVETYPES", {{"DIVEID", diveId}, {"TYPEID", id}});
        }
    }
    // A dive whose left column cannot fit on one page: every list longer than its inch,
    // and the notes given. Its location name is the longest the dive record takes.
    qint64 CrowdedDive(const QString& highlights, const QString& directions, const Columns& more = {})
    {
        const qint64 place = InsertRow(*gv.DB, "LOCATIONS", {{"LOCATIONNAME", kLongLocation}});
        Columns columns{{"LOCID", place}, {"HIGHLIGHTS", highlights}, {"DIRECTIONS", directions}};
        columns.insert(columns.end(), more.begin(), more.end());
        const qint64 id = Dive(columns);
        db::Transaction links(*gv.DB);  // one write for the many rows
        AddPeople(id, "BUDDIES", "BUDDYID", "buddy with a long name", 30);
        AddPeople(id, "CREWS", "CREWID", "crew member and guide", 30);
        AddPeople(id, "CAPTAIN", "CAPID", "captain of the boat", 30);
        AddDiveTypes(id, "wreck and night and drift", 30);
        links.Commit();
        return id;
    }
    static inline const QString kLongLocation = "blue hole reef, north point lighthouse wall, dahab";

    // count samples at 30 ft, two seconds apart from time 0.
    void AddEvenSamples(qint64 diveId, int count)
    {
        std::vector<SampleRow> rows;
        for (int i = 0; i < count; ++i)
            rows.push_back({2 * i, 30.0});
        AddSamples(diveId, rows);
    }

    // The characters and texts printed on one line of a page from x on and left of
    // right, joined in drawing order.
    QString LineText(int page, double y, double left, double right) const
    {
        QString line;
        for (const RecordedText& t : printer.texts)
            if (t.page == page && std::abs(t.y - y) < 1e-9 && t.x >= left - 1e-9 && t.x < right)
                line += t.text;
        return line;
    }

    // The text printed at x on the line of label ("" when none).
    QString Beside(const QString& label, double x) const
    {
        const RecordedText* l = printer.Find(label);
        if (!l)
            return "<no label>";
        for (const RecordedText& t : printer.texts)
            if (t.page == l->page && std::abs(t.y - l->y) < 1e-9 && std::abs(t.x - x) < 1e-6)
                return t.text;
        return QString();
    }

    int Count(const QString& text, int page = 0) const
    {
        return int(std::count_if(printer.texts.begin(), printer.texts.end(), [&](const RecordedText& t) {
            return t.text == text && (page == 0 || t.page == page);
        }));
    }

    RecordingPrinter printer;
};

} // namespace kvl::test
