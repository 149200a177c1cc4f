#pragma once
// Tests of the main window: each case starts with a laid-out program folder, a
// fresh main window and fresh application state, and ends by destroying them.

#include "tests/support/KvlTest.h"

#include <QString>

namespace kvl::test {

class MainFrmTest : public KvlTest {
protected:
    void SetUp() override;
    void TearDown() override;

    QString Logs() const { return Home() + "/Logs"; }
    QString SampleLog() const { return Logs() + "/Sample Diver.dlg"; }
    // Runs the start-up road; true when the program is left running.
    bool StartUp();
    // The prompt shown last, and the prompt shown `fromEnd` before it.
    const Prompt& LastPrompt(size_t fromEnd = 0) const;
    // Writes a copy of the sample log without the model row the program serves.
    QString LogWithoutModelRow(const QString& name);
    // Writes a file of the given bytes under the program folder.
    QString WriteFile(const QString& relativePath, const QByteArray& bytes);
};

QByteArray FileBytes(const QString& path);

} // namespace kvl::test
