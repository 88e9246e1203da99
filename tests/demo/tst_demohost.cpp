// The demo host across restarts: what the user checked and how the list was
// sorted come back in the next run.
#include "DemoHost.h"

#include "platform/TestSettingsScope.h"
#include "platform/UserInput.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLibrary>
#include <QTest>

#include <memory>

using namespace selectframe;
using namespace selectframe::demo;

class TestDemoHost : public QObject
{
    Q_OBJECT

    std::unique_ptr<TTestSettingsScope> m_scope;
    QLibrary m_library{QStringLiteral(SF_PLUGIN_PATH)};
    TCreateManager m_create = nullptr;
    const QList<TEngine> m_engines = syntheticEngines(6, 2);

    /// One run of the demo: shown, then `use`d, then closed as a user closes it.
    void run(const std::function<void(TDemoHost &)> &use, bool embedded = false)
    {
        TDemoHost host(m_create, m_engines, embedded);
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

private slots:
    void initTestCase()
    {
        m_scope = std::make_unique<TTestSettingsScope>(QStringLiteral("tst_demohost"));
        QVERIFY2(m_library.load(), qPrintable(m_library.errorString()));
        m_create = reinterpret_cast<TCreateManager>(m_library.resolve(CreateManagerSymbol));
        QVERIFY(m_create);
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
        }, true);
        QCOMPARE(info, QStringLiteral("Search engines checked in '%1' - 6.").arg(name));
    }
};

QTEST_MAIN(TestDemoHost)
#include "tst_demohost.moc"
