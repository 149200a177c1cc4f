#pragma once
// What the add-dive dialog's choice means: the place of the new dive's lifetime
// number and whether it is downloaded, turned into gv.AddDiveMode and gv.NewDiveLTD.

#include "shell/core/MDI_Rules.h"

#include <QString>

#include <optional>

namespace kvl {

// The lifetime-number options of the dialog, by index.
enum class LtdPlace { None = -1, Beginning = 0, End = 1, Middle = 2 };

struct AddDiveChoice {
    bool download = false;
    LtdPlace place = LtdPlace::None;
    QString firstText;    // the "beginning" box (editable only in a log without dives)
    QString middleText;   // the typed lifetime dive number
    long lastLtd = 0;     // highest lifetime number of the log, 0 for none
};

struct AddDiveResult {
    int mode = kAddCancelled;
    long newDiveLtd = 0;
    long firstLtd = 0;
    // The number typed for the chosen place is not a whole number of at least 1:
    // the dialog warns and stays open.
    bool refused = false;
};

// A typed lifetime dive number, or nothing when the text is not a whole number of at least 1.
std::optional<long> ParseLifetimeNumber(const QString& text);
// What OK makes of the dialog's state. No place chosen counts as Cancel.
AddDiveResult ResolveAddDive(const AddDiveChoice& choice);

inline constexpr const char* kLtdRefusedMessage = "Life Time Dive Number should be greater than 0.";

} // namespace kvl
