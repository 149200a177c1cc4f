#include "platform/widgets/ListTextBox.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>

namespace kvl {

namespace {
// Turns away the input method's text at the list and at its box.
class InputMethodGuard : public QObject {
public:
    explicit InputMethodGuard(QComboBox& list) : QObject(&list)
    {
        list.installEventFilter(this);
        list.lineEdit()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::InputMethod)
            return false;
        event->ignore();
        return true;
    }
};
} // namespace

void LockTextBox(QComboBox& list)
{
    list.lineEdit()->setReadOnly(true);
    list.setAttribute(Qt::WA_InputMethodEnabled, false);   // no input method offers to write here
    new InputMethodGuard(list);
}

} // namespace kvl
