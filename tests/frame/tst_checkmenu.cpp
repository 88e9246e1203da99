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

/// The levels of a grid, " > " between them: the sizes of its columns and
/// the level's first value; each level shown, its columns side by side.
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

/// A frame whose second column, Country, is offered for checking by value:
/// one item per value, i0, i1, ...; its scripts add "?country", the
/// entries of "Check by Country" and of its other values, "?grid", the
/// shape of the other values' grid, and "?bar", the hidden parts of the
/// bottom bar and whether Check All is enabled.
struct TMenuFixture : TFrameFixture
{
    explicit TMenuFixture(const QStringList &countries)
    {
        setOption(keys::OptionColumnNames, "Name,Country");
        setOption(keys::OptionFavoriteColumns, "Country");
        setOption("option://fav.other_name.Country", "Other");
        for (int i = 0; i < countries.size(); ++i)
            add(QStringLiteral("i%1").arg(i), QString(), {{"column1_data", countries[i]}});
        more = [this](const QString &verb, const QString &) {
            if (verb == u"?grid") {
                TGridMenu *grid = others();
                grid->popup(QPoint(0, 0));
                if (!QTest::qWaitForWindowExposed(grid))
                    said << "not shown";
                QSet<int> columns;
                for (QAction *value : grid->actions())
                    columns << grid->entryRect(value).x();
                grid->close();
                said << shape(grid) + QStringLiteral(" (%1 shown)").arg(columns.size());
            } else if (verb == u"?country") {
                said << entries(byCountry()) + (others() ? ' ' + entries(others()) : QString());
            } else if (verb == u"?bar") {
                QStringList hidden;
                for (const char *name : {"btnCheck", "btnCheckAll", "btnFavorites", "pnlBottom"})
                    if (part(name)->isHidden())
                        hidden << name;
                said << hidden.join(u' ') + (part("btnCheckAll")->isEnabled() ? "" : " (Check All)");
            } else {
                return false;
            }
            return true;
        };
    }
    QMenu *byCountry() const { return submenu(part<QMenu>("FCheckMenu"), "Check by Country"); }
    TGridMenu *others() const { return submenu<TGridMenu>(byCountry(), "Other"); }
};

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
    void scripts_data()
    {
        QTest::addColumn<QStringList>("countries");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("seen");
        const QStringList de{"DE"};
        // Select mode 2 offers the favorites only, by the check-all button; a
        // favorite's name is taken literally.
        QTest::newRow("mode 2") << de
                                << "opt select.mode=2;opt show.favorites=1;favs Mine=i0|Two & more=;menu tree;?bar"
                                << "[-|Mine|Two && more|-|(Organize Favorites...)]; btnCheck";
        // The column's favorite values come first, separators as given; the
        // others are sorted with letter case not counting. Values match
        // ignoring case; one no item has unchecks every item.
        QTest::newRow("favorite values first")
            << QStringList{"IT", "FR", "DE", "AT", "fr", "be"}
            << "opt favorite.Country=DE,-,FR,XX;?country;all;menu check>Check by Country>XX;#;"
               "menu tree>Check by Country>FR;?;#"
            << "[DE|-|FR|XX|-|Other >] [AT|be|IT]; [Check All|Check by Country >]; "
               "0/2; [Check All|Check by Country >]; i0 i1+ i2 i3 i4+ i5; 2/3";
        // Each level shows the row limit's rows in up to the column limit's
        // columns, sorted, one entry per value whatever its letter case;
        // the last cell of a full level opens the next.
        QTest::newRow("grid levels") << QStringList{"h", "g", "f", "e", "d", "c", "b", "a", "B", ""}
                                     << "opt row.limit=3;opt column.limit=2;?grid"
                                     << "3,3 a > 3 f (2 shown)";
        QTest::newRow("grid without a row limit") << values(40) << "opt row.limit=0;?grid"
                                                  << "40 v000 (1 shown)";
        // Limits that are no numbers are only read for an other-values entry.
        QTest::newRow("no other values") << de << "opt row.limit=many;opt fav.other_name.Country=;?country"
                                         << "[]";
    }
    void scripts()
    {
        QFETCH(QStringList, countries);
        QFETCH(QString, script);
        TMenuFixture f(countries);
        QTEST(f.run(script), "seen");
    }

    // Opened from the check button with the keyboard, the grid's columns
    // stand side by side; Right and Down move through them, Return checks
    // the item with the value. A limit that is no number fails.
    void gridByKeyboard()
    {
        TMenuFixture f({"h", "g", "f", "e", "d", "c", "b", "a"});
        f.run("opt row.limit=3;opt column.limit=2");
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
        TMenuFixture g({"DE"});
        g.run("opt row.limit=many");
        QVERIFY_THROWS_EXCEPTION(EConvertError, g.control.Initialize());
    }
};

QTEST_MAIN(TestCheckMenu)
#include "tst_checkmenu.moc"
