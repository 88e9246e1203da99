// SPDX-License-Identifier: MIT
// The demo host: what it keeps across runs (the checked set, the sort, the
// favorites), its status line and event log, its "Show checked only" switch
// and its own groupings of the engines, and its first screen.
#include "DemoHost.h"

#include "host/LoadedPlugin.h"
#include "platform/ShownMenu.h"
#include "platform/TestSettingsScope.h"
#include "platform/UserInput.h"

#include <QTest>
#include <QtWidgets>

#include <memory>

using namespace selectframe;
using namespace selectframe::demo;

namespace {

template <class T = QWidget>
T *child(QWidget *parent, const char *name)
{
    return parent->findChild<T *>(QString::fromLatin1(name));
}

/// The demo's status line, its checked count only.
QString checkedCount(TDemoHost &host)
{
    return host.statusBar()->findChild<QLabel *>()->text().section(u' ', -1);
}

/// The lines of the event log naming `event`.
QStringList logged(TDemoHost &host, const QString &event)
{
    return host.findChild<QPlainTextEdit *>()->toPlainText().split(u'\n').filter("events://" + event);
}

/// The captions of the rows the tree shows, expanded or not.
QStringList shownRows(TDemoHost &host)
{
    const QAbstractItemModel *model = host.findChild<QTreeView *>()->model();
    QStringList rows;
    const auto every = Qt::MatchWildcard | Qt::MatchRecursive;
    for (const QModelIndex &row : model->match(model->index(0, 0), Qt::DisplayRole, "*", -1, every))
        rows << row.data().toString();
    return rows;
}

} // namespace

class TestDemoHost : public QObject
{
    Q_OBJECT

    std::unique_ptr<TTestSettingsScope> m_scope;
    test::TLoadedPlugin m_plugin;
    const QList<TEngine> m_engines = syntheticEngines(6, 2);

    /// One run of the demo: shown, then `use`d, then closed as a user closes it.
    void run(const std::function<void(TDemoHost &)> &use)
    {
        TDemoHost host(m_plugin.create, m_engines);
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        use(host);
        host.close();
    }

private slots:
    void initTestCase()
    {
        m_scope = std::make_unique<TTestSettingsScope>(QStringLiteral("tst_demohost"));
        m_plugin.load();
    }
    void cleanupTestCase() { m_scope.reset(); }

    // Checked all, sorted by domain and a favorite made in the dialog; the
    // next run comes up so, and the one after without the checks taken off.
    void stateSurvivesARestart()
    {
        const QString name = QStringLiteral("Mïne, \"ours\" ✓");
        run([&](TDemoHost &host) {
            QCOMPARE(checkedCount(host), "0");
            child<QAction>(&host, "acCheckAll")->trigger();
            QCOMPARE(checkedCount(host), "6");
            QHeaderView *h = host.findChild<QHeaderView *>();
            QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                              QPoint(h->sectionViewportPosition(1) + h->sectionSize(1) / 2, h->height() / 2));
            host.organizeFavorites([&](QDialog *dialog) {
                test::whenModal([&](QWidget *box) {
                    test::typeText(box->findChild<QLineEdit *>(), name);
                    box->findChildren<QPushButton *>().at(0)->click();
                });
                child<QPushButton>(dialog, "btnAddFavorite")->click();
                child<QAction>(dialog, "acCheckAll")->trigger();
                dialog->accept();
            });
            QCOMPARE(logged(host, "fav_action"), (QStringList{"events://fav_action 1 ", "events://fav_action 2 "}));
        });
        QString info;
        run([&](TDemoHost &host) {
            QCOMPARE(checkedCount(host), "6");
            QCOMPARE(host.findChild<QHeaderView *>()->sortIndicatorSection(), 1);
            host.organizeFavorites([&](QDialog *dialog) {
                info = child<QLabel>(dialog, "lbSelectedInfo")->text();
                dialog->reject();
            });
            child<QAction>(&host, "acUncheckAll")->trigger();
        });
        QCOMPARE(info, QStringLiteral("Search engines checked in '%1' - 6.").arg(name));
        run([](TDemoHost &host) { QCOMPARE(checkedCount(host), "0"); });
    }

    // The demo files its engines anew for each grouping, the checked row
    // and the filter staying; its switch shows the checked rows only while
    // there are any.
    void groupingsAndCheckedOnlySwitch()
    {
        run([](TDemoHost &host) {
            auto *box = child<QLineEdit>(&host, "edFilter");
            box->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(box, QStringLiteral("engine 3"));
            QTest::keyClick(box, Qt::Key_Tab);
            child<QAction>(&host, "acCheckAll")->trigger();
            const std::pair<const char *, QStringList> groupings[] = {{"Subcategory", {"Sub 3", "Engine 3"}},
                                                                      {"Domain letter", {"E", "Engine 3"}},
                                                                      {"Top-level domain", {".example", "Engine 3"}},
                                                                      {"None", {"Engine 3"}}};
            for (const auto &[grouping, rows] : groupings) {
                test::chooseFromButton(child(&host, "btnGroupBy"), QString::fromLatin1(grouping));
                QCOMPARE(shownRows(host), rows);
                QCOMPARE(box->text() + ' ' + checkedCount(host), "engine 3 1");
            }
            QCOMPARE(logged(host, "change_group"),
                     (QStringList{"events://change_group subcategory", "events://change_group letter",
                                  "events://change_group tld", "events://change_group none"}));
            auto *onlyChecked = child<QCheckBox>(&host, "cbShowOnlyChecked");
            QTest::mouseClick(onlyChecked, Qt::LeftButton);
            QVERIFY(onlyChecked->isChecked());
            QCOMPARE(box->text(), QStringLiteral("Find search engines"));
            QCOMPARE(shownRows(host), QStringList{"Engine 3"});
            // Unchecking the last one turns it off; with nothing checked it
            // does not come on.
            child<QAction>(&host, "acUncheckAll")->trigger();
            QVERIFY(!onlyChecked->isChecked());
            QCOMPARE(shownRows(host).size(), 6);
            QTest::mouseClick(onlyChecked, Qt::LeftButton);
            QVERIFY(!onlyChecked->isChecked());
        });
    }

    // The bundled list, sorted through the host's compare handlers, is shown
    // from its first row, and the keyboard starts in it.
    void firstScreenIsTheTopOfTheList()
    {
        TDemoHost host(m_plugin.create, loadEngines(QStringLiteral(SF_DATA_DIR "/bangs.json")));
        host.show();
        host.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&host));
        auto *tree = host.findChild<QTreeView *>();
        QTRY_COMPARE(QApplication::focusWidget(), tree);
        QTRY_VERIFY(tree->currentIndex().isValid());
        QCOMPARE(tree->verticalScrollBar()->value(), 0);
        QCOMPARE(tree->indexAt(QPoint(1, 1)), tree->model()->index(0, 0));
        QCOMPARE(tree->currentIndex().row(), 0);
    }
};

QTEST_MAIN(TestDemoHost)
#include "tst_demohost.moc"
