// SPDX-License-Identifier: MIT
// Actions with update handlers, and the button, menu entry and drop-down
// button that stand for them; the input box, typed into and answered by
// clicks, and its layout in dialog units. (The dialog base is driven in the
// favorites dialog's suite.)
#include "platform/ActionButton.h"
#include "platform/ActionHandlers.h"
#include "platform/ActionLink.h"
#include "platform/DataTable.h"
#include "platform/DropDownButton.h"
#include "platform/InputQuery.h"
#include "platform/PopupMenu.h"
#include "platform/UserInput.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <stdexcept>

using namespace selectframe;
using namespace selectframe::test;

class TestWidgets : public QObject
{
    Q_OBJECT

private slots:
    // The update handler runs first and decides whether the action
    // executes; binding again replaces both handlers; a failing handler is
    // reported when input triggered it and reaches a direct caller.
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
        handlers.bind(&action, [&](QObject *) { calls << "rebound"; });
        action.trigger();
        QCOMPARE(calls, (QStringList{"update", "update", "execute", "update", "execute", "rebound"}));
        action.setObjectName(QStringLiteral("acBroken"));
        handlers.bind(&action, [](QObject *) { throw std::runtime_error("broken"); });
        QTest::ignoreMessage(QtCriticalMsg, "acBroken failed: broken");
        action.trigger();
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, handlers.Execute(&action));
    }

    // The button follows the action it has now and keeps its own caption.
    // A menu entry takes its action's text and enabled state and runs it;
    // the visibility only when that changes, so a menu that hides the entry
    // itself keeps it hidden through other changes of the action.
    void buttonAndMenuEntryFollowTheirActions()
    {
        QAction first, second, linked(QStringLiteral("Check")), entry;
        int triggered = 0;
        for (QAction *action : {&second, &linked})
            connect(action, &QAction::triggered, this, [&] { ++triggered; });
        TActionButton button;
        button.setText(QStringLiteral("own caption"));
        button.setAction(&first);
        button.setAction(&second);
        first.setEnabled(false);
        QVERIFY(button.isEnabled());
        button.click();
        second.setEnabled(false);
        QVERIFY(!button.isEnabled() && button.text() == QStringLiteral("own caption"));

        linked.setVisible(false);
        linkToAction(&entry, &linked);
        const auto entryState = [&] {
            return QStringList{entry.text(), entry.isEnabled() ? "on" : "off"}.join(u' ') +
                   (entry.isVisible() ? " shown" : " hidden");
        };
        QCOMPARE(entryState(), QStringLiteral("Check off hidden"));
        linked.setVisible(true);
        linked.setEnabled(true);
        entry.setVisible(false);
        linked.setText(QStringLiteral("Check again"));
        QCOMPARE(entryState(), QStringLiteral("Check again off hidden"));
        linked.setVisible(false);
        linked.setVisible(true);
        QCOMPARE(entryState(), QStringLiteral("Check again on shown"));
        entry.trigger();
        QCOMPARE(triggered, 2);
    }

    // The drop-down event may keep the menu closed; a failing one is
    // reported, never thrown into the event loop.
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
        bool doDefault = false;
        button.OnDropdown = [&](TDropDownButton *sender, bool &DoDefault) {
            DoDefault = doDefault && sender == &button;
        };
        button.click();
        doDefault = true;
        button.click();
        button.setDropdownMenu(nullptr);
        button.click();
        QCOMPARE(popups, 1);
        button.OnDropdown = [](TDropDownButton *, bool &) { throw std::runtime_error("no menu"); };
        QTest::ignoreMessage(QtCriticalMsg, "drop-down failed: no menu");
        button.click();
    }

    void inputQuery_data()
    {
        addColumns<QString, bool, bool, QString>("typed", "ok", "result", "value");
        addRow("ok", "Main", true, true, "Main");
        addRow("cancel", "Main", false, false, "start");
        addRow("cut at 5", "abcdefgh", true, true, "abcde");
    }
    void inputQuery()
    {
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QString value = QStringLiteral("start");
        QSize size;
        whenModal([&](QWidget *box) {
            auto *edit = box->findChild<QLineEdit *>();
            QCOMPARE(edit->selectedText(), QStringLiteral("start"));
            test::typeText(edit, typed);
            size = box->size();
            // The buttons lie 15 pixels below the edit, the client 13 below them.
            const auto buttons = box->findChildren<QPushButton *>();
            QCOMPARE(buttons.size(), 2);
            QCOMPARE(buttons[0]->y(), edit->geometry().bottom() + 1 + 15);
            QCOMPARE(box->height(), buttons[0]->geometry().bottom() + 1 + 13);
            QTest::mouseClick(buttons[ok ? 0 : 1], Qt::LeftButton);
        });
        QTEST(WideInputQuery(QStringLiteral("Caption"), QStringLiteral("Prompt:"), value, 5), "result");
        QTEST(value, "value");
        // 180 horizontal dialog units: 45 average character widths.
        const QFontMetrics metrics(QApplication::font());
        const int letters =
            metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
        QCOMPARE(size.width(), 45 * ((letters / 26 + 1) / 2));
    }
};

QTEST_MAIN(TestWidgets)
#include "tst_widgets.moc"
