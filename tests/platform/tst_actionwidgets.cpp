// SPDX-License-Identifier: MIT
// Actions with update handlers, and the button, menu entry and drop-down
// button that stand for them.
#include "platform/ActionButton.h"
#include "platform/ActionHandlers.h"
#include "platform/ActionLink.h"
#include "platform/DropDownButton.h"
#include "platform/PopupMenu.h"

#include <QAction>
#include <QTest>
#include <QTimer>

#include <stdexcept>

using namespace selectframe;

class TestActionWidgets : public QObject
{
    Q_OBJECT

private slots:
    // The update handler runs first and decides whether the action
    // executes; binding again replaces both handlers.
    void executeRunsTheUpdateHandlerFirst()
    {
        TActionHandlers handlers;
        QAction action, unbound;
        QStringList calls;
        bool enable = false;
        handlers.bind(
            &action, [&](QObject *sender) { calls << (sender == &action ? "execute" : "?"); },
            [&](QObject *) { calls << "update", action.setEnabled(enable); });
        QVERIFY(!handlers.Execute(&action));
        enable = true;
        QVERIFY(handlers.Execute(&action));
        action.trigger();
        QVERIFY(!handlers.Execute(&unbound));
        QCOMPARE(calls, (QStringList{"update", "update", "execute", "update", "execute"}));
        handlers.bind(&action, [&](QObject *) { calls << "rebound"; });
        action.trigger();
        QCOMPARE(calls.last(), "rebound");
        QCOMPARE(calls.size(), 6);

        // A failing handler is reported when input triggered it, and reaches
        // the caller when it was executed directly.
        action.setObjectName(QStringLiteral("acBroken"));
        handlers.bind(&action, [](QObject *) { throw std::runtime_error("broken"); });
        QTest::ignoreMessage(QtCriticalMsg, "acBroken failed: broken");
        action.trigger();
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, handlers.Execute(&action));
    }

    // The button follows the action it has now, not one it had, and keeps
    // its own caption.
    void buttonFollowsAndRunsItsAction()
    {
        QAction first, second;
        int triggered = 0;
        connect(&second, &QAction::triggered, this, [&] { ++triggered; });
        TActionButton button;
        button.setText(QStringLiteral("own caption"));
        button.setAction(&first);
        first.setEnabled(false);
        QVERIFY(!button.isEnabled());
        button.setAction(&second);
        first.setEnabled(true);
        first.setEnabled(false);
        QVERIFY(button.isEnabled());
        button.click();
        QCOMPARE(triggered, 1);
        second.setEnabled(false);
        QVERIFY(!button.isEnabled());
        QCOMPARE(button.text(), QStringLiteral("own caption"));
    }

    // A menu entry takes its action's text and enabled state and runs it;
    // the visibility only when that changes, so a menu that hides the entry
    // itself keeps it hidden through other changes of the action.
    void menuEntryStandsForItsAction()
    {
        QAction action(QStringLiteral("Check")), entry;
        int triggered = 0;
        connect(&action, &QAction::triggered, this, [&] { ++triggered; });
        action.setVisible(false);
        linkToAction(&entry, &action);
        const auto entryState = [&] {
            return QStringList{entry.text(), entry.isEnabled() ? "on" : "off", entry.isVisible() ? "shown" : "hidden"};
        };
        QCOMPARE(entryState(), (QStringList{"Check", "off", "hidden"})); // a hidden action is disabled too
        action.setVisible(true);
        QCOMPARE(entryState(), (QStringList{"Check", "on", "shown"}));
        entry.setVisible(false);
        action.setEnabled(false);
        action.setText(QStringLiteral("Check again"));
        QCOMPARE(entryState(), (QStringList{"Check again", "off", "hidden"}));
        action.setVisible(false);
        action.setVisible(true);
        action.setEnabled(true);
        QCOMPARE(entryState(), (QStringList{"Check again", "on", "shown"}));
        entry.setVisible(false);
        action.setVisible(true);
        QVERIFY(!entry.isVisible());
        entry.trigger();
        QCOMPARE(triggered, 1);
    }

    void dropDownEventMayKeepTheMenuClosed()
    {
        TDropDownButton button;
        TPopupMenu menu;
        menu.addAction(QStringLiteral("entry"));
        // Closed as soon as it shows, so that exec returns.
        connect(&menu, &QMenu::aboutToShow, &menu, [&menu] { QTimer::singleShot(0, &menu, &QMenu::close); });
        int popups = 0;
        menu.OnPopup = [&](TPopupMenu *sender) { popups += sender == &menu; };
        button.setDropdownMenu(&menu);
        QList<TDropDownButton *> senders;
        bool doDefault = false;
        button.OnDropdown = [&](TDropDownButton *sender, bool &DoDefault) { senders << sender, DoDefault = doDefault; };
        button.click();
        QCOMPARE(popups, 0);
        doDefault = true;
        button.click();
        button.setDropdownMenu(nullptr);
        button.click();
        QCOMPARE(popups, 1);
        QCOMPARE(senders, (QList<TDropDownButton *>{&button, &button, &button}));
        // A failing event is reported, never thrown into the event loop.
        button.OnDropdown = [](TDropDownButton *, bool &) { throw std::runtime_error("no menu"); };
        QTest::ignoreMessage(QtCriticalMsg, "drop-down failed: no menu");
        button.click();
    }
};

QTEST_MAIN(TestActionWidgets)
#include "tst_actionwidgets.moc"
