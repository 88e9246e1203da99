// SPDX-License-Identifier: MIT
// The demo host: what the user checked, how the list was sorted and the
// favorites made come back in the next run; the filter box and the checked-only view as its user
// meets them.
#include "DemoHost.h"

#include "host/LoadedPlugin.h"
#include "platform/ShownMenu.h"
#include "platform/TestSettingsScope.h"
#include "platform/UserInput.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeView>

#include <memory>

using namespace selectframe;
using namespace selectframe::demo;

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
    static QString checkedCount(TDemoHost &host)
    {
        return host.findChild<QLabel *>(QStringLiteral("lbCheckedCount"))->text();
    }
    static QHeaderView *header(TDemoHost &host) { return host.findChild<QHeaderView *>(); }
    /// The captions of the rows the tree shows, expanded or not.
    static QStringList shownRows(TDemoHost &host)
    {
        const QAbstractItemModel *model = host.findChild<QTreeView *>()->model();
        QStringList rows;
        const std::function<void(const QModelIndex &)> collect = [&](const QModelIndex &parent) {
            for (int row = 0; row < model->rowCount(parent); ++row) {
                const QModelIndex index = model->index(row, 0, parent);
                rows << index.data(Qt::DisplayRole).toString();
                collect(index);
            }
        };
        collect(QModelIndex());
        return rows;
    }

private slots:
    void initTestCase()
    {
        m_scope = std::make_unique<TTestSettingsScope>(QStringLiteral("tst_demohost"));
        m_plugin.load();
    }
    void cleanupTestCase() { m_scope.reset(); }

    void checkedSetAndSortSurviveARestart()
    {
        run([](TDemoHost &host) {
            QCOMPARE(checkedCount(host), QStringLiteral("Checked: 0"));
            host.findChild<QAction *>(QStringLiteral("acCheckAll"))->trigger();
            QHeaderView *h = header(host);
            const QPoint domain(h->sectionViewportPosition(1) + h->sectionSize(1) / 2, h->height() / 2);
            QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, domain);
            QCOMPARE(h->sortIndicatorSection(), 1);
        });
        run([](TDemoHost &host) {
            QCOMPARE(checkedCount(host), QStringLiteral("Checked: 6"));
            QCOMPARE(header(host)->sortIndicatorSection(), 1);
            host.findChild<QAction *>(QStringLiteral("acUncheckAll"))->trigger();
        });
        run([](TDemoHost &host) { QCOMPARE(checkedCount(host), QStringLiteral("Checked: 0")); });
    }

    void filterAndCheckedOnlyView()
    {
        run([](TDemoHost &host) {
            host.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&host));
            auto *box = host.findChild<QLineEdit *>(QStringLiteral("edFilter"));
            auto *onlyChecked = host.findChild<QCheckBox *>(QStringLiteral("cbShowOnlyChecked"));
            box->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(box, QStringLiteral("ENGINE 3"));
            QTest::keyClick(box, Qt::Key_Tab);
            QCOMPARE(shownRows(host), (QStringList{"Category 1", "Engine 3"}));

            // Check all checks the rows shown; the view then replaces the
            // filter.
            host.findChild<QAction *>(QStringLiteral("acCheckAll"))->trigger();
            QCOMPARE(checkedCount(host), QStringLiteral("Checked: 1"));
            QTest::mouseClick(onlyChecked, Qt::LeftButton);
            QVERIFY(onlyChecked->isChecked());
            QCOMPARE(box->text(), QStringLiteral("Find search engines"));
            QCOMPARE(shownRows(host), (QStringList{"Category 1", "Engine 3"}));
            // Unchecking the last one turns the view off, and the host sees it.
            host.findChild<QAction *>(QStringLiteral("acUncheckAll"))->trigger();
            QVERIFY(!onlyChecked->isChecked());
            QCOMPARE(shownRows(host).size(), 8);
            // With nothing checked the view does not come on.
            QTest::mouseClick(onlyChecked, Qt::LeftButton);
            QVERIFY(!onlyChecked->isChecked());
        });
    }

    // A choice from the group-by button: the demo files its engines anew,
    // the checked row and the filter stay.
    void regroupingKeepsChecksAndFilter()
    {
        run([](TDemoHost &host) {
            auto *box = host.findChild<QLineEdit *>(QStringLiteral("edFilter"));
            box->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(box, QStringLiteral("engine 3"));
            QTest::keyClick(box, Qt::Key_Tab);
            host.findChild<QAction *>(QStringLiteral("acCheckAll"))->trigger();
            auto *button = host.findChild<QPushButton *>(QStringLiteral("btnGroupBy"));
            for (const auto &[grouping, rows] : {std::pair{"Subcategory", QStringList{"Sub 3", "Engine 3"}},
                                                 std::pair{"Domain letter", QStringList{"E", "Engine 3"}}}) {
                test::chooseFromButton(button, QString::fromLatin1(grouping));
                QCOMPARE(shownRows(host), rows);
                QCOMPARE(box->text(), QStringLiteral("engine 3"));
                QCOMPARE(checkedCount(host), QStringLiteral("Checked: 1"));
            }
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

    /// A favorite made in the dialog comes back in the next run.
    void favoritesSurviveARestart()
    {
        const QString name = QStringLiteral("Mïne, \"ours\" ✓");
        run([&](TDemoHost &host) {
            host.organizeFavorites([&](QDialog *dialog) {
                test::whenModal([&](QWidget *box) {
                    test::typeText(box->findChild<QLineEdit *>(), name);
                    box->findChildren<QPushButton *>().at(0)->click();
                });
                dialog->findChild<QPushButton *>(QStringLiteral("btnAddFavorite"))->click();
                dialog->findChild<QAction *>(QStringLiteral("acCheckAll"))->trigger();
                dialog->accept();
            });
        });
        QString info;
        run([&](TDemoHost &host) {
            host.organizeFavorites([&](QDialog *dialog) {
                info = dialog->findChild<QLabel *>(QStringLiteral("lbSelectedInfo"))->text();
                dialog->reject();
            });
        });
        QCOMPARE(info, QStringLiteral("Search engines checked in '%1' - 6.").arg(name));
    }
};

QTEST_MAIN(TestDemoHost)
#include "tst_demohost.moc"
