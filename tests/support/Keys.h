#pragma once
// Typing as the user does: one key press and release per character, sent to the box
// (which must be enabled), so that its validator and key handlers see every key.

#include <QCoreApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

namespace kvl::test {

inline void KeyIn(QWidget& box, const QString& text)
{
    for (const QChar ch : text) {
        const int key = ch.toUpper().unicode();   // Qt's key codes of Latin letters, digits and signs
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(&box, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(&box, &release);
    }
}

} // namespace kvl::test
