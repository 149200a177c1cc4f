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

#include <cstddef>
#include <type_traits>

class QFormLayout;
class QLabel;

namespace kvl {

class ChildForm : public QWidget, public ChildFormInterface {
    Q_OBJECT
public:
    explicit ChildForm(const QString& caption);

    // Loads the form when needed and shows it in the child area.
    void Show() override;
    // Takes the form out of sight; it stays loaded.
    void Hide() override;
    // Runs Form_Unload (when loaded), takes the form away and forgets the instance.
    void Unload() override;
    bool Loaded() const { return loaded_; }
    bool OnScreen() const override { return loaded_ && !isHidden(); }

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}

private:
    virtual void ForgetInstance() = 0;
    bool loaded_ = false;
};

// A read-only "caption: value" row added to a form's layout; returns the value's label.
QLabel* AddShownField(QFormLayout& layout, const QString& caption);

// The main window's services to the child forms (through FormHost.h), so that a form
// needs no header of the main window. Each makes the main window when there is none.
void SetToolBarItemVisible(const QString& key, bool visible);
void SetToolBarItemChecked(const QString& key, bool checked);
void DeselectSideBarItem(const QString& key);
void EnableDiveButtons();
// False while there is no main window (a form on its own, as in tests).
bool MainWindowExists();

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
    // The form's row of the shell's table of forms: `save` writes its pending changes and
    // says whether they were written, `refresh` shows the current dive again (member
    // functions, or nullptr for none).
    template <class Save = std::nullptr_t, class Refresh = std::nullptr_t>
    static FormTableEntry TableEntry(Save save = nullptr, Refresh refresh = nullptr)
    {
        FormTableEntry entry{[]() -> ChildFormInterface& { return Instance(); }, &Exists, {}, {}};
        if constexpr (!std::is_null_pointer_v<Save>)
            entry.save = [save]() -> bool { return (Instance().*save)(); };
        if constexpr (!std::is_null_pointer_v<Refresh>)
            entry.refresh = [refresh] { (Instance().*refresh)(); };
        return entry;
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
