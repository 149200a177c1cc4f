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

#include "shell/core/FormCode.h"
#include "shell/core/FormTable.h"

#include <QWidget>

class QFormLayout;
class QLabel;

namespace kvl {

class ChildForm : public QWidget, public ChildFormInterface {
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

// Enters every child form in the shell's table of forms (FormTable.h). The main
// window does it when it is made; so does anything that reaches forms without it.
void RegisterChildForms();

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
    // Enters the form in the shell's table of forms under this code.
    static void Register(int code)
    {
        RegisterForm(code, {[]() -> ChildFormInterface& { return Instance(); }, &Exists});
    }

private:
    void ForgetInstance() override
    {
        if (instance_ == this)
            instance_ = nullptr;
    }
    inline static Form* instance_ = nullptr;
};

} // namespace kvl
