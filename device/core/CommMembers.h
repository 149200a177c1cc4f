#pragma once
// The download window's members that the link and protocol routines read and
// write. The window owns one and hands it to CommLink.

#include <QString>

namespace kvl {

struct CommMembers {
    bool CloseRequested = false;
    bool Busy = false;
    bool ReadOK = false;
    bool AbortSession = false;
    bool ProfileReadFailed = false;
    double SendTime = 0;             // clock at the last send; resend windows run from it
    qint32 UnitSerialNo = 0;
    int CurStatusKey = 0;            // key of the dive's status line (dive key + 1000)
    QString DeviceIDText;
    QString DeviceModelText;         // "QX07" once the identity check passed
    qint32 DeviceModelID = 0;
    QString ComPortNumber;           // the port's name; empty for none
    bool VavedaverFound = false;
    QString TestReplyText;
    double TimerStart = 0;
    qint32 LastPageNo = 4095;

    // The log pointers of page 4.
    int FirstIndexPage = 0;
    int FirstEntryOffset = 0;
    int FirstEntryNo = 0;
    int EndIndexPage = 0;
    int EndEntryOffset = 0;
    int EndEntryNo = 0;
};

} // namespace kvl
