// Hosts that do what a host should not, through the public boundary only:
// each either works or fails with a clear error, and none crashes.
#include "LoadedPlugin.h"

#include <selectframe/SelectFrame.h>

#include <QAction>
#include <QLibrary>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QTreeView>
#include <QWidget>

using namespace selectframe;

namespace {

/// What the host's handlers do; one mischief a run.
enum class TMischief { Throw, InitializeAgain, ReloadFromQuery };

struct THost
{
    IPtr<ISelectFrame> frame;
    IPtr<IDataStorage> state;
    TMischief mischief = TMischief::Throw;
    int changes = 0;
    int queries = 0;
    QString refused;

    static THost &of(void *data) { return *static_cast<THost *>(data); }
    static void onChange(void *data, ISelectFrame *)
    {
        THost &host = of(data);
        ++host.changes;
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
        THost &host = of(data);
        // A bulk pass started from inside the previous one's queries.
        if (host.mischief == TMischief::ReloadFromQuery && host.queries++ == 0)
            host.state->Load({"a", "b", "c"});
    }
};

QVariant param(ISelectFrame *frame, const char *key)
{
    IPtr<INamedParams> params;
    frame->GetParams(params.put());
    QVariant value;
    params->GetValue(key, &value);
    return value;
}

} // namespace

class TestHostileHost : public QObject
{
    Q_OBJECT

    test::TLoadedPlugin m_plugin;

    IPtr<ISelectFrame> newFrame(QWidget *window, const QStringList &ids = {"a", "b", "c"})
    {
        IPtr<ISelectFrame> frame = m_plugin.newFrame();
        for (const QString &id : ids) {
            IPtr<IFrameItem> item;
            frame->NewItem(item.put());
            item->SetID(id);
            item->SetCaption(id);
        }
        frame->GetControl()->setParent(window);
        frame->GetControl()->resize(400, 300);
        return frame;
    }

private slots:
    void initTestCase() { m_plugin.load(); }

    // The user checks a row with the keyboard and the host misbehaves in
    // the change event: the event loop sees no exception, the tree's
    // update is closed (the next check is painted) and the frame goes on.
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
        host.frame = newFrame(&window);
        host.frame->GetState(host.state.put());
        IPtr<INamedMethods> methods;
        host.frame->GetMethods(methods.put());
        methods->SetMethod(keys::EventOnChange, makeMethod(&THost::onChange, &host));
        methods->SetMethod(keys::EventItemQuery, makeMethod(&THost::onItemQuery, &host));
        host.frame->Initialize();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *tree = host.frame->GetControl()->findChild<QTreeView *>(QStringLiteral("SelectTree"));
        QVERIFY(tree);
        tree->setFocus();
        tree->setCurrentIndex(tree->model()->index(0, 0));

        if (host.mischief == TMischief::Throw)
            QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("host handler failed"));
        if (host.mischief == TMischief::ReloadFromQuery) {
            // Queries follow bulk passes only: start one as a host would.
            host.state->Load({"a"});
        } else {
            QTest::keyClick(tree, Qt::Key_Space);
        }
        QCOMPARE(param(host.frame.get(), keys::PropertyCheckedCount).toInt(), checkedAfter);
        if (host.mischief == TMischief::InitializeAgain)
            QCOMPARE(host.refused, QStringLiteral("Frame is already initialized"));

        // The tree still paints what changes.
        const QImage before = tree->viewport()->grab().toImage();
        tree->setCurrentIndex(tree->model()->index(0, 0));
        if (host.mischief == TMischief::Throw)
            QTest::ignoreMessage(QtCriticalMsg, QRegularExpression("host handler failed"));
        QTest::keyClick(tree, Qt::Key_Space);
        QCOMPARE(tree->viewport()->grab().toImage() == before, false);
    }

    // Whatever the host holds outlives the frame and stays safe to call.
    void itemsOutliveTheirFrame()
    {
        IPtr<IFrameItem> item;
        {
            QWidget window;
            IPtr<ISelectFrame> frame = newFrame(&window, {"kept"});
            frame->NewItem(item.put());
            item->SetID("late");
            frame->Initialize();
            IPtr<IDataStorage> state;
            frame->GetState(state.put());
            state->Load({"late"});
            QVERIFY(item.query<IFrameItemEx>()->GetChecked());
        }
        item->SetCaption("renamed");
        IPtr<IStringValueList> values;
        item->GetValues(values.put());
        values->SetValue("group", "elsewhere");
        IPtr<IFrameItemEx> ex = item.query<IFrameItemEx>();
        QVERIFY(!ex->GetNode());
        QVERIFY(!ex->GetChecked());
        ex->SetChecked(true);
        ex->Refresh();
        QString caption;
        item->GetCaption(&caption);
        QCOMPARE(caption, QStringLiteral("renamed"));
    }

    // Random values of random types for every option, then Initialize and
    // a paint: each run initialises or fails with an error the host can
    // catch, and never hangs or grows without bound.
    void randomOptions()
    {
        QRandomGenerator random(20261207);
        const QList<QVariant> values{
            QVariant(int32_t(2147483647)), QVariant(int32_t(-2147483647 - 1)), QVariant(-1), QVariant(0),
            QVariant(1), QVariant(3), QVariant(true), QVariant(QByteArray("")), QVariant(QByteArray("x,\"y")),
            QVariant(QString("9999999999")), QVariant(QString("a=b,c=d")), QVariant(1e300), QVariant()};
        const QList<const char *> keys{
            keys::OptionSelectMode, keys::OptionShowFavorites, keys::OptionFavoritesMode, keys::OptionFilterShow,
            keys::OptionFilterText, keys::OptionGroupByColumns, keys::OptionGroupByIndex, keys::OptionRowLimit,
            keys::OptionColumnLimit, keys::OptionMoreCaption, keys::OptionHeaderHeight, keys::OptionRowHeight,
            keys::OptionRowSelect, keys::OptionInitSort, keys::OptionGroupsExpandFirst, keys::OptionGroupsExpanded,
            keys::OptionColumnNames, keys::OptionColumnsWidth, keys::OptionFavoriteColumns, keys::OptionUi};
        for (int run = 0; run < 40; ++run) {
            QWidget window;
            IPtr<ISelectFrame> frame = newFrame(&window);
            IPtr<INamedParams> params;
            frame->GetParams(params.put());
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
