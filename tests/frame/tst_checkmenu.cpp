// SPDX-License-Identifier: MIT
// The check menu of the frame control: its entries per select mode, the
// grid of a column's other values, the favorite entries, and choosing
// entries from the check button's drop-down and the tree's context menu.
#include "FrameFixture.h"

#include "frame/CheckMenuItems.h"
#include "frame/SplitPopupMenu.h"
#include "host/SelectFrameFactory.h"
#include "platform/Conversion.h"
#include "platform/GridMenu.h"

#include <QApplication>
#include <QContextMenuEvent>

using namespace selectframe;
using selectframe::test::shown;
using selectframe::test::TFrameFixture;
using selectframe::test::TMenuAction;
using selectframe::test::whileShown;

namespace {

QList<int> tags(const QMenu *menu)
{
    QList<int> result;
    for (const QAction *entry : menu->actions())
        result << entry->data().toInt();
    return result;
}

QAction *entry(const QMenu *menu, const QString &caption)
{
    for (QAction *action : menu->actions())
        if (action->text() == caption)
            return action;
    return nullptr;
}

template <class Menu = QMenu>
Menu *submenu(const QMenu *menu, const QString &caption)
{
    const QAction *action = entry(menu, caption);
    return action ? qobject_cast<Menu *>(action->menu()) : nullptr;
}

/// Moves the highlight of a shown menu to `caption` with the Down key, then
/// presses `key` (Right opens a submenu, Return chooses).
void keyTo(QMenu *menu, const QString &caption, Qt::Key key)
{
    for (int i = 0; i <= menu->actions().size(); ++i) {
        if (menu->activeAction() && menu->activeAction()->text() == caption)
            break;
        QTest::keyClick(menu, Qt::Key_Down);
    }
    QCOMPARE(menu->activeAction()->text(), caption);
    QTest::keyClick(menu, key);
}

/// A right click on the tree, with the context menu request the window
/// system makes of it.
void rightClick(QAbstractScrollArea *tree)
{
    const QPoint point(5, 5);
    QTest::mouseClick(tree->viewport(), Qt::RightButton, {}, point);
    QContextMenuEvent request(QContextMenuEvent::Mouse, point, tree->viewport()->mapToGlobal(point));
    QApplication::sendEvent(tree->viewport(), &request);
}

/// A frame whose second column, Country, is offered for checking by value.
struct TMenuFixture : TFrameFixture
{
    TMenuFixture()
    {
        setOption(keys::OptionColumnNames, "Name,Country");
        setOption(keys::OptionFavoriteColumns, "Country");
        setOption("option://fav.other_name.Country", "Other");
    }

    /// One item per value, i0, i1, ...
    void addCountries(const QStringList &countries)
    {
        for (const QString &country : countries)
            add(QStringLiteral("i%1").arg(itemCount++), QString(), {{"column1_data", country}});
    }
    void addFavorite(const QString &name, const QStringList &ids)
    {
        IPtr<ISelectFavorite> favorite;
        control.GetManager()->Favorites()->Add(name, favorite.put());
        *favorite->GetItems() = ids;
    }

    TSplitPopupMenu *menu() const { return control.findChild<TSplitPopupMenu *>(QStringLiteral("FCheckMenu")); }
    QMenu *byCountry() const { return submenu(menu(), "Check by Country"); }
    TGridMenu *others() const { return submenu<TGridMenu>(byCountry(), "Other"); }
    QWidget *widget(const char *name) const { return control.findChild<QWidget *>(QString::fromLatin1(name)); }

    void dropDown(const TMenuAction &inside)
    {
        whileShown([this] { QTest::mouseClick(widget("btnCheck"), Qt::LeftButton); }, inside);
    }
    void contextMenu(const TMenuAction &inside)
    {
        whileShown([this] { rightClick(tree); }, inside);
    }

    int itemCount = 0;
};

/// The host's handlers of the frame facade, one line per event in order.
struct THostLog
{
    static QStringList &of(void *data) { return static_cast<THostLog *>(data)->lines; }
    static void onChange(void *data, ISelectFrame *) { of(data) << QStringLiteral("onchange"); }
    static void onItemQuery(void *data, ISelectFrame *, IFrameItem *item, const QString &favorite)
    {
        QString id;
        item->GetID(&id);
        of(data) << QStringLiteral("query %1 '%2'").arg(id, favorite);
    }
    static void onFavAction(void *data, ISelectFrame *, int32_t action, const QVariant &value)
    {
        of(data) << QStringLiteral("fav_action %1 %2").arg(action).arg(value.toString());
    }

    QStringList lines;
};

/// A control that rebuilds its favorite entries on demand, as it does after
/// the favorites were organized.
class TRebuildingControl : public TSelectFrameControl
{
public:
    using TCustomSelectFrameControl::RebuildFavoriteItems;
};

} // namespace

class TestCheckMenu : public QObject
{
    Q_OBJECT

private slots:
    void entriesPerSelectMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QList<int>>("groups");
        QTest::addColumn<QStringList>("hiddenButtons");
        const QStringList tail{"-", "Mine", "-", "Organize Favorites..."};
        QTest::newRow("off") << 0 << QStringList{"Check by Country >"} + tail << QList<int>{1, 1, 2, 2, 2}
                             << QStringList{"btnCheckAll"};
        QTest::newRow("on") << 1 << QStringList{"Check All", "Check by Country >"} + tail
                            << QList<int>{1, 1, 1, 2, 2, 2} << QStringList{"btnCheckAll"};
        QTest::newRow("only all") << 2 << tail << QList<int>{1, 2, 2, 2} << QStringList{"btnCheck"};
        QTest::newRow("only one") << 3 << QStringList{"Check by Country >"} + tail << QList<int>{1, 1, 2, 2, 2}
                                  << QStringList{"btnCheck", "btnCheckAll", "btnFavorites", "pnlBottom"};
    }
    void entriesPerSelectMode()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, entries);
        QFETCH(QList<int>, groups);
        QFETCH(QStringList, hiddenButtons);
        TMenuFixture f;
        f.setOption(keys::OptionSelectMode, mode);
        f.setOption(keys::OptionShowFavorites, true);
        f.addFavorite("Mine", {"i0"});
        f.addCountries({"DE"});
        f.show();
        QCOMPARE(shown(f.menu()), entries);
        QCOMPARE(tags(f.menu()), groups);
        if (mode == 1)
            QCOMPARE(f.menu()->actions().front()->objectName(), "miCheckAll");
        QCOMPARE(f.menu()->actions().back()->objectName(), "miOrganizeFavorites");
        QStringList hidden;
        for (const char *name : {"btnCheck", "btnCheckAll", "btnFavorites", "pnlBottom"})
            if (f.widget(name)->isHidden())
                hidden << name;
        QCOMPARE(hidden, hiddenButtons);
        QCOMPARE(f.widget("btnCheckAll")->isEnabled(), mode != 3);
        QCOMPARE(f.tree->contextMenuPolicy(), Qt::CustomContextMenu);
    }

    void gridOfOtherValuesShowsColumns()
    {
        TMenuFixture f;
        f.setOption(keys::OptionRowLimit, 3);
        f.setOption(keys::OptionColumnLimit, 2);
        f.addCountries({"h", "g", "f", "e", "d", "c", "b", "a", "B", ""});
        f.show();
        QCOMPARE(shown(f.byCountry()), (QStringList{"-", "Other >"}));
        QCOMPARE(shown(f.others()), (QStringList{"a", "b", "c", "d", "e", "More... >"}));
        QCOMPARE(shown(submenu(f.others(), "More...")), (QStringList{"f", "g", "h"}));

        // Opened from the check button with the keyboard, the grid shows
        // two columns side by side; choosing e checks the item with e.
        f.dropDown([&](QMenu *menu) {
            keyTo(menu, "Check by Country", Qt::Key_Right);
            keyTo(f.byCountry(), "Other", Qt::Key_Right);
            TGridMenu *grid = f.others();
            QVERIFY(grid->isVisible());
            const QRect a = grid->entryRect(entry(grid, "a"));
            const QRect d = grid->entryRect(entry(grid, "d"));
            QVERIFY(d.x() > a.right());
            QCOMPARE(d.y(), a.y());
            QCOMPARE(grid->entryRect(entry(grid, "More...")).x(), d.x());
            grid->grab().save(QStringLiteral(QT_TESTCASE_BUILDDIR "/tst_checkmenu_grid.png"));
            QTest::keyClick(grid, Qt::Key_Right);
            QTest::keyClick(grid, Qt::Key_Down);
            QCOMPARE(grid->currentEntry()->text(), "e");
            QTest::keyClick(grid, Qt::Key_Return);
        });
        QCOMPARE(f.state("i3"), fcsChecked);
        QCOMPARE(f.control.GetManager()->Model()->CheckedCount(), 1);
        QCOMPARE(f.changes, 1);
    }

    void defaultLimitsHold89ValuesPerLevel()
    {
        TMenuFixture f;
        QStringList values;
        for (int i = 199; i >= 0; --i)
            values << QStringLiteral("v%1").arg(i, 3, 10, QLatin1Char('0'));
        f.addCountries(values);
        f.show();
        QList<int> counts;
        QMenu *level = f.others();
        for (; level; level = submenu(level, "More...")) {
            const QList<QAction *> entries = level->actions();
            counts << int(entries.size());
            for (int i = 0; i < entries.size(); ++i)
                QCOMPARE(TGridMenu::isColumnBreak(entries[i]), i == 30 || i == 60);
        }
        QCOMPARE(counts, (QList<int>{90, 90, 22}));
        QCOMPARE(f.others()->actions().front()->text(), "v000");
        QCOMPARE(submenu(f.others(), "More...")->actions().front()->text(), "v089");
        const auto *last = qobject_cast<TCheckDataMenuItem *>(f.others()->actions()[88]);
        QVERIFY(last);
        QCOMPARE(last->FValue, "v088");
        QCOMPARE(last->FColumnIndex, 1);

        f.others()->popup(QPoint(0, 0));
        QVERIFY(QTest::qWaitForWindowExposed(f.others()));
        QSet<int> columns;
        for (QAction *value : f.others()->actions())
            columns << f.others()->entryRect(value).x();
        QCOMPARE(columns.size(), 3);
        f.others()->grab().save(QStringLiteral(QT_TESTCASE_BUILDDIR "/tst_checkmenu_levels.png"));
        f.others()->close();
    }

    void rowLimitZeroKeepsOneColumn()
    {
        TMenuFixture f;
        f.setOption(keys::OptionRowLimit, 0);
        QStringList values;
        for (int i = 0; i < 40; ++i)
            values << QStringLiteral("v%1").arg(i, 2, 10, QLatin1Char('0'));
        f.addCountries(values);
        f.show();
        QCOMPARE(shown(f.others()), values);
        for (QAction *value : f.others()->actions())
            QVERIFY(!TGridMenu::isColumnBreak(value));
    }

    void favoriteValuesComeFirst()
    {
        TMenuFixture f;
        f.setOption("option://favorite.Country", "DE,-,FR,XX");
        f.addCountries({"IT", "FR", "DE", "AT", "fr", "be"});
        f.show();
        QCOMPARE(shown(f.byCountry()), (QStringList{"DE", "-", "FR", "XX", "-", "Other >"}));
        // Sorted with letter case not counting.
        QCOMPARE(shown(f.others()), (QStringList{"AT", "be", "IT"}));

        // No item has XX: choosing it unchecks every item.
        f.trigger("acCheckAll");
        f.dropDown([&](QMenu *menu) {
            keyTo(menu, "Check by Country", Qt::Key_Right);
            keyTo(f.byCountry(), "XX", Qt::Key_Return);
        });
        QCOMPARE(f.control.GetManager()->Model()->CheckedCount(), 0);
        QCOMPARE(f.changes, 2);

        // Values match ignoring case.
        f.contextMenu([&](QMenu *menu) {
            keyTo(menu, "Check by Country", Qt::Key_Right);
            keyTo(f.byCountry(), "FR", Qt::Key_Return);
        });
        QCOMPARE(f.state("i1"), fcsChecked);
        QCOMPARE(f.state("i4"), fcsChecked);
        QCOMPARE(f.control.GetManager()->Model()->CheckedCount(), 2);
    }

    void dropDownShowsCheckEntriesContextMenuAll()
    {
        TMenuFixture f;
        f.setOption(keys::OptionShowFavorites, true);
        f.addFavorite("Mine", {});
        f.addCountries({"DE"});
        f.show();
        QWidget *button = f.widget("btnCheck");
        f.dropDown([&](QMenu *menu) {
            QCOMPARE(menu, f.menu());
            QCOMPARE(shown(menu), (QStringList{"Check All", "Check by Country >", "-"}));
            QCOMPARE(menu->pos(), button->mapToGlobal(QPoint(0, button->height())));
        });
        f.contextMenu([&](QMenu *menu) {
            QCOMPARE(shown(menu),
                     (QStringList{"Check All", "Check by Country >", "-", "Mine", "-", "Organize Favorites..."}));
        });
    }

    void choosingAFavoriteReportsInOrder()
    {
        IPtr<ISelectFrame> frame;
        IPtr<ISelectFrameFactory>(new TSelectFrameFactory)->CreateFrame(frame.put());
        IPtr<INamedParams> params;
        frame->GetParams(params.put());
        params->SetValue(keys::OptionShowFavorites, true);
        for (const char *id : {"a", "b", "c"}) {
            IPtr<IFrameItem> item;
            frame->NewItem(item.put());
            item->SetID(QString::fromLatin1(id));
            item->SetCaption(QString::fromLatin1(id));
        }
        IPtr<IDataStorage> favorites;
        frame->GetFavorites(favorites.put());
        favorites->Load({QStringLiteral("Mine=a,c")});
        frame->Initialize();
        THostLog log;
        IPtr<INamedMethods> methods;
        frame->GetMethods(methods.put());
        methods->SetMethod(keys::EventOnChange, makeMethod(&THostLog::onChange, &log));
        methods->SetMethod(keys::EventItemQuery, makeMethod(&THostLog::onItemQuery, &log));
        methods->SetMethod(keys::EventFavAction, makeMethod(&THostLog::onFavAction, &log));
        QWidget *control = frame->GetControl();
        control->resize(600, 400);
        control->show();
        QVERIFY(QTest::qWaitForWindowExposed(control));

        auto *tree = control->findChild<QAbstractScrollArea *>(QStringLiteral("SelectTree"));
        whileShown([&] { rightClick(tree); },
                   [&](QMenu *menu) {
                       QAction *mine = entry(menu, "Mine");
                       QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(mine).center());
                   });
        QCOMPARE(log.lines, (QStringList{"fav_action 7 Mine", "query a ''", "query b ''", "query c ''", "onchange"}));
        QCOMPARE(control->findChild<QLabel *>(QStringLiteral("lbCheckedCount"))->text(), "Checked: 2");
        QVariant count;
        params->GetValue(keys::PropertyCheckedCount, &count);
        QCOMPARE(count.toInt(), 2);
        IPtr<IDataStorage> state;
        frame->GetState(state.put());
        QStringList checked;
        state->Save(&checked);
        checked.sort();
        QCOMPARE(checked, (QStringList{"a", "c"}));
    }

    void favoriteEntriesFollowTheFavorites()
    {
        TRebuildingControl control;
        TFrameManager *manager = control.GetManager();
        WriteOptionDefaults(manager->Params());
        manager->Params()->SetValue(keys::OptionShowFavorites, true);
        IPtr<IFrameItem> item;
        control.NewItem(item.put());
        IPtr<ISelectFavorite> favorite;
        manager->Favorites()->Add(QStringLiteral("One"), favorite.put());
        manager->Favorites()->Add(QStringLiteral("Two"), favorite.put());
        control.Initialize();
        auto *menu = control.findChild<TSplitPopupMenu *>(QStringLiteral("FCheckMenu"));
        QCOMPARE(shown(menu), (QStringList{"Check All", "-", "One", "Two", "-", "Organize Favorites..."}));

        manager->Favorites()->Remove(QStringLiteral("One"));
        manager->Favorites()->Add(QStringLiteral("Three & more"), favorite.put());
        control.RebuildFavoriteItems();
        QCOMPARE(shown(menu), (QStringList{"Check All", "-", "Two", "Three && more", "-", "Organize Favorites..."}));
        QCOMPARE(tags(menu), (QList<int>{1, 1, 2, 2, 2, 2}));

        // Without favorites shown the entries go and none come back.
        control.Settings()->SetShowFavorites(false);
        control.RebuildFavoriteItems();
        QCOMPARE(shown(menu), (QStringList{"Check All", "-", "-", "Organize Favorites..."}));
    }

    void limitsThatAreNoNumbersFail()
    {
        TMenuFixture f;
        f.setOption(keys::OptionRowLimit, "many");
        f.addCountries({"DE"});
        QVERIFY_THROWS_EXCEPTION(EConvertError, f.control.Initialize());

        // Without an other-values caption the limits are not read.
        TMenuFixture g;
        g.setOption(keys::OptionRowLimit, "many");
        g.setOption("option://fav.other_name.Country", "");
        g.addCountries({"DE"});
        g.control.Initialize();
        QCOMPARE(shown(g.byCountry()), QStringList());
    }
};

QTEST_MAIN(TestCheckMenu)
#include "tst_checkmenu.moc"
