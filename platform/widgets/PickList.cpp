#include "platform/widgets/PickList.h"

#include "platform/widgets/ListAccessible.h"

#include "platform/widgets/FieldBoxes.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QWheelEvent>

#include <algorithm>

namespace kvl {

namespace {
bool CaseBlindLess(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; }
} // namespace

PickList::PickList(Order order, QWidget* parent) : QComboBox(parent), order_(order)
{
    UseListNames();
    TakeFocusByClickOnly(*this);
    setEditable(false);
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emit Click(); });
    connect(this, &QComboBox::activated, this, [this] { emit UserPicked(); });
}

void PickList::Clear() { clear(); }

int PickList::AddItem(const QString& text)
{
    int at = count();
    if (order_ == Sorted) {
        const QStringList entries = Entries();
        at = static_cast<int>(std::upper_bound(entries.begin(), entries.end(), text, CaseBlindLess) - entries.begin());
    }
    insertItem(at, text);
    return at;
}

void PickList::RemoveItem(int index) { removeItem(index); }

void PickList::SetItems(QStringList texts)
{
    if (order_ == Sorted)
        std::stable_sort(texts.begin(), texts.end(), CaseBlindLess);
    clear();
    addItems(texts);
    setCurrentIndex(-1);
}

QStringList PickList::Entries() const
{
    QStringList entries;
    entries.reserve(count());
    for (int i = 0; i < count(); ++i)
        entries << itemText(i);
    return entries;
}

void PickList::SetListIndex(int index) { setCurrentIndex(index >= 0 && index < count() ? index : -1); }

int PickList::FindText(const QString& text) const
{
    for (int i = 0; i < count(); ++i)
        if (QString::compare(itemText(i), text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

bool PickList::SelectText(const QString& text)
{
    const int at = FindText(text);
    if (at < 0)
        return false;
    setCurrentIndex(at);
    return true;
}

void PickList::Pick(int index)
{
    if (index < 0 || index >= count())
        return;
    setCurrentIndex(index);
    emit UserPicked();
}

void PickList::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    emit GotFocus();
}

void PickList::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    // A pop-up list or another window taking the focus for a moment is no leaving.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
        emit LostFocus();
}

void PickList::keyPressEvent(QKeyEvent* event)
{
    emit KeyDown(event->key());
    QComboBox::keyPressEvent(event);
}

void PickList::keyReleaseEvent(QKeyEvent* event)
{
    QComboBox::keyReleaseEvent(event);
    emit KeyUp(event->key());
}

void PickList::wheelEvent(QWheelEvent* event) { LeaveWheelAlone(event); }

} // namespace kvl
