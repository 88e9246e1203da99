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

namespace {

/// Closes the menu as soon as it shows, so that exec returns.
void closeWhenShown(QMenu &menu)
{
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, [&menu] { QTimer::singleShot(0, &menu, &QMenu::close); });
}

} // namespace

class TestActionWidgets : public QObject
{
    Q_OBJECT

private slots:
    // The update handler runs first and decides whether the action executes.
    void executeRunsTheUpdateHandlerFirst()
    {
        TActionHandlers handlers;
        QAction action;
        QStringList calls;
        bool enable = false;
        handlers.bind(
            &action, [&](QObject *sender) { calls << (sender == &action ? "execute" : "?"); },
            [&](QObject *) {
                calls << "update";
                action.setEnabled(enable);
            });
        QVERIFY(!handlers.Execute(&action));
        QCOMPARE(calls, QStringList{"update"});
        enable = true;
        QVERIFY(handlers.Execute(&action));
        QCOMPARE(calls, (QStringList{"update", "update", "execute"}));
        calls.clear();
        action.trigger();
        QCOMPARE(calls, (QStringList{"update", "execute"}));
        QAction unbound;
        QVERIFY(!handlers.Execute(&unbound));
        // Binding again replaces both handlers.
        calls.clear();
        handlers.bind(&action, [&](QObject *) { calls << "rebound"; });
        action.trigger();
        QCOMPARE(calls, QStringList{"rebound"});
    }

    // A failing handler is reported when input triggered it, and reaches the
    // caller when it was executed directly.
    void failuresStopAtTheInputBoundaryOnly()
    {
        TActionHandlers handlers;
        QAction action;
        action.setObjectName(QStringLiteral("acBroken"));
        handlers.bind(&action, [](QObject *) { throw std::runtime_error("broken"); });
        QTest::ignoreMessage(QtCriticalMsg, "acBroken failed: broken");
        action.trigger();
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, handlers.Execute(&action));
    }

    void buttonFollowsAndRunsItsAction()
    {
        QAction first;
        QAction second;
        int triggered = 0;
        connect(&second, &QAction::triggered, this, [&] { ++triggered; });
        TActionButton button;
        button.setText(QStringLiteral("own caption"));
        button.setAction(&first);
        first.setEnabled(false);
        QVERIFY(!button.isEnabled());
        button.setAction(&second);
        QVERIFY(button.isEnabled());
        first.setEnabled(true);
        first.setEnabled(false);
        QVERIFY(button.isEnabled());
        button.click();
        QCOMPARE(triggered, 1);
        second.setEnabled(false);
        QVERIFY(!button.isEnabled());
        QCOMPARE(button.text(), QStringLiteral("own caption"));
    }

    void menuEntryStandsForItsAction()
    {
        QAction action(QStringLiteral("Check"));
        QAction entry;
        int triggered = 0;
        connect(&action, &QAction::triggered, this, [&] { ++triggered; });
        linkToAction(&entry, &action);
        QCOMPARE(entry.text(), QStringLiteral("Check"));
        action.setEnabled(false);
        action.setText(QStringLiteral("Check again"));
        QVERIFY(!entry.isEnabled());
        QCOMPARE(entry.text(), QStringLiteral("Check again"));
        action.setEnabled(true);
        entry.trigger();
        QCOMPARE(triggered, 1);
    }

    // A menu that hides the entry itself keeps it hidden through other
    // changes of the action; hiding or showing the action still reaches it.
    void menuEntryTakesTheVisibilityOnlyWhenItChanges()
    {
        QAction action(QStringLiteral("Check"));
        action.setVisible(false);
        QAction entry;
        linkToAction(&entry, &action);
        QVERIFY(!entry.isVisible());
        action.setVisible(true);
        QVERIFY(entry.isVisible());
        entry.setVisible(false);
        action.setEnabled(false);
        action.setText(QStringLiteral("Check again"));
        QVERIFY(!entry.isVisible());
        QVERIFY(!entry.isEnabled());
        QCOMPARE(entry.text(), QStringLiteral("Check again"));
        action.setVisible(false);
        action.setVisible(true);
        QVERIFY(entry.isVisible());
        entry.setVisible(false);
        action.setVisible(true);
        QVERIFY(!entry.isVisible());
    }

    void dropDownEventMayKeepTheMenuClosed()
    {
        TDropDownButton button;
        TPopupMenu menu;
        menu.addAction(QStringLiteral("entry"));
        closeWhenShown(menu);
        int popups = 0;
        menu.OnPopup = [&](TPopupMenu *sender) { popups += sender == &menu; };
        button.setDropdownMenu(&menu);
        QList<TDropDownButton *> senders;
        bool doDefault = false;
        button.OnDropdown = [&](TDropDownButton *sender, bool &DoDefault) {
            senders << sender;
            DoDefault = doDefault;
        };
        button.click();
        QCOMPARE(popups, 0);
        doDefault = true;
        button.click();
        QCOMPARE(popups, 1);
        QCOMPARE(senders, (QList<TDropDownButton *>{&button, &button}));
        button.setDropdownMenu(nullptr);
        button.click();
        QCOMPARE(popups, 1);
        // A failing event is reported, never thrown into the event loop.
        button.OnDropdown = [](TDropDownButton *, bool &) { throw std::runtime_error("no menu"); };
        QTest::ignoreMessage(QtCriticalMsg, "drop-down failed: no menu");
        button.click();
    }
};

QTEST_MAIN(TestActionWidgets)
#include "tst_actionwidgets.moc"
