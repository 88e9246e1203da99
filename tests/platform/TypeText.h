// Typing any text, as a keyboard with a key for each character would.
#pragma once

#include <QTest>

namespace selectframe::test {

/// Types `text` into `widget` one character at a time; unlike
/// QTest::keyClicks, characters beyond ASCII are typed too.
inline void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace selectframe::test
