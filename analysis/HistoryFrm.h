#pragma once
// The statistics form (form code 8): lifetime statistics and extremes. This is the
// part the shell uses; the statistics subsystem fills in the rest.

#include "shell/ChildForm.h"

namespace kvl {

class HistoryFrm : public ChildFormOf<HistoryFrm> {
    Q_OBJECT
public:
    HistoryFrm();

    // The user chose a dive among the statistics: it becomes the current dive.
    void ShowDive(qint32 diveId);

protected:
    void Form_Load() override;
};

} // namespace kvl
