// SPDX-License-Identifier: MIT
// Hosts that do what a host should not, through the public boundary only:
// each either works or fails with a clear error, and none crashes.
#include "LoadedPlugin.h"

#include <selectframe/SelectFrame.h>

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QTreeView>
#include <QWidget>

using namespace selectframe;
using namespace selectframe::test;

namespace {

/// What the host's handlers do; one mischief a run.
enum class TMischief {
    Throw,
    InitializeAgain,
    ReloadFromQuery
};

struct THost
{
    IPtr<ISelectFrame> frame;
    IPtr<IDataStorage> state;
    TMischief mischief = TMischief::Throw;
    int queries = 0;
    QString refused;

    static void onChange(void *data, ISelectFrame *)
    {
        THost &host = *static_cast<THost *>(data);
        if (host.mischief == TMischief::Throw)
            throw std::runtime_error("host handler failed");
        if (host.mischief == TMischief::InitializeAgain) {
            try {
                host.frame->Initialize();
            } catch (const EFrameException &e) {
                host.refused = e.message();
            }
        }
    }
    static void onItemQuery(void *data, ISelectFrame *, IFrameItem *, const QString &)
    {
        THost &host = *static_cast<THost *>(data);
        // A bulk pass started from inside the previous one's queries.
        if (host.mischief == TMischief::ReloadFromQuery && host.queries++ == 0)
            host.state->Load({"a", "b", "c"});
    }
};

} // namespace

class TestHostileHost : public QObject
{
    Q_OBJECT

    TLoadedPlugin m_plugin;

private slots:
    void initTestCase() { m_plugin.load(); }

    // The user checks a row with the keyboard (or the host starts a bulk
    // pass) and the host misbehaves in the event: the event loop sees no
    // exception, the tree's update is closed (the next check is painted)
    // and the frame goes on.
    void mischiefInsideAUserCheck_data()
    {
        QTest::addColumn<int>("mischief");
        QTest::addColumn<int>("checkedAfter");
        QTest::newRow("handler throws") << int(TMischief::Throw) << 1;
        QTest::newRow("initialize again") << int(TMischief::InitializeAgain) << 1;
        QTest::newRow("bulk pass from a query") << int(TMischief::ReloadFromQuery) << 3;
    }
    void mischiefInsideAUserCheck()
    {
        QFETCH(int, mischief);
        QFETCH(int, checkedAfter);
        QWidget window;
        THost host;
        host.mischief = TMischief(mischief);
        host.frame = m_plugin.newFrame({"a", "b", "c"}, &window);
        host.state = part(host.frame.get(), &ISelectFrame::GetState);
        const IPtr<INamedMethods> methods = part(host.frame.get(), &ISelectFrame::GetMethods);
        methods->SetMethod(keys::EventOnChange, makeMethod(&THost::onChange, &host));
        methods->SetMethod(keys::EventItemQuery, makeMethod(&THost::onItemQuery, &host));
        host.frame->Initialize();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *tree = host.frame->GetControl()->findChild<QTreeView *>(QStringLiteral("SelectTree"));
        QVERIFY(tree);
        tree->setFocus();
        const auto check = [&] {
            tree->setCurrentIndex(tree->model()->index(0, 0));
            if (host.mischief == TMischief::Throw)
                QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("host handler failed"));
            QTest::keyClick(tree, Qt::Key_Space);
        };
        if (host.mischief == TMischief::ReloadFromQuery)
            host.state->Load({"a"}); // queries follow bulk passes only
        else
            check();
        QCOMPARE(param(host.frame.get(), keys::PropertyCheckedCount).toInt(), checkedAfter);
        if (host.mischief == TMischief::InitializeAgain)
            QCOMPARE(host.refused, QStringLiteral("Frame is already initialized"));
        const QImage before = tree->viewport()->grab().toImage();
        check();
        QVERIFY(tree->viewport()->grab().toImage() != before);
    }

    // Random values of random types for every option, then Initialize and
    // a paint: each run initialises or fails with an error the host can
    // catch, and never hangs or grows without bound.
    void randomOptions()
    {
        QRandomGenerator random(20261207);
        const QList<QVariant> values{QVariant(int32_t(2147483647)),
                                     QVariant(int32_t(-2147483647 - 1)),
                                     QVariant(-1),
                                     QVariant(0),
                                     QVariant(1),
                                     QVariant(3),
                                     QVariant(true),
                                     QVariant(QByteArray("")),
                                     QVariant(QByteArray("x,\"y")),
                                     QVariant(QString("9999999999")),
                                     QVariant(QString("a=b,c=d")),
                                     QVariant(1e300),
                                     QVariant()};
        const QList<const char *> keys{keys::OptionSelectMode,        keys::OptionShowFavorites,
                                       keys::OptionFavoritesMode,     keys::OptionFilterShow,
                                       keys::OptionFilterText,        keys::OptionGroupByColumns,
                                       keys::OptionGroupByIndex,      keys::OptionRowLimit,
                                       keys::OptionColumnLimit,       keys::OptionMoreCaption,
                                       keys::OptionHeaderHeight,      keys::OptionRowHeight,
                                       keys::OptionRowSelect,         keys::OptionInitSort,
                                       keys::OptionGroupsExpandFirst, keys::OptionGroupsExpanded,
                                       keys::OptionColumnNames,       keys::OptionColumnsWidth,
                                       keys::OptionFavoriteColumns,   keys::OptionUi};
        for (int run = 0; run < 40; ++run) {
            QWidget window;
            IPtr<ISelectFrame> frame = m_plugin.newFrame({"a", "b", "c"}, &window);
            const IPtr<INamedParams> params = part(frame.get(), &ISelectFrame::GetParams);
            for (const char *key : keys)
                if (random.bounded(3) == 0)
                    params->SetValue(key, values[random.bounded(int(values.size()))]);
            try {
                frame->Initialize();
            } catch (const std::exception &) {
                continue;
            }
            QVERIFY(!frame->GetControl()->grab().isNull());
        }
    }
};

QTEST_MAIN(TestHostileHost)
#include "tst_hostilehost.moc"
