// SPDX-License-Identifier: MIT
// A shown frame control over a few items, for suites that drive it as a
// user would, and a script of user steps to drive it with.
#pragma once

#include "frame/ItemValues.h"
#include "frame/uSelectFrame.h"
#include "hub/FrameManager.h"
#include "intf/FrameConsts.h"
#include "model/FrameObjects.h"
#include "platform/DataTable.h"
#include "platform/GridMenu.h"
#include "platform/PopupMenu.h"
#include "platform/ShownMenu.h"
#include "platform/SlicePoint.h"
#include "platform/tree/TSlices.h"
#include "platform/tree/TTree.h"
#include "trees/SelectVirtualManager.h"

#include <selectframe/FrameKeys.h>

#include <QTest>
#include <QtWidgets>

#include <map>

namespace selectframe::test {

using TValues = std::map<QString, QString>;

/// The shown entries of a menu: "-" a separator, "(caption)" a disabled
/// entry, "*caption" a checked one, "caption >" a submenu.
inline QString entries(const QMenu *menu)
{
    QStringList out;
    for (const QAction *e : menu->actions())
        if (e->isVisible())
            out << (e->isSeparator()
                        ? QStringLiteral("-")
                        : QString(e->isChecked() ? "*" : "") + (e->isEnabled() ? e->text() : '(' + e->text() + ')') +
                              (e->menu() ? " >" : ""));
    return '[' + out.join(u'|') + ']';
}

/// A right click on the tree, with the context menu request the window
/// system makes of it.
inline void rightClick(QAbstractScrollArea *tree, QPoint point = QPoint(5, 5))
{
    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, point);
    QContextMenuEvent request(QContextMenuEvent::Mouse, point, tree->viewport()->mapToGlobal(point));
    QApplication::sendEvent(tree->viewport(), &request);
}

/// Moves the highlight of a shown menu (a grid's own highlight in a grid)
/// to `caption` with the Down key, then presses `key` (Right opens a
/// submenu, Return chooses).
inline void keyTo(QMenu *menu, const QString &caption, Qt::Key key)
{
    const auto *grid = qobject_cast<TGridMenu *>(menu);
    const auto highlight = [&] { return grid ? grid->currentEntry() : menu->activeAction(); };
    for (int i = 0; i <= menu->actions().size(); ++i) {
        if (highlight() && highlight()->text() == caption)
            break;
        QTest::keyClick(menu, Qt::Key_Down);
    }
    QVERIFY2(highlight(), qPrintable(caption));
    QCOMPARE(highlight()->text(), caption);
    QTest::keyClick(menu, key);
}

/// A shown control over items given by ID, group and values, with its
/// OnChange counted and the host's other events written down.
struct TFrameFixture
{
    TSelectFrameControl control;
    TTree *tree = control.findChild<TTree *>(QStringLiteral("SelectTree"));
    int changes = 0;
    /// What a script's probes saw and the host's events, in order.
    QStringList said;
    /// Steps of a suite's own, tried first: true when taken.
    std::function<bool(const QString &verb, const QString &arg)> more;

    TFrameFixture()
    {
        WriteOptionDefaults(control.GetManager()->Params());
        setOption(keys::OptionGroupsExpanded, true);
        control.SetOnChange([this](QObject *sender) {
            QCOMPARE(sender, &control);
            ++changes;
        });
        control.SetOnActionClick([this](QObject *, IFrameItem *item) { said << "action " + id(item); });
        control.OnFavAction = [this](QObject *, int32_t action, const QVariant &value) {
            said << QStringLiteral("fav %1 %2").arg(action).arg(value.toString());
        };
    }

    void setOption(const char *key, const QVariant &value)
    {
        control.GetManager()->Params()->SetValue(QByteArray(key), value);
    }
    template <class T = QWidget>
    T *part(const char *name) const
    {
        return control.findChild<T *>(QString::fromLatin1(name));
    }

    void add(const QString &id, const QString &group = QString(), const TValues &values = {})
    {
        IPtr<IFrameItem> item;
        control.NewItem(item.put());
        item->SetID(id);
        item->SetCaption(id);
        IPtr<IStringValueList> list;
        item->GetValues(list.put());
        list->SetValue(QString::fromLatin1(keys::ValueGroup), group);
        for (const auto &[name, value] : values)
            list->SetValue(name, value);
    }

    /// Group G holding a and b, and the loose item c.
    void addGroupAndLoose()
    {
        add("a", "G");
        add("b", "G");
        add("c");
        show();
    }

    void show()
    {
        control.Initialize();
        control.resize(600, 400);
        control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&control));
    }

    IVmManager *vm() const { return tree->getVM(); }
    TSelectVirtualTree &rows() const { return *static_cast<TSelectVirtualManager *>(vm())->Tree; }

    /// The row of the item or group named `name`.
    TVirtualNode at(const QString &name) const { return find(vm()->getRoot(), name); }
    TVirtualNode find(TVirtualNode parent, const QString &name) const
    {
        for (TVirtualNode node = vm()->getFirstChild(parent); node; node = vm()->getNextSibling(node)) {
            if (caption(node) == name)
                return node;
            if (const TVirtualNode found = find(node, name))
                return found;
        }
        return TVirtualNode();
    }
    static QString id(IFrameItem *item)
    {
        QString text;
        item->GetID(&text);
        return text;
    }
    IFrameItem *item(const QString &name) const { return itemOf(rows().recordOf(at(name))->FrameObject); }
    /// An item row's caption or a group row's name.
    QString caption(TVirtualNode node) const
    {
        const TBaseFrameObject *object = rows().recordOf(node)->FrameObject;
        QString text = object->Kind == fokItem ? QString() : static_cast<const TFrameGroupObject *>(object)->Name;
        if (object->Kind == fokItem)
            itemOf(object)->GetCaption(&text);
        return text;
    }
    /// The rows shown as a user sees them: a collapsed group without its
    /// rows, "+" after a checked row, "~" after a mixed one.
    QString view() const
    {
        QStringList shown;
        collect(vm()->getRoot(), shown);
        return shown.isEmpty() ? QStringLiteral("(none)") : shown.join(u' ');
    }
    void collect(TVirtualNode parent, QStringList &shown) const
    {
        for (TVirtualNode node = vm()->getFirstChild(parent); node; node = vm()->getNextSibling(node)) {
            const uint32_t flags = tree->GetNodeState(node);
            if (flags & nsHidden)
                continue;
            const int s = rows().recordOf(node)->FrameObject->State;
            shown << caption(node) + (s == fcsChecked ? "+" : s == fcsMixed ? "~" : "");
            if (flags & nsExpanded)
                collect(node, shown);
        }
    }

    void clickSlice(const QString &path, int slice)
    {
        QVERIFY2(at(path), qPrintable(path));
        const QPoint point = slicePoint(*tree, at(path), 0, slice);
        QVERIFY(!point.isNull());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, point);
    }

    QString checkedCaption() const { return part<QLabel>("lbCheckedCount")->text(); }
    int publishedCount() const { return option(keys::PropertyCheckedCount).toInt(); }
    QVariant option(const char *key) const
    {
        QVariant value;
        control.GetManager()->Params()->GetValue(QByteArray(key), &value);
        return value;
    }
    void trigger(const char *action) { part<QAction>(action)->trigger(); }
    QLineEdit *box() const { return part<QLineEdit>("edFilter"); }
    /// The parts named in `names` that are not hidden, "(name)" if disabled.
    QString shown(const QString &names) const
    {
        QStringList out;
        for (const QString &name : names.split(u' '))
            if (const QWidget *widget = part(qPrintable(name)); !widget->isHidden())
                out << (widget->isEnabled() ? name : '(' + name + ')');
        return out.join(u' ');
    }

    /// Focuses `widget` as Tab would.
    static void focus(QWidget *widget)
    {
        widget->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(widget->hasFocus());
    }
    /// Opens the menu of `where` as a user does: "check", "fav" and "group"
    /// click the button of that drop-down, "tree" right-clicks the tree,
    /// "box" shows the check menu over the filter box as a shortcut would;
    /// runs `inside` while it shows.
    void openMenu(const QString &where, const TMenuAction &inside)
    {
        auto *button = part<QPushButton>(where == u"check" ? "btnCheck"
                                         : where == u"fav" ? "btnFavorites"
                                                           : "btnGroupBy");
        if (where == u"tree")
            return whileShown([this] { rightClick(tree); }, inside);
        if (where == u"box")
            return whileShown(
                [this] { part<TPopupMenu>("FCheckMenu")->exec(box()->mapToGlobal(QPoint(0, box()->height()))); },
                inside);
        whileShown([button] { QTest::mouseClick(button, Qt::LeftButton); },
                   [&](QMenu *menu) {
                       // At the button's bottom-left corner, with the menu's own pop-up
                       // event off.
                       QCOMPARE(menu->pos(), button->mapToGlobal(QPoint(0, button->height())));
                       QVERIFY(!static_cast<TPopupMenu *>(menu)->OnPopup);
                       inside(menu);
                   });
    }

    /// Runs `script`, steps separated by ';', and returns what its probes
    /// saw and the host's events, joined by "; ". The frame is shown before
    /// the first step other than opt, favs and the probe #.
    ///   opt K=V       option "option://K" set to V
    ///   favs L|L..    the favorites loaded from the lines L
    ///   check X, link X   X's check box, its action link clicked
    ///   key X K       the key K (as QKeySequence spells it) on X's row
    ///   all, none, only   Check All, Uncheck All; the checked-only view on
    ///   set X K=V     X's value K set (K "caption": its caption)
    ///   refresh X     X asks for its row to be refreshed
    ///   filter T      the filter set to T
    ///   enter, leave  the filter box focused; the tree focused
    ///   keys T, type T   T typed into the box; type lets the pause run out
    ///   esc, pause, clear   Escape in the box; the pause runs out; the
    ///                 filter button clicked
    ///   sort          the first column's header clicked
    ///   menu W[>E..]  the menu of W (see openMenu) written down, and the
    ///                 entries E chosen by keys: Down to each, Right into a
    ///                 submenu, Return on the last
    ///   pick E        the entry E of the group-by button's menu clicked
    ///   warn M        the critical message M expected
    ///   ?             the rows as view() shows them
    ///   ?shown N..    the parts named N shown, "(N)" when disabled
    ///   #             the checked count (shown and published) / OnChange calls
    ///   ?box          [box text|filter|button's action], the action
    ///                 "(..)" when disabled, "*" while the pause runs
    ///   ?group        the group-by button's caption: its menu's entries
    ///   ?link X       the style and cursor of X's action link
    ///   ?embedded     the embedded favorite's IDs
    QString run(const QString &script)
    {
        said.clear();
        for (const QString &command : script.split(u';')) {
            const QString verb = command.section(u' ', 0, 0), arg = command.section(u' ', 1);
            if (!control.isVisible() && !QStringList{"opt", "favs", "#"}.contains(verb))
                show();
            if (!more || !more(verb, arg))
                step(verb, arg);
            if (QTest::currentTestFailed()) {
                said << "failed at " + command;
                break;
            }
        }
        return said.join(QStringLiteral("; "));
    }
    void step(const QString &verb, const QString &arg)
    {
        auto *pause = part<QTimer>("tmFilter");
        const QString key = arg.section(u'=', 0, 0), value = arg.section(u'=', 1);
        if (verb == u"opt") {
            setOption(qPrintable("option://" + key), value);
        } else if (verb == u"favs") {
            queryInterface<IDataStorage>(control.GetManager()->Favorites())->Load(arg.split(u'|'));
        } else if (verb == u"check" || verb == u"link") {
            clickSlice(arg, verb == u"check" ? 0 : 3);
        } else if (verb == u"key") {
            focus(tree);
            tree->SetNodeFocused(at(arg.section(u' ', 0, 0)));
            QTest::keyClick(tree->viewport(), QKeySequence(arg.section(u' ', 1))[0].key());
        } else if (verb == u"all" || verb == u"none") {
            trigger(verb == u"all" ? "acCheckAll" : "acUncheckAll");
        } else if (verb == u"only") {
            control.Settings()->SetShowOnlyChecked(true);
        } else if (verb == u"set") {
            IFrameItem *target = item(arg.section(u' ', 0, 0));
            IPtr<IStringValueList> values;
            target->GetValues(values.put());
            if (key.section(u' ', 1) == u"caption")
                target->SetCaption(value);
            else
                values->SetValue(key.section(u' ', 1), value);
        } else if (verb == u"refresh") {
            queryInterface<IFrameItemEx>(item(arg))->Refresh();
        } else if (verb == u"filter") {
            control.Settings()->SetFilter(arg);
        } else if (verb == u"enter" || verb == u"leave") {
            focus(verb == u"enter" ? static_cast<QWidget *>(box()) : tree);
        } else if (verb == u"keys" || verb == u"type") {
            if (!box()->hasFocus())
                focus(box());
            QTest::keyClicks(box(), arg);
            if (verb == u"type")
                QMetaObject::invokeMethod(pause, "timeout", Qt::DirectConnection);
        } else if (verb == u"esc") {
            QTest::keyClick(box(), Qt::Key_Escape);
        } else if (verb == u"pause") {
            QVERIFY(pause->isActive());
            QMetaObject::invokeMethod(pause, "timeout", Qt::DirectConnection);
        } else if (verb == u"clear") {
            QTest::mouseClick(part("btnFilter"), Qt::LeftButton);
        } else if (verb == u"sort") {
            QTest::mouseClick(tree->header()->viewport(), Qt::LeftButton, {}, QPoint(20, 5));
        } else if (verb == u"menu") {
            const QStringList path = arg.split(u'>');
            openMenu(path[0], [&](QMenu *menu) {
                said << entries(menu);
                for (int i = 1; i < path.size(); ++i) {
                    keyTo(menu, path[i], i + 1 < path.size() ? Qt::Key_Right : Qt::Key_Return);
                    menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
                }
            });
        } else if (verb == u"pick") {
            chooseFromButton(part("btnGroupBy"), arg);
        } else if (verb == u"warn") {
            QTest::ignoreMessage(QtCriticalMsg, qPrintable(arg));
        } else if (verb == u"?") {
            said << view();
        } else if (verb == u"?shown") {
            said << shown(arg);
        } else if (verb == u"#") {
            QCOMPARE(publishedCount(), checkedCaption().section(u' ', 1).toInt());
            said << QStringLiteral("%1/%2").arg(publishedCount()).arg(changes);
        } else if (verb == u"?box") {
            QCoreApplication::processEvents();
            auto *button = part<QPushButton>("btnFilter");
            const QString action = button->toolTip().section(u' ', 0, 0).toLower();
            if (box()->text() == control.Settings()->FilterHint() && !box()->text().isEmpty())
                QCOMPARE(box()->cursorPosition(), 0);
            said << QStringLiteral("[%1|%2|%3%4]")
                        .arg(box()->text(), control.Settings()->Filter(),
                             button->isEnabled() ? action : '(' + action + ')', pause->isActive() ? "*" : "");
        } else if (verb == u"?group") {
            const QList<QAction *> groupings = part<QMenu>("pmGroupBy")->actions();
            for (int i = 0; i < groupings.size(); ++i)
                if (groupings[i]->isChecked())
                    QCOMPARE(control.Settings()->GroupByIndex(), i);
            said << part<QPushButton>("btnGroupBy")->text() + ": " + entries(part<QMenu>("pmGroupBy"));
        } else if (verb == u"?link") {
            const TSlice *link = rows().slicesOf(at(arg))->GetSlice(3);
            said << link->Style->name() + (link->Cursor == Qt::PointingHandCursor ? " hand" : "");
        } else if (verb == u"?embedded") {
            IPtr<ISelectFavorite> favorite;
            control.GetManager()->Favorites()->Find(EmbeddedFavoritesName(), favorite.put());
            said << (favorite ? '{' + favorite->GetItems()->join(u',') + '}' : QStringLiteral("none"));
        } else {
            QFAIL(qPrintable("no step " + verb));
        }
    }
};

} // namespace selectframe::test
