// The plug-in as a host sees it: loaded by path, reached through its one
// export, used through the public headers only.
#include "LoadedPlugin.h"

#include <selectframe/SelectFrame.h>

#include <QAction>
#include <QLibrary>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QTest>
#include <QWidget>

using namespace selectframe;

namespace {

struct TCalls
{
    QList<ISelectFrame *> senders;
};

void onChange(void *data, ISelectFrame *sender)
{
    static_cast<TCalls *>(data)->senders.append(sender);
}

QVariant param(ISelectFrame *frame, const char *key)
{
    IPtr<INamedParams> params;
    frame->GetParams(params.put());
    QVariant value;
    params->GetValue(key, &value);
    return value;
}

/// A host that files every item under the chosen grouping's identifier.
struct TGroupingHost
{
    QList<ISelectFrame *> senders;
    QStringList groups;

    static void onChangeGroup(void *data, ISelectFrame *sender, const QString &groupID, IFrameItemEnumerator *items)
    {
        auto *host = static_cast<TGroupingHost *>(data);
        host->senders.append(sender);
        QStringList ids;
        while (items->MoveNext()) {
            IPtr<IFrameItem> item;
            items->GetCurrent(item.put());
            IPtr<IStringValueList> values;
            item->GetValues(values.put());
            values->SetValue("group", groupID);
            QString id;
            item->GetID(&id);
            ids << id;
        }
        host->groups << groupID + QStringLiteral(": ") + ids.join(u',');
    }
};

/// A host that drops its frame from the frame's own change event, as a
/// page closing on the user's choice would.
struct TDroppingHost
{
    IPtr<ISelectFrame> frame;
    int changes = 0;

    static void onChange(void *data, ISelectFrame *)
    {
        auto *host = static_cast<TDroppingHost *>(data);
        ++host->changes;
        host->frame.reset();
    }
};

} // namespace

class TestPlugin : public QObject
{
    Q_OBJECT

    test::TLoadedPlugin m_plugin;

    IPtr<ISelectFrame> newFrame() { return m_plugin.newFrame(); }

private slots:
    void initTestCase() { m_plugin.load(); }

    void exportsOnlyCreateManager()
    {
        QProcess nm;
        nm.start(QStringLiteral("nm"), {"-D", "--defined-only", m_plugin.library.fileName()});
        QVERIFY2(nm.waitForFinished(), "nm did not run");
        QStringList symbols;
        for (const QByteArray &line : nm.readAllStandardOutput().split('\n'))
            if (const QList<QByteArray> fields = line.simplified().split(' '); fields.size() == 3)
                symbols.append(QString::fromLatin1(fields[2]));
        QCOMPARE(symbols, QStringList{"CreateManager"});
    }

    void eachCallGivesANewFactory()
    {
        IPtr<ISelectFrameFactory> a, b;
        m_plugin.create(a.put());
        m_plugin.create(b.put());
        QVERIFY(a && b && a != b);
        QVERIFY(a.query<IInterface>() == a.query<ISelectFrameFactory>().query<IInterface>());
        QVERIFY(!a.query<ISelectFrame>());
    }

    void freshFrameAnswersDefaults()
    {
        IPtr<ISelectFrame> frame = newFrame();
        QCOMPARE(param(frame.get(), keys::OptionRowLimit).toInt(), 30);
        QVERIFY(!param(frame.get(), keys::OptionUi).isValid());
        IPtr<INamedParams> params;
        frame->GetParams(params.put());
        QCOMPARE(params.query<INamedParamsList>()->GetCount(), 31);
    }

    void registryStoresNothingButHandlersAreTaken()
    {
        IPtr<ISelectFrame> frame = newFrame();
        IPtr<INamedMethods> methods;
        frame->GetMethods(methods.put());
        TCalls calls;
        methods->SetMethod(keys::EventOnChange, makeMethod(&onChange, &calls));
        QVERIFY(!methods->GetMethod(keys::EventOnChange).assigned());
        methods->SetMethod("events://unknown", makeMethod(&onChange, &calls));
        QVERIFY(!methods->GetMethod("events://unknown").assigned());
    }

    void initializeOnlyOnce()
    {
        IPtr<ISelectFrame> frame = newFrame();
        frame->Initialize();
        try {
            frame->Initialize();
            QFAIL("a second Initialize must fail");
        } catch (const EFrameException &e) {
            QCOMPARE(e.message(), QStringLiteral("Frame is already initialized"));
        }
        frame->Reserved();
        frame->Reserved();
        QCOMPARE(param(frame.get(), keys::PropertyTotalCount).toInt(), 0);
    }

    void newItemDefaults()
    {
        IPtr<ISelectFrame> frame = newFrame();
        IPtr<IFrameItem> item;
        frame->NewItem(item.put());
        IPtr<IStringValueList> values;
        item->GetValues(values.put());
        QString image, group = "x", hint = "x", id = "x";
        values->GetValue("image", &image);
        values->GetValue("group", &group);
        values->GetValue("hint", &hint);
        item->GetID(&id);
        QCOMPARE(image, QStringLiteral("-1"));
        QVERIFY(group.isEmpty() && hint.isEmpty() && id.isEmpty());
        QVERIFY(!item.query<IFrameItemEx>()->GetChecked());
    }

    // The last release destroys the control even where the host placed it;
    // what the host still holds lives on and stays safe to call.
    void releasingTheFrameDestroysItsControl()
    {
        QWidget window;
        IPtr<IFrameItem> item;
        IPtr<INamedMethods> methods;
        IPtr<INamedParams> params;
        IPtr<IDataStorage> favorites, state;
        IPtr<ISelectFrameSettings> settings;
        QPointer<QWidget> control;
        {
            IPtr<ISelectFrame> frame = newFrame();
            frame->GetMethods(methods.put());
            frame->GetParams(params.put());
            frame->GetFavorites(favorites.put());
            frame->GetState(state.put());
            frame->GetSettings(settings.put());
            frame->NewItem(item.put());
            item->SetID("kept");
            control = frame->GetControl();
            control->setParent(&window);
            window.show();
            frame->Initialize();
        }
        QVERIFY(control.isNull());
        QVERIFY(window.findChildren<QWidget *>().isEmpty());
        QString id;
        item->GetID(&id);
        QCOMPARE(id, QStringLiteral("kept"));
        favorites->Load({"A=1,2"});
        QStringList lines;
        favorites->Save(&lines);
        QCOMPARE(lines, QStringList{"A=1,2"});
        state->Load({"kept"});
        state->Save(&lines);
        QVERIFY(lines.isEmpty());
        QVariant rowLimit;
        params->GetValue(keys::OptionRowLimit, &rowLimit);
        QCOMPARE(rowLimit.toInt(), 30);
        QVERIFY(!settings->GetShowOnlyChecked());
        settings->SetShowOnlyChecked(true);
        // With the frame gone, the registry keeps what it is given.
        TCalls calls;
        methods->SetMethod(keys::EventOnChange, makeMethod(&onChange, &calls));
        QVERIFY(methods->GetMethod(keys::EventOnChange).assigned());
    }

    void releasedFromItsOwnHandler()
    {
        QWidget window;
        TDroppingHost host;
        host.frame = newFrame();
        IPtr<INamedMethods> methods;
        host.frame->GetMethods(methods.put());
        methods->SetMethod(keys::EventOnChange, makeMethod(&TDroppingHost::onChange, &host));
        IPtr<IFrameItem> item;
        host.frame->NewItem(item.put());
        item->SetID("a");
        QPointer<QWidget> control = host.frame->GetControl();
        control->setParent(&window);
        window.show();
        host.frame->Initialize();

        // The change event comes from inside the control's check-all pass,
        // which has work left after it: the control must outlive that.
        auto *checkAll = control->findChild<QAction *>(QStringLiteral("acCheckAll"));
        QVERIFY(checkAll);
        checkAll->trigger();
        QCOMPARE(host.changes, 1);
        QVERIFY(!host.frame);
        QVERIFY(!control.isNull());
        QVERIFY(control->isHidden());
        // Further events of the dying control reach no handler.
        control->findChild<QAction *>(QStringLiteral("acUncheckAll"))->trigger();
        QCOMPARE(host.changes, 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(control.isNull());
        QVERIFY(item.query<IFrameItemEx>()->GetChecked() == false);
    }

    // The documented order: options, handlers, items, the checked set, then
    // Initialize.
    void checkedSetLoadedBeforeInitialize()
    {
        IPtr<ISelectFrame> frame = newFrame();
        TCalls calls;
        IPtr<INamedMethods> methods;
        frame->GetMethods(methods.put());
        methods->SetMethod(keys::EventOnChange, makeMethod(&onChange, &calls));
        for (const char *id : {"a", "b", "c"}) {
            IPtr<IFrameItem> item;
            frame->NewItem(item.put());
            item->SetID(id);
        }
        IPtr<IDataStorage> state;
        frame->GetState(state.put());
        state->Load({"c", "a"});
        QVERIFY(calls.senders.isEmpty());
        frame->Initialize();
        QCOMPARE(calls.senders.size(), 1);
        QCOMPARE(param(frame.get(), keys::PropertyCheckedCount).toInt(), 2);
        QStringList saved;
        state->Save(&saved);
        saved.sort();
        QCOMPARE(saved, (QStringList{"a", "c"}));
    }

    // The host's grouping handler gets the frame, the chosen identifier and
    // every item in its own order; a choice the menu lacks fails Initialize.
    void groupingsReachTheHost()
    {
        IPtr<ISelectFrame> frame = newFrame();
        IPtr<INamedParams> params;
        frame->GetParams(params.put());
        params->SetValue(keys::OptionGroupByColumns, QByteArray("flat=Flat,\"all=All items\""));
        TGroupingHost host;
        IPtr<INamedMethods> methods;
        frame->GetMethods(methods.put());
        methods->SetMethod(keys::EventChangeGroup, makeMethod(&TGroupingHost::onChangeGroup, &host));
        for (const char *id : {"b", "a"}) {
            IPtr<IFrameItem> item;
            frame->NewItem(item.put());
            item->SetID(id);
        }
        frame->Initialize();
        frame->GetControl()->findChild<QMenu *>(QStringLiteral("pmGroupBy"))->actions().value(1)->trigger();
        QCOMPARE(host.groups, QStringList{"all: b,a"});
        QCOMPARE(host.senders, QList<ISelectFrame *>{frame.get()});

        IPtr<ISelectFrame> wrong = newFrame();
        wrong->GetParams(params.put());
        params->SetValue(keys::OptionGroupByColumns, QByteArray("flat=Flat"));
        params->SetValue(keys::OptionGroupByIndex, 1);
        try {
            wrong->Initialize();
            QFAIL("an index the menu lacks must fail");
        } catch (const std::exception &e) {
            QCOMPARE(e.what(), "Menu index out of range: 1 (entries 0 to 0)");
        }
    }

    void hostWindowMayGoFirst()
    {
        IPtr<ISelectFrame> frame = newFrame();
        {
            QWidget window;
            frame->GetControl()->setParent(&window);
        }
        QVERIFY(!frame->GetControl());
        frame->Initialize();
        IPtr<IFrameItem> item;
        frame->NewItem(item.put());
        QVERIFY(!item);
    }
};

QTEST_MAIN(TestPlugin)
#include "tst_plugin.moc"
