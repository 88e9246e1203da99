// The column menu, opened and driven with the keyboard and the mouse.
#include "platform/GridMenu.h"

#include <QAction>
#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <map>
#include <memory>

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

    void add(QMenu *to, const char *name)
    {
        QAction *entry = to->addAction(QString::fromLatin1(name));
        QObject::connect(entry, &QAction::triggered, [this, entry] { triggered << entry->text(); });
        entries[entry->text()] = entry;
    }

    QRect rect(const char *name) { return menuOf(name)->entryRect(entries[QString::fromLatin1(name)]); }
    TGridMenu *menuOf(const char *name) { return QByteArray("fgh").contains(name) ? more : &menu; }
    QString current(TGridMenu *of) const { return of->currentEntry() ? of->currentEntry()->text() : QString(); }

    void open()
    {
        menu.popup(QPoint(20, 20));
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
    }
    void key(Qt::Key key, TGridMenu *to = nullptr) { QTest::keyClick(to ? to : &menu, key); }
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

    void markedEntriesStartVisibleColumns()
    {
        TGrid grid;
        grid.open();
        const QRect a = grid.rect("a");
        QCOMPARE(grid.rect("b").x(), a.x());
        QVERIFY(grid.rect("b").y() > a.y());
        QVERIFY(grid.rect("d").x() > a.right());
        QCOMPARE(grid.rect("d").y(), a.y());
        QCOMPARE(grid.rect("More...").x(), grid.rect("d").x());
        QVERIFY(grid.menu.rect().contains(grid.rect("More...")));
        QVERIFY(grid.menu.width() > 2 * a.width());
        // Three rows: the menu is no taller than its longest column.
        QVERIFY(grid.menu.height() < grid.rect("c").bottom() + a.height());

        // Hidden entries take no cell; marking an entry afterwards re-lays
        // the menu out.
        grid.entries["b"]->setVisible(false);
        QVERIFY(grid.rect("b").isNull());
        QCOMPARE(grid.rect("c").y(), a.bottom() + 1);
        TGridMenu::setColumnBreak(grid.entries["d"], false);
        QCOMPARE(grid.rect("d").x(), a.x());
        TGridMenu::setColumnBreak(grid.entries["e"], true);
        QVERIFY(grid.rect("e").x() > a.right());
        QCOMPARE(grid.rect("e").y(), a.y());
    }

    void keysMoveWithinAndAcrossColumns()
    {
        TGrid grid;
        grid.open();
        const QList<std::pair<Qt::Key, QString>> steps{
            {Qt::Key_Down, "a"},  {Qt::Key_Down, "b"},  {Qt::Key_Right, "e"}, {Qt::Key_Left, "b"},
            {Qt::Key_Up, "a"},    {Qt::Key_Up, "c"},    {Qt::Key_Right, "More..."}, {Qt::Key_Down, "d"},
            {Qt::Key_Right, "d"}, {Qt::Key_Left, "a"},
        };
        for (const auto &[key, expected] : steps) {
            grid.key(key);
            QCOMPARE(grid.current(&grid.menu), expected);
        }
        // Left in the first column of a menu opened by nobody keeps it open.
        grid.key(Qt::Key_Left);
        QVERIFY(grid.menu.isVisible());

        // Right on More... opens its menu with the first entry chosen;
        // Escape and Left there go back.
        grid.key(Qt::Key_Right);
        grid.key(Qt::Key_Down);
        grid.key(Qt::Key_Down);
        QCOMPARE(grid.current(&grid.menu), "More...");
        grid.key(Qt::Key_Right);
        QVERIFY(grid.more->isVisible());
        QCOMPARE(grid.current(grid.more), "f");
        grid.key(Qt::Key_Escape, grid.more);
        QVERIFY(!grid.more->isVisible());
        QVERIFY(grid.menu.isVisible());
        grid.key(Qt::Key_Return);
        grid.key(Qt::Key_Down, grid.more);
        QCOMPARE(grid.current(grid.more), "g");
        grid.key(Qt::Key_Left, grid.more);
        QVERIFY(!grid.more->isVisible());

        // Enter chooses: the entry triggers and the menu closes.
        grid.key(Qt::Key_Up);
        QCOMPARE(grid.current(&grid.menu), "e");
        grid.key(Qt::Key_Enter);
        QCOMPARE(grid.triggered, QStringList{"e"});
        QVERIFY(!grid.menu.isVisible());
    }

    void mouseHoversAndChooses()
    {
        TGrid grid;
        grid.open();
        QTest::mouseMove(&grid.menu, grid.rect("d").center());
        QCOMPARE(grid.current(&grid.menu), "d");
        QTest::mouseMove(&grid.menu, grid.rect("More...").center());
        QTRY_VERIFY(grid.more->isVisible());
        // The submenu shows beside its entry.
        QVERIFY(grid.more->x() >= grid.menu.geometry().right());

        QTest::mouseClick(grid.more, Qt::LeftButton, {}, grid.rect("g").center());
        QCOMPARE(grid.triggered, QStringList{"g"});
        QVERIFY(!grid.more->isVisible());
        QVERIFY(!grid.menu.isVisible());

        // A press outside every menu closes them without choosing.
        grid.open();
        QTest::mouseClick(&grid.menu, Qt::LeftButton, {}, grid.rect("a").center());
        QCOMPARE(grid.triggered, (QStringList{"g", "a"}));
        grid.open();
        QTest::mousePress(&grid.menu, Qt::LeftButton, {}, QPoint(-50, -50));
        QVERIFY(!grid.menu.isVisible());
        QCOMPARE(grid.triggered.size(), 2);
    }

    void paintsEntriesAndTheBar()
    {
        TGrid grid;
        grid.open();
        grid.key(Qt::Key_Down);
        const QImage image = grid.menu.grab().toImage();
        // Written beside the suite, to be looked at.
        image.save(QStringLiteral(QT_TESTCASE_BUILDDIR "/tst_gridmenu.png"));
        // The bar lies in the gap between the columns.
        const QColor bar = grid.menu.palette().color(QPalette::Mid);
        bool barFound = false;
        for (int x = grid.rect("a").right() + 1; x < grid.rect("d").left(); ++x)
            barFound = barFound || image.pixel(x, grid.rect("b").center().y()) == bar.rgb();
        QVERIFY(barFound);
        // The highlighted entry is drawn unlike the others.
        const QPoint inA = grid.rect("a").topLeft() + QPoint(3, 3);
        const QPoint inB = grid.rect("b").topLeft() + QPoint(3, 3);
        QVERIFY(image.pixelColor(inA) != image.pixelColor(inB));
    }
};

QTEST_MAIN(TestGridMenu)
#include "tst_gridmenu.moc"
