// SPDX-License-Identifier: MIT
// Input as a user gives it: typing any text, and answering a modal window.
#pragma once

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <functional>

namespace selectframe::test {

/// Types `text` into `widget` one character at a time; unlike
/// QTest::keyClicks, characters beyond ASCII are typed too.
inline void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

/// Runs `act` on the modal window that shows next (it runs once the modal
/// event loop has started).
inline void whenModal(const std::function<void(QWidget *)> &act)
{
    QTimer::singleShot(0, [act] { act(QApplication::activeModalWidget()); });
}

} // namespace selectframe::test
