// The base fixture: a case starts without the windows and the state the case
// before it left behind, and the forms' unload handlers do not run on the way.
#include "tests/support/KvlTest.h"

#include "dive/DivesListingFrm.h"
#include "forms/ModalForms.h"
#include "shell/MDI_MainFrm.h"
#include "shell/core/FormCode.h"
#include "shell/core/FormTable.h"
#include "shell/core/Global_Vars.h"
#include "site_gear/LocationFrm.h"

#include <QDialog>
#include <QTimer>

namespace kvl::test {
namespace {

class FixtureResetTest : public KvlTest {};

TEST_F(FixtureResetTest, ACaseStartsWithoutWhatTheCaseBeforeLeft)
{
    // What a case may leave: the main window, a child form, a drop-down window, a
    // stand-in for the modal windows, state.
    MainFrm().show();
    bool modalRunnerKept = false;
    InstallModalRunner([&](QDialog&) {
        modalRunnerKept = true;
        return 0;
    });
    LocationFrm::Instance();
    DivesListingFrm::Instance();
    gv.ActiveFormID = FormCode::Location;
    gv.CurrentDiveID = 7;

    TearDown();
    SetUp();

    EXPECT_FALSE(MainFrmExists());
    for (int code = FormCode::Personal; code <= FormCode::Queries; ++code)
        EXPECT_EQ(ExistingForm(code), nullptr) << code;
    EXPECT_EQ(gv.ActiveFormID, Global_Vars{}.ActiveFormID);
    EXPECT_EQ(gv.CurrentDiveID, Global_Vars{}.CurrentDiveID);
    EXPECT_TRUE(dialogs.Prompts().empty());
    QDialog modal;
    QTimer::singleShot(0, &modal, &QDialog::reject);
    ShowModal(modal);
    EXPECT_FALSE(modalRunnerKept);
}

} // namespace
} // namespace kvl::test
