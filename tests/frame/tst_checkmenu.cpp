// SPDX-License-Identifier: MIT
// The check menu of the frame control: its entries per select mode, the
// grid of a column's other values, the favorite entries, and choosing
// entries from the check button's drop-down and the tree's context menu.
#include "FrameFixture.h"

#include "frame/SplitPopupMenu.h"
#include "platform/Conversion.h"
#include "platform/GridMenu.h"

using namespace selectframe;
using namespace selectframe::test;

namespace {

template <class Menu = QMenu>
Menu *submenu(const QMenu *menu, const QString &caption)
{
    for (QAction *action : menu->actions())
        if (action->text() == caption)
            return qobject_cast<Menu *>(action->menu());
    return nullptr;
}

/// A frame whose second column, Country, is offered for checking by value:
/// one item per value, i0, i1, ...
struct TMenuFixture : TFrameFixture
{
    explicit TMenuFixture(const QStringList &countries, const QString &options = {})
    {
        setOption(keys::OptionColumnNames, "Name,Country");
        setOption(keys::OptionFavoriteColumns, "Country");
        setOption("option://fav.other_name.Country", "Other");
        for (const QString &country : countries)
            add(QStringLiteral("i%1").arg(itemCount++), QString(), {{"column1_data", country}});
        if (!options.isEmpty())
            run(options);
    }
    QMenu *menu() const { return part<QMenu>("FCheckMenu"); }
    QMenu *byCountry() const { return submenu(menu(), "Check by Country"); }
    TGridMenu *others() const { return submenu<TGridMenu>(byCountry(), "Other"); }

    int itemCount = 0;
};

/// The levels of a grid, " > " between them: the sizes of its columns and
/// the level's first value.
QString shape(const QMenu *level)
{
    QStringList levels;
    for (; level; level = submenu(level, "More...")) {
        QList<int> columns{0};
        for (const QAction *entry : level->actions()) {
            if (TGridMenu::isColumnBreak(entry))
                columns << 0;
            ++columns.back();
        }
        QStringList sizes;
        for (int size : columns)
            sizes << QString::number(size);
        levels << sizes.join(u',') + ' ' + level->actions().value(0)->text();
    }
    return levels.join(QStringLiteral(" > "));
}

QStringList values(int count, int from = 0, int step = 1)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << QStringLiteral("v%1").arg(from + i * step, 3, 10, QLatin1Char('0'));
    return out;
}

} // namespace

class TestCheckMenu : public QObject
{
    Q_OBJECT

private slots:
    void entriesPerSelectMode()
    {
        const QString tail = "-|Mine|-|(Organize Favorites...)]";
        const std::tuple<int, QString, QString> modes[] = {
            {0, "[Check by Country >|" + tail, "btnCheckAll"},
            {1, "[Check All|Check by Country >|" + tail, "btnCheckAll"},
            {2, "[" + tail, "btnCheck"},
            {3, "[Check by Country >|" + tail, "btnCheck btnCheckAll btnFavorites pnlBottom"}};
        for (const auto &[mode, shown, hidden] : modes) {
            TMenuFixture f({"DE"}, QStringLiteral("opt select.mode=%1;opt show.favorites=1;favs Mine=i0").arg(mode));
            f.show();
            QCOMPARE(entries(f.menu()), shown);
            QStringList hiddenParts;
            for (const char *name : {"btnCheck", "btnCheckAll", "btnFavorites", "pnlBottom"})
                if (f.part(name)->isHidden())
                    hiddenParts << name;
            QCOMPARE(hiddenParts.join(u' '), hidden);
            QCOMPARE(f.part("btnCheckAll")->isEnabled(), mode != 3);
            QCOMPARE(f.tree->contextMenuPolicy(), Qt::CustomContextMenu);
        }
    }

    // Each level shows the row limit's rows in up to the column limit's
    // columns, sorted, one entry per value whatever its letter case; the
    // last cell of a full level opens the next.
    void gridLevels()
    {
        const std::tuple<QString, QStringList, QString> grids[] = {
            {"opt row.limit=3;opt column.limit=2", {"h", "g", "f", "e", "d", "c", "b", "a", "B", ""}, "3,3 a > 3 f"},
            {"", values(200, 199, -1), "30,30,30 v000 > 30,30,30 v089 > 22 v178"},
            {"opt row.limit=0", values(40), "40 v000"}};
        for (const auto &[options, countries, levels] : grids) {
            TMenuFixture f(countries, options);
            f.show();
            QCOMPARE(shape(f.others()), levels);
            // As many columns on screen.
            f.others()->popup(QPoint(0, 0));
            QVERIFY(QTest::qWaitForWindowExposed(f.others()));
            QSet<int> columns;
            for (QAction *value : f.others()->actions())
                columns << f.others()->entryRect(value).x();
            QCOMPARE(columns.size(), levels.section(u' ', 0, 0).count(u',') + 1);
            f.others()->close();
        }
    }

    // Opened from the check button with the keyboard, the grid's columns
    // stand side by side; Right and Down move through them, Return checks
    // the item with the value.
    void gridByKeyboard()
    {
        TMenuFixture f({"h", "g", "f", "e", "d", "c", "b", "a"}, "opt row.limit=3;opt column.limit=2");
        f.show();
        f.openMenu("check", [&](QMenu *menu) {
            keyTo(menu, "Check by Country", Qt::Key_Right);
            keyTo(f.byCountry(), "Other", Qt::Key_Right);
            TGridMenu *grid = f.others();
            QVERIFY(grid->isVisible());
            const QRect a = grid->entryRect(grid->actions()[0]), d = grid->entryRect(grid->actions()[3]);
            QVERIFY(d.x() > a.right());
            QCOMPARE(d.y(), a.y());
            QCOMPARE(grid->entryRect(grid->actions()[5]).x(), d.x());
            grid->grab().save(QStringLiteral(QT_TESTCASE_BUILDDIR "/tst_checkmenu_grid.png"));
            QTest::keyClick(grid, Qt::Key_Right);
            QTest::keyClick(grid, Qt::Key_Down);
            QCOMPARE(grid->currentEntry()->text(), "e");
            QTest::keyClick(grid, Qt::Key_Return);
        });
        QCOMPARE(f.run("?;#"), "i0 i1 i2 i3+ i4 i5 i6 i7; 1/1");
    }

    // The column's favorite values come first, separators as given; the
    // others are sorted with letter case not counting. Values match
    // ignoring case; one no item has unchecks every item.
    void favoriteValuesComeFirst()
    {
        TMenuFixture f({"IT", "FR", "DE", "AT", "fr", "be"}, "opt favorite.Country=DE,-,FR,XX");
        f.show();
        QCOMPARE(entries(f.byCountry()), "[DE|-|FR|XX|-|Other >]");
        QCOMPARE(entries(f.others()), "[AT|be|IT]");
        QCOMPARE(f.run("all;menu check>Check by Country>XX;#;menu tree>Check by Country>FR;?;#"),
                 "[Check All|Check by Country >]; 0/2; [Check All|Check by Country >]; i0 i1+ i2 i3 i4+ i5; 2/3");
    }

    // The check button shows the check entries, the tree's menu all.
    void dropDownShowsCheckEntriesContextMenuAll()
    {
        TMenuFixture f({"DE"}, "opt show.favorites=1;favs Mine=");
        QCOMPARE(f.run("menu check;menu tree;menu check"),
                 "[Check All|Check by Country >|-]; [Check All|Check by Country >|-|Mine|-|(Organize Favorites...)]; "
                 "[Check All|Check by Country >|-]");
    }

    // Rebuilt after the favorites were organized: one entry per favorite,
    // its name taken literally; none while favorites are not shown.
    void favoriteEntriesFollowTheFavorites()
    {
        struct TRebuilding : TSelectFrameControl
        {
            using TCustomSelectFrameControl::RebuildFavoriteItems;
        } control;
        TFrameManager *manager = control.GetManager();
        WriteOptionDefaults(manager->Params());
        manager->Params()->SetValue(keys::OptionShowFavorites, true);
        queryInterface<IDataStorage>(manager->Favorites())->Load({"One=", "Two="});
        control.Initialize();
        QMenu *menu = control.findChild<QMenu *>(QStringLiteral("FCheckMenu"));
        QCOMPARE(entries(menu), "[Check All|-|One|Two|-|(Organize Favorites...)]");
        manager->Favorites()->Remove(QStringLiteral("One"));
        IPtr<ISelectFavorite> favorite;
        manager->Favorites()->Add(QStringLiteral("Three & more"), favorite.put());
        control.RebuildFavoriteItems();
        QCOMPARE(entries(menu), "[Check All|-|Two|Three && more|-|(Organize Favorites...)]");
        control.Settings()->SetShowFavorites(false);
        control.RebuildFavoriteItems();
        QCOMPARE(entries(menu), "[Check All|-|-|(Organize Favorites...)]");
    }

    // Limits that are no numbers fail, but are only read for an
    // other-values entry.
    void limitsThatAreNoNumbersFail()
    {
        TMenuFixture f({"DE"}, "opt row.limit=many");
        QVERIFY_THROWS_EXCEPTION(EConvertError, f.control.Initialize());
        TMenuFixture g({"DE"}, "opt row.limit=many;opt fav.other_name.Country=");
        g.control.Initialize();
        QCOMPARE(entries(g.byCountry()), "[]");
    }
};

QTEST_MAIN(TestCheckMenu)
#include "tst_checkmenu.moc"
