#include "platform/runtime/Logging.h"

Q_LOGGING_CATEGORY(kvlDb, "kvl.db")
Q_LOGGING_CATEGORY(kvlDevice, "kvl.device")
Q_LOGGING_CATEGORY(kvlUi, "kvl.ui")
Q_LOGGING_CATEGORY(kvlReports, "kvl.reports")
