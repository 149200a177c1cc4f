#pragma once
// A small log for the text exports: a downloaded dive with samples, alarms, a tank
// switch and an other record; a dive entered by hand; and a gauge dive. The golden
// files beside this header hold the bytes the exports must write.

#include "platform/runtime/Runtime.h"
#include "reports/core/ExportFile.h"
#include "shell/core/Global_Vars.h"
#include "tests/support/ProfileLog.h"

#include <gtest/gtest.h>

#include <QFile>

namespace kvl::test {

class ExportTest : public ProfileLogTest {
protected:
    void SetUp() override
    {
        ProfileLogTest::SetUp();
        gv.DiverName = "Ann Diver";
        gv.SortOrder = "LIFETIMEDIVENO ASC";
        Runtime::SetDecimalSeparator(QLatin1Char('.'));
        SetUnits(false);
    }
    void TearDown() override
    {
        Runtime::SetDecimalSeparator(QChar());
        InstallExportSink({});
        ExportDelimiter.clear();
        ProfileLogTest::TearDown();
    }

    // Every unit flag 1 (imperial) or 0 (metric).
    static void SetUnits(bool imperial)
    {
        const quint8 flag = imperial ? 1 : 0;
        gv.UnitSystem = gv.UnitDate = gv.UnitDepth = gv.UnitTemp = gv.UnitPressure = gv.UnitCylinder = flag;
        gv.UnitTime = 0;
    }

    static void AddSample(qint64 diveId, int ordno, Columns columns)
    {
        columns.insert(columns.begin(), {{"DIVEID", diveId}, {"ORDNO", ordno}});
        InsertRow(*gv.DB, "DIVEDETAILS", columns);
    }

    // LTD 1: 2009/05/21 14:05, 45 minutes, 98.4 ft, nitrox 32 and 50, receiver on.
    qint64 AddDownloadedDive()
    {
        const qint64 id = AddDive({{"LIFETIMEDIVENO", 1}, {"DIVENO", 7},       {"MODELID", 6774},
                                   {"MODELSERNO", 12345}, {"DIVEDATE", "2009/05/21"}, {"DIVETIME", "14:05"},
                                   {"STIME", "01:30"},    {"MDEPTH", 98.4},    {"BTIME", 45},
                                   {"TEMP", 77},          {"FO2", 32},         {"FO2GAS2", 50},
                                   {"FO2GAS3", 0},        {"SNAPSHOT", 0},     {"DATATYPE", 1},
                                   {"VARI", 2},           {"RECVON", -1},      {"TANK1ON", -1}});
        AddSample(id, 1, {{"BTIME", 0},   {"DEPTH", 0},   {"VARI", 0},   {"VSTATUS", 0}, {"SDEPTH", 0},
                          {"TEMP", 77},   {"ALARM", 0},   {"TLBG", 0},   {"O2BG", 0},    {"ATRM", 0},
                          {"NTIME", 5940}, {"LOSTLINK", 0}, {"SWITCHED", 0}, {"TANKNO", 1}});
        AddSample(id, 2, {{"BTIME", 90},  {"DEPTH", 33},  {"VARI", 5},   {"VSTATUS", 3}, {"SDEPTH", 10},
                          {"TEMP", 0},    {"ALARM", 3},   {"TLBG", 3},   {"O2BG", 1},    {"ATRM", 5},
                          {"NTIME", 125}, {"LOSTLINK", -1}, {"SWITCHED", -1}, {"TANKNO", 2}});
        AddSample(id, 3, {{"RECORDTYPE", 0x40}});   // kept by the download, no sample
        AddSample(id, 4, {{"BTIME", 3725}, {"DEPTH", 20}, {"VARI", 4},   {"VSTATUS", 1}, {"SDEPTH", 0},
                          {"TEMP", 76},   {"ALARM", 16},  {"TLBG", 12},  {"O2BG", 0},    {"ATRM", 12},
                          {"NTIME", 6000}, {"LOSTLINK", 0}, {"SWITCHED", 0}, {"TANKNO", 2}});
        return id;
    }

    // LTD 2: entered by hand.
    qint64 AddManualDive()
    {
        return AddDive({{"LIFETIMEDIVENO", 2}, {"DIVENO", 0},   {"MODELID", 0},     {"MODELSERNO", 0},
                        {"DIVEDATE", "2009/05/22"}, {"DIVETIME", "09:00"}, {"STIME", ""}, {"MDEPTH", 40},
                        {"BTIME", 30},         {"TEMP", 68},    {"FO2", 0},         {"SNAPSHOT", 0},
                        {"DATATYPE", 0}});
    }

    // LTD 3: a gauge dive without the receiver.
    qint64 AddGaugeDive()
    {
        const qint64 id = AddDive({{"LIFETIMEDIVENO", 3}, {"DIVENO", 3},    {"MODELID", 6774},
                                   {"MODELSERNO", 12345}, {"DIVEDATE", "2009/05/23"}, {"DIVETIME", "23:30"},
                                   {"MDEPTH", 30},        {"BTIME", 12},    {"TEMP", 50},
                                   {"FO2", 0},            {"SNAPSHOT", 1},  {"DATATYPE", 1},
                                   {"VARI", 0},           {"GAUGEDIVE", -1}, {"RECVON", 0}});
        AddSample(id, 1, {{"BTIME", 0}, {"DEPTH", 0}, {"VARI", 0}, {"TEMP", 50}, {"VSTATUS", 8}});
        AddSample(id, 2, {{"BTIME", 60}, {"DEPTH", 30}, {"VARI", 1}, {"TEMP", 49}, {"VSTATUS", 0}});
        return id;
    }

    QString Out(const QString& name) const { return Home() + "/" + name; }
};

// A writer that breaks once a number of bytes has gone through it.
class BreakingSink : public ExportSink {
public:
    BreakingSink(const QString& path, qint64 breakAfter) : file_(OpenExportFileSink(path)), left_(breakAfter) {}
    bool IsOpen() const override { return file_->IsOpen(); }
    bool Write(const QByteArray& bytes) override
    {
        left_ -= bytes.size();
        return left_ >= 0 && file_->Write(bytes);
    }
    bool Commit() override { return file_->Commit(); }
    QString ErrorText() const override { return "The disk is full."; }

private:
    std::unique_ptr<ExportSink> file_;
    qint64 left_;
};

inline QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QString GoldenPath(const QString& name)
{
    return QStringLiteral(KVL_GOLDEN_DIR) + "/" + name;
}

// Compares the file with the golden file byte for byte; on a mismatch names the first
// differing line.
inline void ExpectGolden(const QString& path, const QString& golden)
{
    const QByteArray expected = ReadBytes(GoldenPath(golden));
    const QByteArray actual = ReadBytes(path);
    ASSERT_FALSE(expected.isEmpty()) << "missing golden file " << golden.toStdString();
    if (actual == expected)
        return;
    const QList<QByteArray> want = expected.split('\n');
    const QList<QByteArray> got = actual.split('\n');
    for (qsizetype i = 0; i < std::max(want.size(), got.size()); ++i) {
        const QByteArray w = want.value(i);
        const QByteArray g = got.value(i);
        if (w != g) {
            ADD_FAILURE() << golden.toStdString() << " differs at line " << i + 1 << "\n  expected: ["
                          << w.toStdString() << "]\n  actual:   [" << g.toStdString() << "]";
            return;
        }
    }
}

} // namespace kvl::test
