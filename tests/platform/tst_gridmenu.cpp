// SPDX-License-Identifier: MIT
// The column menu, opened and driven with the keyboard and the mouse.
#include "platform/GridMenu.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QTest>

#include <map>
#include <set>

using namespace selectframe;

namespace {

/// a b c | d e More... -> f g h, the second column starting at d.
struct TGrid
{
    TGridMenu menu;
    TGridMenu *more = new TGridMenu(&menu);
    std::map<QString, QAction *> entries;
    QStringList triggered;

    TGrid()
    {
        for (const char *name : {"a", "b", "c", "d", "e"})
            add(&menu, name);
        TGridMenu::setColumnBreak(entries["d"], true);
        more->setTitle(QStringLiteral("More..."));
        entries["More..."] = menu.addMenu(more);
        for (const char *name : {"f", "g", "h"})
            add(more, name);
    }
    void open()
    {
        menu.popup(QPoint(20, 20));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
    }
    void add(QMenu *to, const char *name)
    {
        QAction *entry = to->addAction(QString::fromLatin1(name));
        QObject::connect(entry, &QAction::triggered, [this, entry] { triggered << entry->text(); });
        entries[entry->text()] = entry;
    }
    QRect rect(const char *name) { return (QByteArray("fgh").contains(name) ? more : &menu)->entryRect(entries[name]); }
    static QString current(const TGridMenu *of) { return of->currentEntry() ? of->currentEntry()->text() : QString(); }
    /// The highlighted entry, "top>sub" while the submenu shows.
    QString state() const
    {
        if (!menu.isVisible())
            return QStringLiteral("closed");
        return more->isVisible() ? current(&menu) + u'>' + current(more) : current(&menu);
    }
    /// Each shown entry of the top menu as name:column.row.
    QStringList cells()
    {
        std::set<int> lefts, tops;
        for (QAction *e : menu.actions())
            if (const QRect r = menu.entryRect(e); !r.isNull())
                lefts.insert(r.left()), tops.insert(r.top());
        QStringList r;
        for (QAction *e : menu.actions())
            if (const QRect c = menu.entryRect(e); !c.isNull())
                r << QStringLiteral("%1:%2.%3")
                         .arg(e->text())
                         .arg(std::distance(lefts.begin(), lefts.find(c.left())))
                         .arg(std::distance(tops.begin(), tops.find(c.top())));
        return r;
    }
};

} // namespace

class TestGridMenu : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        while (QWidget *popup = QApplication::activePopupWidget())
            popup->close();
    }

    // Marked entries start columns; hidden entries take no cell; marks set
    // later lay the menu out again. The bar lies in the gap between the
    // columns; the highlighted entry is drawn unlike the others.
    void markedEntriesStartColumns()
    {
        TGrid grid;
        grid.open();
        QCOMPARE(grid.cells(), (QStringList{"a:0.0", "b:0.1", "c:0.2", "d:1.0", "e:1.1", "More...:1.2"}));
        // As wide as two columns and as tall as the longest.
        QVERIFY(grid.menu.width() > 2 * grid.rect("a").width() && grid.menu.rect().contains(grid.rect("More...")));
        QVERIFY(grid.menu.height() < grid.rect("c").bottom() + grid.rect("a").height());
        QTest::keyClick(&grid.menu, Qt::Key_Down);
        const QImage image = grid.menu.grab().toImage();
        image.save(QStringLiteral(QT_TESTCASE_BUILDDIR "/tst_gridmenu.png")); // to be looked at
        const QRgb bar = grid.menu.palette().color(QPalette::Mid).rgb();
        bool barFound = false;
        for (int x = grid.rect("a").right() + 1; x < grid.rect("d").left(); ++x)
            barFound = barFound || image.pixel(x, grid.rect("b").center().y()) == bar;
        QVERIFY(barFound);
        QVERIFY(image.pixel(grid.rect("a").topLeft() + QPoint(3, 3)) !=
                image.pixel(grid.rect("b").topLeft() + QPoint(3, 3)));

        grid.entries["b"]->setVisible(false);
        QVERIFY(grid.rect("b").isNull());
        QCOMPARE(grid.cells(), (QStringList{"a:0.0", "c:0.1", "d:1.0", "e:1.1", "More...:1.2"}));
        TGridMenu::setColumnBreak(grid.entries["d"], false);
        TGridMenu::setColumnBreak(grid.entries["e"], true);
        QCOMPARE(grid.cells(), (QStringList{"a:0.0", "c:0.1", "d:0.2", "e:1.0", "More...:1.1"}));
    }

    // Keys go to the open menu as a user's would: Up and Down wrap within
    // a column, Left and Right cross columns, Right and Return open the
    // submenu on its first entry, Escape and Left there go back, Enter
    // chooses and closes.
    void keysMoveWithinAndAcrossColumns()
    {
        TGrid grid;
        grid.open();
        // A menu opened by nobody stays open on Left.
        const QString steps =
            QStringLiteral("Down a|Down b|Right e|Left b|Up a|Up c|Right More...|Down d|Right d|Left a|"
                           "Left a|Right d|Down e|Down More...|Right More...>f|Esc More...|"
                           "Return More...>f|Down More...>g|Left More...|Up e|Enter closed");
        for (const QString &step : steps.split(u'|')) {
            QTest::keyClick(QApplication::activePopupWidget(), QKeySequence(step.section(u' ', 0, 0))[0].key());
            QCOMPARE(grid.state(), step.section(u' ', 1));
        }
        QCOMPARE(grid.triggered, QStringList{"e"});
    }

    void mouseHoversAndChooses()
    {
        TGrid grid;
        grid.open();
        QTest::mouseMove(&grid.menu, grid.rect("d").center());
        QCOMPARE(grid.state(), "d");
        QTest::mouseMove(&grid.menu, grid.rect("More...").center());
        QTRY_VERIFY(grid.more->isVisible());
        QVERIFY(grid.more->x() >= grid.menu.geometry().right()); // beside its entry
        QTest::mouseClick(grid.more, Qt::LeftButton, {}, grid.rect("g").center());
        QVERIFY(!grid.more->isVisible());
        QCOMPARE(grid.state(), "closed");

        grid.open();
        QTest::mouseClick(&grid.menu, Qt::LeftButton, {}, grid.rect("a").center());
        // A press outside every menu closes them without choosing.
        grid.open();
        QTest::mousePress(&grid.menu, Qt::LeftButton, {}, QPoint(-50, -50));
        QCOMPARE(grid.state(), "closed");
        QCOMPARE(grid.triggered, (QStringList{"g", "a"}));
    }
};

QTEST_MAIN(TestGridMenu)
#include "tst_gridmenu.moc"
