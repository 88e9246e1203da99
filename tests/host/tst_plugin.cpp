// SPDX-License-Identifier: MIT
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
using namespace selectframe::test;

namespace {

void countChange(void *data, ISelectFrame *)
{
    ++*static_cast<int *>(data);
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

    TLoadedPlugin m_plugin;

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

        IPtr<ISelectFrameFactory> a, b;
        m_plugin.create(a.put());
        m_plugin.create(b.put());
        QVERIFY(a && b && a != b); // a new factory each call
        QVERIFY(a.query<IInterface>() == a.query<ISelectFrameFactory>().query<IInterface>());
        QVERIFY(!a.query<ISelectFrame>());
    }

    // Defaults of a fresh frame and its items; its registry stores nothing
    // (the control takes the handlers); Initialize once only.
    void freshFrame()
    {
        IPtr<ISelectFrame> frame = m_plugin.newFrame();
        QCOMPARE(param(frame.get(), keys::OptionRowLimit).toInt(), 30);
        QVERIFY(!param(frame.get(), keys::OptionUi).isValid());
        QCOMPARE(part(frame.get(), &ISelectFrame::GetParams).query<INamedParamsList>()->GetCount(), 31);
        int changes = 0;
        const IPtr<INamedMethods> methods = part(frame.get(), &ISelectFrame::GetMethods);
        for (const char *key : {keys::EventOnChange, "events://unknown"}) {
            methods->SetMethod(key, makeMethod(&countChange, &changes));
            QVERIFY(!methods->GetMethod(key).assigned());
        }
        IPtr<IFrameItem> item;
        frame->NewItem(item.put());
        QString image, group = "x", hint = "x", id = "x";
        const IPtr<IStringValueList> values = part(item.get(), &IFrameItem::GetValues);
        values->GetValue("image", &image);
        values->GetValue("group", &group);
        values->GetValue("hint", &hint);
        item->GetID(&id);
        QCOMPARE((QStringList{image, group, hint, id}), (QStringList{"-1", "", "", ""}));
        QVERIFY(!item.query<IFrameItemEx>()->GetChecked());

        frame->Initialize();
        try {
            frame->Initialize();
            QFAIL("a second Initialize must fail");
        } catch (const EFrameException &e) {
            QCOMPARE(e.message(), QStringLiteral("Frame is already initialized"));
        }
        frame->Reserved();
        QCOMPARE(param(frame.get(), keys::PropertyTotalCount).toInt(), 1);
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
            IPtr<ISelectFrame> frame = m_plugin.newFrame({"kept"}, &window);
            methods = part(frame.get(), &ISelectFrame::GetMethods);
            params = part(frame.get(), &ISelectFrame::GetParams);
            favorites = part(frame.get(), &ISelectFrame::GetFavorites);
            state = part(frame.get(), &ISelectFrame::GetState);
            settings = part(frame.get(), &ISelectFrame::GetSettings);
            frame->NewItem(item.put());
            item->SetID("late");
            control = frame->GetControl();
            window.show();
            frame->Initialize();
            state->Load({"late"});
            QVERIFY(item.query<IFrameItemEx>()->GetChecked());
        }
        QVERIFY(control.isNull());
        QVERIFY(window.findChildren<QWidget *>().isEmpty());
        // The item lost its row: unchecked, and checks and refreshes reach nothing.
        const IPtr<IFrameItemEx> ex = item.query<IFrameItemEx>();
        QVERIFY(!ex->GetNode());
        ex->SetChecked(true);
        ex->Refresh();
        QVERIFY(!ex->GetChecked());
        item->SetCaption("renamed");
        part(item.get(), &IFrameItem::GetValues)->SetValue("group", "elsewhere");
        QString id;
        item->GetID(&id);
        QStringList lines, checked;
        favorites->Load({"A=1,2"});
        favorites->Save(&lines);
        state->Load({"late"});
        state->Save(&checked);
        QVariant rowLimit;
        params->GetValue(keys::OptionRowLimit, &rowLimit);
        QCOMPARE((QVariantList{id, lines, checked, rowLimit, settings->GetShowOnlyChecked()}),
                 (QVariantList{"late", QStringList{"A=1,2"}, QStringList(), 30, false}));
        settings->SetShowOnlyChecked(true);
        // With the frame gone, the registry keeps what it is given.
        int changes = 0;
        methods->SetMethod(keys::EventOnChange, makeMethod(&countChange, &changes));
        QVERIFY(methods->GetMethod(keys::EventOnChange).assigned());
    }

    // The change event comes from inside the control's check-all pass, which
    // has work left after it: the control must outlive that, and its further
    // events reach no handler.
    void releasedFromItsOwnHandler()
    {
        QWidget window;
        TDroppingHost host;
        host.frame = m_plugin.newFrame({"a"}, &window);
        part(host.frame.get(), &ISelectFrame::GetMethods)
            ->SetMethod(keys::EventOnChange, makeMethod(&TDroppingHost::onChange, &host));
        QPointer<QWidget> control = host.frame->GetControl();
        window.show();
        host.frame->Initialize();
        auto *checkAll = control->findChild<QAction *>(QStringLiteral("acCheckAll"));
        QVERIFY(checkAll);
        checkAll->trigger();
        QCOMPARE(host.changes, 1);
        QVERIFY(!host.frame);
        QVERIFY(!control.isNull() && control->isHidden());
        control->findChild<QAction *>(QStringLiteral("acUncheckAll"))->trigger();
        QCOMPARE(host.changes, 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(control.isNull());
    }

    // The host's grouping handler gets the frame, the chosen identifier and
    // every item in its own order; a choice the menu lacks fails Initialize.
    void groupingsReachTheHost()
    {
        IPtr<ISelectFrame> frame = m_plugin.newFrame();
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

        IPtr<ISelectFrame> wrong = m_plugin.newFrame();
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

    // A host window destroyed first takes the control; the frame goes on
    // without one and makes no more items.
    void hostWindowMayGoFirst()
    {
        IPtr<ISelectFrame> frame = m_plugin.newFrame();
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
