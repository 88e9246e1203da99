// SPDX-License-Identifier: MIT
// Driving a menu that shows modally, as a user does while it is open.
#pragma once

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <functional>

namespace selectframe::test {

using TMenuAction = std::function<void(QMenu *)>;

/// The shown entries: a separator as "-", a submenu's caption with " >".
inline QStringList shown(const QMenu *menu)
{
    QStringList captions;
    for (const QAction *entry : menu->actions())
        if (entry->isVisible())
            captions << (entry->isSeparator() ? QStringLiteral("-") : entry->text() + (entry->menu() ? " >" : ""));
    return captions;
}

/// Runs `open`, which shows a menu modally, and `inside` on that menu while
/// it shows; closes every menu still open afterwards.
inline void whileShown(const std::function<void()> &open, const TMenuAction &inside)
{
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            opened = true;
            inside(menu);
        }
        while (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    });
    open();
    QVERIFY(opened);
}

/// Clicks `button` and the entry captioned `caption` of the menu it shows.
inline void chooseFromButton(QWidget *button, const QString &caption)
{
    whileShown([button] { QTest::mouseClick(button, Qt::LeftButton); },
               [&](QMenu *menu) {
                   for (QAction *entry : menu->actions())
                       if (entry->text() == caption)
                           return QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(entry).center());
                   QFAIL(qPrintable(QStringLiteral("no entry ") + caption));
               });
}

} // namespace selectframe::test
