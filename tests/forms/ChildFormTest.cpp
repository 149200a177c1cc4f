// The child-form base against a host of the test's own: the floor builds and runs
// without the main window, and reaches the window only through the installed host.
#include "forms/ChildForm.h"
#include "forms/FormHost.h"

#include <QApplication>
#include <QEvent>

#include <gtest/gtest.h>

#include <stdexcept>

namespace kvl {
namespace {

class ProbeForm : public ChildFormOf<ProbeForm> {
public:
    ProbeForm() : ChildFormOf("Probe") {}
    int loads = 0;
    int unloads = 0;

protected:
    void Form_Load() override { ++loads; }
    void Form_Unload() override { ++unloads; }
};

// Writes down every call the forms make, one line each.
struct RecordingHost : ChildFormHost {
    QStringList calls;
    void ShowChild(ChildForm& form) override { calls << "show " + form.windowTitle(); }
    void HideChild(ChildForm& form) override { calls << "hide " + form.windowTitle(); }
    void RemoveChild(ChildForm& form) override { calls << "remove " + form.windowTitle(); }
    bool CloseChildForm(int formCode) override
    {
        calls << "close " + QString::number(formCode);
        return true;
    }
    void SetToolBarItemVisible(const QString& key, bool visible) override
    {
        calls << QString("tool %1 visible %2").arg(key).arg(visible);
    }
    void SetToolBarItemChecked(const QString& key, bool checked) override
    {
        calls << QString("tool %1 checked %2").arg(key).arg(checked);
    }
    void DeselectSideBarItem(const QString& key) override { calls << "deselect " + key; }
    void EnableDiveButtons() override { calls << "dive buttons"; }
    void ShowDiverInTitle(const QString& diverName) override { calls << "title " + diverName; }
};

RecordingHost host;
bool hostMade = false;

void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "kvl-forms-test";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance())
        new QApplication(argc, argv);   // lives until the process ends
}

class ChildFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureApplication();
        host.calls.clear();
        hostMade = false;
    }
    void TearDown() override
    {
        if (ProbeForm::Exists())
            delete &ProbeForm::Instance();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        InstallFormHost({});
    }
    // A host that is there from the start, as the main window once the program runs.
    static void InstallStandingHost()
    {
        InstallFormHost({[]() -> ChildFormHost* { return &host; }, []() -> ChildFormHost& { return host; }});
    }
    // A host made only when a form asks for it, as the main window in a form's own test.
    static void InstallHostMadeOnDemand()
    {
        InstallFormHost({[]() -> ChildFormHost* { return hostMade ? &host : nullptr; },
                         []() -> ChildFormHost& {
                             hostMade = true;
                             return host;
                         }});
    }
};

TEST_F(ChildFormTest, ShowLoadsOnceAndTheHostHoldsTheFormUntilUnload)
{
    InstallStandingHost();
    ProbeForm& form = ProbeForm::Instance();
    form.Show();
    form.Show();
    form.Hide();
    EXPECT_EQ(form.loads, 1);
    form.Unload();
    EXPECT_EQ(form.unloads, 1);
    EXPECT_FALSE(ProbeForm::Exists());
    EXPECT_EQ(host.calls, QStringList({"show Probe", "show Probe", "hide Probe", "remove Probe"}));
    EXPECT_TRUE(MainWindowExists());
}

TEST_F(ChildFormTest, WithoutAHostTheFormHidesItselfAndUnloadStillForgetsIt)
{
    InstallHostMadeOnDemand();
    ProbeForm& form = ProbeForm::Instance();
    form.show();
    form.Hide();
    EXPECT_TRUE(form.isHidden());
    EXPECT_FALSE(MainWindowExists());
    form.Unload();
    EXPECT_FALSE(ProbeForm::Exists());
    EXPECT_TRUE(host.calls.isEmpty()) << qPrintable(host.calls.join(", "));
    EXPECT_FALSE(hostMade);
}

TEST_F(ChildFormTest, ShowAndTheServicesMakeTheHostWhenThereIsNone)
{
    struct Case {
        const char* call;
        void (*run)();
    };
    const Case cases[] = {
        {"show Probe", [] { ProbeForm::Instance().Show(); }},
        {"tool Save visible 1", [] { SetToolBarItemVisible("Save", true); }},
        {"tool Units checked 0", [] { SetToolBarItemChecked("Units", false); }},
        {"deselect Dive", [] { DeselectSideBarItem("Dive"); }},
        {"dive buttons", [] { EnableDiveButtons(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        InstallHostMadeOnDemand();
        hostMade = false;
        host.calls.clear();
        c.run();
        EXPECT_TRUE(hostMade);
        EXPECT_EQ(host.calls, QStringList({c.call}));
    }
}

TEST_F(ChildFormTest, AskingForAHostThatNoOneInstalledIsAnErrorNotACrash)
{
    EXPECT_EQ(ExistingFormHost(), nullptr);
    EXPECT_THROW(FormHost(), std::logic_error);
    EXPECT_THROW(ProbeForm::Instance().Show(), std::logic_error);
    EXPECT_FALSE(MainWindowExists());
}

} // namespace
} // namespace kvl
