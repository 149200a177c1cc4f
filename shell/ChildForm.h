#pragma once
// The child forms of the main window. Each form has one instance for the whole
// program, made when first asked for (Form::Instance()) and destroyed by Unload();
// asking again afterwards makes a fresh one. Show() loads the form (Form_Load runs
// once, where the form writes its form code into gv.ActiveFormID) and puts it in
// the main window's child area; Unload() runs Form_Unload and takes it away.
//
//   class GearFrm : public ChildFormOf<GearFrm> { ... void Form_Load() override; };
//   GearFrm::Instance().Show();      GearFrm::Instance().UpdateGearInfo();
//   if (GearFrm::Exists()) GearFrm::Instance().Unload();

#include <QWidget>

class QFormLayout;
class QLabel;

namespace kvl {

// The codes the child forms write into gv.ActiveFormID.
namespace FormCode {
constexpr int None = 0;
constexpr int Personal = 1;
constexpr int DiveComputer = 2;
constexpr int Dive = 3;
constexpr int Buddies = 4;
constexpr int Location = 5;
constexpr int Details = 6;
constexpr int Gear = 7;
constexpr int History = 8;
constexpr int Queries = 9;
constexpr int LogOpened = 255;   // a log was just opened; no form has loaded since
} // namespace FormCode

class ChildForm : public QWidget {
    Q_OBJECT
public:
    explicit ChildForm(const QString& caption);

    // Loads the form when needed and shows it in the child area.
    void Show();
    // Takes the form out of sight; it stays loaded.
    void Hide();
    // Runs Form_Unload (when loaded), takes the form away and forgets the instance.
    void Unload();
    bool Loaded() const { return loaded_; }

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}

private:
    virtual void ForgetInstance() = 0;
    bool loaded_ = false;
};

// A read-only "caption: value" row added to a form's layout; returns the value's label.
QLabel* AddShownField(QFormLayout& layout, const QString& caption);

// What the child forms change on the main window's bars when they load and unload.
void SetToolBarItemVisible(const QString& key, bool visible);
void DeselectSideBarItem(const QString& key);

template <class Form>
class ChildFormOf : public ChildForm {
public:
    using ChildForm::ChildForm;
    ~ChildFormOf() override
    {
        if (instance_ == this)
            instance_ = nullptr;
    }

    static Form& Instance()
    {
        if (!instance_)
            instance_ = new Form();
        return *instance_;
    }
    static bool Exists() { return instance_ != nullptr; }

private:
    void ForgetInstance() override
    {
        if (instance_ == this)
            instance_ = nullptr;
    }
    inline static Form* instance_ = nullptr;
};

} // namespace kvl
