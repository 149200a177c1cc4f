#pragma once
// Typing as the user does: one key press and release per character, sent to the box
// (which must be enabled), so that its validator and key handlers see every key.

#include <QCoreApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

namespace kvl::test {

// One press and release of the key, bringing the text.
inline void KeyTo(QWidget& box, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {})
{
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent event(type, key, modifiers, text);
        QCoreApplication::sendEvent(&box, &event);
    }
}

inline void KeyIn(QWidget& box, const QString& text)
{
    for (const QChar ch : text) {
        const int key = ch.toUpper().unicode();   // Qt's key codes of Latin letters, digits and signs
        KeyTo(box, key, Qt::NoModifier, QString(ch));
    }
}

} // namespace kvl::test
