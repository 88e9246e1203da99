#include "host/NamedMethods.h"
#include "host/NamedParams.h"

#include <QTest>
#include <QThread>

#include <atomic>
#include <memory>
#include <vector>

using namespace selectframe;

namespace {

/// What a write hook saw, and what it does: veto names in `vetoed`, scale
/// integer values by `factor`.
struct TParamsHookProbe
{
    QByteArrayList vetoed;
    int factor = 1;
    std::atomic<int> inside{0};
    std::atomic<int> overlaps{0};
    std::atomic<int> calls{0};
};

void paramsHook(void *data, const QByteArray &name, QVariant *value, bool *accept)
{
    auto *probe = static_cast<TParamsHookProbe *>(data);
    if (probe->inside.fetch_add(1) != 0)
        ++probe->overlaps;
    ++probe->calls;
    if (probe->vetoed.contains(name))
        *accept = false;
    else if (probe->factor != 1 && value->typeId() == QMetaType::Int)
        *value = value->toInt() * probe->factor;
    probe->inside.fetch_sub(1);
}

/// What a registration hook saw, and what it does.
struct TMethodsHookProbe
{
    QByteArrayList names;
    bool accept = true;
    TMethod replacement;
    bool replace = false;
};

void methodsHook(void *data, const QByteArray &name, TMethod *method, bool *accept)
{
    auto *probe = static_cast<TMethodsHookProbe *>(data);
    probe->names.append(name);
    if (probe->replace)
        *method = probe->replacement;
    *accept = probe->accept;
}

void handlerA(void *) {}
void handlerB(void *) {}

IPtr<INamedParams> newParams()
{
    return IPtr<INamedParams>(new TNamedParams);
}

IPtr<INamedMethods> newMethods()
{
    return IPtr<INamedMethods>(new TNamedMethods);
}

QVariant valueOf(const IPtr<INamedParams> &params, const QByteArray &name)
{
    QVariant value;
    params->GetValue(name, &value);
    return value;
}

QByteArray nameAt(const IPtr<INamedParamsList> &list, int32_t index)
{
    QByteArray name = "unchanged";
    list->GetName(index, &name);
    return name;
}

QVariant valueAt(const IPtr<INamedParamsList> &list, int32_t index)
{
    QVariant value = QStringLiteral("unchanged");
    list->GetValueAt(index, &value);
    return value;
}

} // namespace

class TestNamedParams : public QObject
{
    Q_OBJECT

private slots:
    void emptyBagYieldsNothing()
    {
        const IPtr<INamedParams> params = newParams();
        const auto list = params.query<INamedParamsList>();
        QCOMPARE(list->GetCount(), 0);
        QVERIFY(!valueOf(params, "option://x").isValid());
        QVERIFY(!params->Exists("option://x"));
        QCOMPARE(nameAt(list, 0), QByteArray());
        QVERIFY(!valueAt(list, 0).isValid());
        QCOMPARE(params.query<INamedParamsNotify>()->GetHook(), TMethod());
    }

    void setValueStoresAndReplaces()
    {
        const IPtr<INamedParams> params = newParams();
        const auto list = params.query<INamedParamsList>();
        params->SetValue("option://a", 1);
        params->SetValue("option://b", QStringLiteral("text"));
        params->SetValue("option://a", 2);
        QCOMPARE(list->GetCount(), 2);
        QCOMPARE(valueOf(params, "option://a"), QVariant(2));
        QCOMPARE(valueOf(params, "option://b"), QVariant(QStringLiteral("text")));
        QVERIFY(params->Exists("option://a"));
        // Keys are exact: no case folding.
        QVERIFY(!params->Exists("OPTION://A"));
        // An invalid variant is a value like any other.
        params->SetValue("option://a", QVariant());
        QVERIFY(params->Exists("option://a"));
        QCOMPARE(list->GetCount(), 2);
    }

    void emptyNameIsIgnoredWithoutCallingTheHook()
    {
        const IPtr<INamedParams> params = newParams();
        TParamsHookProbe probe;
        params.query<INamedParamsNotify>()->SetHook(makeMethod(&paramsHook, &probe));
        params->SetValue(QByteArray(), 1);
        params->SetValue("", 1);
        QCOMPARE(probe.calls.load(), 0);
        QCOMPARE(params.query<INamedParamsList>()->GetCount(), 0);
        QVERIFY(!params->Exists(""));
    }

    void keysEnumerateInKeyOrder()
    {
        const IPtr<INamedParams> params = newParams();
        const auto list = params.query<INamedParamsList>();
        const QByteArrayList inserted{"property://total.count", "option://b", "Option://z", "option://a", "option://a.b"};
        for (int i = 0; i < inserted.size(); ++i)
            params->SetValue(inserted[i], i);
        QByteArrayList sorted = inserted;
        std::sort(sorted.begin(), sorted.end());
        QCOMPARE(list->GetCount(), int32_t(sorted.size()));
        for (int i = 0; i < sorted.size(); ++i) {
            QCOMPARE(nameAt(list, i), sorted[i]);
            QCOMPARE(valueAt(list, i), QVariant(int(inserted.indexOf(sorted[i]))));
        }
    }

    void indexOutOfRangeYieldsEmpty_data()
    {
        QTest::addColumn<int32_t>("index");
        QTest::newRow("at count") << int32_t(2);
        QTest::newRow("past count") << int32_t(3);
        QTest::newRow("huge") << int32_t(INT32_MAX);
        QTest::newRow("negative") << int32_t(-1);
    }
    void indexOutOfRangeYieldsEmpty()
    {
        QFETCH(int32_t, index);
        const IPtr<INamedParams> params = newParams();
        params->SetValue("a", 1);
        params->SetValue("b", 2);
        const auto list = params.query<INamedParamsList>();
        QCOMPARE(nameAt(list, index), QByteArray());
        QVERIFY(!valueAt(list, index).isValid());
    }

    void hookVetoesAndChangesWrites()
    {
        const IPtr<INamedParams> params = newParams();
        params->SetValue("option://kept", 5);
        TParamsHookProbe probe;
        probe.vetoed = {"option://kept", "option://new"};
        probe.factor = 10;
        const TMethod hook = makeMethod(&paramsHook, &probe);
        const auto notify = params.query<INamedParamsNotify>();
        notify->SetHook(hook);
        QCOMPARE(notify->GetHook(), hook);

        params->SetValue("option://kept", 6);
        params->SetValue("option://new", 7);
        params->SetValue("option://scaled", 3);
        params->SetValue("option://text", QStringLiteral("3"));

        QCOMPARE(probe.calls.load(), 4);
        QCOMPARE(valueOf(params, "option://kept"), QVariant(5));
        QVERIFY(!params->Exists("option://new"));
        QCOMPARE(valueOf(params, "option://scaled"), QVariant(30));
        QCOMPARE(valueOf(params, "option://text"), QVariant(QStringLiteral("3")));

        notify->SetHook(TMethod());
        params->SetValue("option://new", 7);
        QCOMPARE(probe.calls.load(), 4);
        QCOMPARE(valueOf(params, "option://new"), QVariant(7));
    }

    void concurrentReadersAndWriters()
    {
        const IPtr<INamedParams> params = newParams();
        const auto list = params.query<INamedParamsList>();
        TParamsHookProbe probe;
        params.query<INamedParamsNotify>()->SetHook(makeMethod(&paramsHook, &probe));

        constexpr int writers = 2;
        constexpr int keysPerWriter = 1500;
        std::atomic<bool> writing{true};
        std::atomic<int> badReads{0};
        const auto key = [](int writer, int i) { return QByteArray("w") + QByteArray::number(writer) + '/' + QByteArray::number(i); };

        std::vector<std::unique_ptr<QThread>> threads;
        for (int w = 0; w < writers; ++w)
            threads.emplace_back(QThread::create([&, w] {
                for (int i = 0; i < keysPerWriter; ++i)
                    params->SetValue(key(w, i), i);
            }));
        for (int r = 0; r < 2; ++r)
            threads.emplace_back(QThread::create([&, r] {
                int i = 0;
                while (writing.load()) {
                    const QVariant value = valueOf(params, key(r, i % keysPerWriter));
                    if (value.isValid() && value.toInt() != i % keysPerWriter)
                        ++badReads;
                    const int32_t count = list->GetCount();
                    if (count > 0 && nameAt(list, (i * 7) % count).isEmpty())
                        ++badReads;
                    ++i;
                }
            }));
        for (auto &thread : threads)
            thread->start();
        for (int w = 0; w < writers; ++w)
            QVERIFY(threads[w]->wait(60000));
        writing = false;
        for (auto &thread : threads)
            QVERIFY(thread->wait(60000));

        QCOMPARE(badReads.load(), 0);
        QCOMPARE(probe.overlaps.load(), 0);
        QCOMPARE(probe.calls.load(), writers * keysPerWriter);
        QCOMPARE(list->GetCount(), int32_t(writers * keysPerWriter));
        for (int w = 0; w < writers; ++w)
            for (int i = 0; i < keysPerWriter; i += 97)
                QCOMPARE(valueOf(params, key(w, i)), QVariant(i));
    }

    void methodsStoreReplaceAndRemove()
    {
        const IPtr<INamedMethods> methods = newMethods();
        int boundA = 0;
        int boundB = 0;
        QCOMPARE(methods->GetMethod("events://onchange"), TMethod());

        const TMethod a = makeMethod(&handlerA, &boundA);
        const TMethod b = makeMethod(&handlerB, &boundB);
        methods->SetMethod("events://onchange", a);
        QCOMPARE(methods->GetMethod("events://onchange"), a);
        QCOMPARE(methods->GetMethod("events://OnChange"), TMethod());
        methods->SetMethod("events://onchange", b);
        QCOMPARE(methods->GetMethod("events://onchange"), b);

        // Unassigned means no code, whatever the data word holds.
        const TMethod unassigned{nullptr, &boundA};
        methods->SetMethod("events://absent", unassigned);
        QCOMPARE(methods->GetMethod("events://absent"), TMethod());
        methods->SetMethod("events://onchange", unassigned);
        QCOMPARE(methods->GetMethod("events://onchange"), TMethod());
        // Once removed, a new registration stores again.
        methods->SetMethod("events://onchange", a);
        QCOMPARE(methods->GetMethod("events://onchange"), a);
    }

    void vetoingHookKeepsTheRegistryUnchanged()
    {
        const IPtr<INamedMethods> methods = newMethods();
        int bound = 0;
        const TMethod a = makeMethod(&handlerA, &bound);
        methods->SetMethod("events://kept", a);

        TMethodsHookProbe probe;
        probe.accept = false;
        const TMethod hook = makeMethod(&methodsHook, &probe);
        const auto notify = methods.query<INamedMethodsNotify>();
        notify->SetHook(hook);
        QCOMPARE(notify->GetHook(), hook);

        methods->SetMethod("events://new", a);
        methods->SetMethod("events://kept", TMethod());
        methods->SetMethod("events://kept", makeMethod(&handlerB));
        QCOMPARE(probe.names, (QByteArrayList{"events://new", "events://kept", "events://kept"}));
        QCOMPARE(methods->GetMethod("events://new"), TMethod());
        QCOMPARE(methods->GetMethod("events://kept"), a);
    }

    void hookMayReplaceTheMethod()
    {
        const IPtr<INamedMethods> methods = newMethods();
        TMethodsHookProbe probe;
        probe.replace = true;
        probe.replacement = makeMethod(&handlerB);
        methods.query<INamedMethodsNotify>()->SetHook(makeMethod(&methodsHook, &probe));

        methods->SetMethod("events://x", makeMethod(&handlerA));
        QCOMPARE(methods->GetMethod("events://x"), makeMethod(&handlerB));
        // Turned into an unassigned method, a registration removes instead.
        probe.replacement = TMethod();
        methods->SetMethod("events://x", makeMethod(&handlerA));
        QCOMPARE(methods->GetMethod("events://x"), TMethod());
    }
};

QTEST_GUILESS_MAIN(TestNamedParams)
#include "tst_namedparams.moc"
