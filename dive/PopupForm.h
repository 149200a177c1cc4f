#pragma once
// A small window that drops down under a bar or list item: loaded on first use,
// hidden (not unloaded) after a pick, and unloaded with the main window.

#include <QWidget>

#include <memory>

namespace kvl {

template <class Form>
class PopupFormOf : public QWidget {
public:
    static Form& Instance()
    {
        if (!Slot())
            Slot().reset(new Form);
        return *Slot();
    }
    // The next Instance() loads the window afresh.
    static void Unload() { Slot().reset(); }

protected:
    PopupFormOf() : QWidget(nullptr, Qt::Popup) {}

private:
    static std::unique_ptr<Form>& Slot()
    {
        static std::unique_ptr<Form> form;
        return form;
    }
};

} // namespace kvl
