// The frame facade's handler slots and forwarders, driven from the control
// side the way the control raises its events.
#include "frame/uSelectFrame.h"
#include "host/SelectFrameFactory.h"

#include <selectframe/FrameKeys.h>

#include <QTest>

using namespace selectframe;

namespace {

struct TSeen
{
    QList<ISelectFrame *> senders;
    QStringList calls;
};

void onChange(void *data, ISelectFrame *sender)
{
    auto *seen = static_cast<TSeen *>(data);
    seen->senders.append(sender);
    seen->calls.append(QStringLiteral("change"));
}

void onItemCompare(void *data, ISelectFrame *sender, IFrameItem *, IFrameItem *, int32_t column, int32_t sortType,
                   int32_t *result)
{
    auto *seen = static_cast<TSeen *>(data);
    seen->senders.append(sender);
    seen->calls.append(QStringLiteral("compare %1 %2 %3").arg(column).arg(sortType).arg(*result));
    *result = -*result;
}

void onFavAction(void *data, ISelectFrame *sender, int32_t action, const QVariant &value)
{
    auto *seen = static_cast<TSeen *>(data);
    seen->senders.append(sender);
    seen->calls.append(QStringLiteral("fav %1 %2").arg(action).arg(value.toString()));
}

void throwingChange(void *, ISelectFrame *)
{
    throw std::runtime_error("host handler failed");
}

struct TFixture
{
    IPtr<ISelectFrame> frame;
    IPtr<INamedMethods> methods;
    TSelectFrameControl *control;

    TFixture()
    {
        IPtr<ISelectFrameFactory> factory(new TSelectFrameFactory);
        factory->CreateFrame(frame.put());
        frame->GetMethods(methods.put());
        control = static_cast<TSelectFrameControl *>(frame->GetControl());
    }
};

} // namespace

class TestSelectFrame : public QObject
{
    Q_OBJECT

private slots:
    // Handlers get the frame as sender; another letter case is another key,
    // and an unassigned method clears the slot.
    void handlersGetTheFrameAsSender()
    {
        TFixture f;
        TSeen seen;
        f.methods->SetMethod("EVENTS://ONCHANGE", makeMethod(&onChange, &seen));
        f.control->Changed();
        QVERIFY(seen.calls.isEmpty());
        f.methods->SetMethod(keys::EventOnChange, makeMethod(&onChange, &seen));
        f.methods->SetMethod(keys::EventFavAction, makeMethod(&onFavAction, &seen));
        f.control->Changed();
        f.control->OnFavAction(f.control, 7, QStringLiteral("Work"));
        QCOMPARE(seen.calls, (QStringList{"change", "fav 7 Work"}));
        QCOMPARE(seen.senders, (QList<ISelectFrame *>{f.frame.get(), f.frame.get()}));
        f.methods->SetMethod(keys::EventOnChange, TMethod());
        f.control->Changed();
        QCOMPARE(seen.calls.size(), 2);
    }

    void varResultPassesThrough()
    {
        TFixture f;
        TSeen seen;
        int32_t result = 5;
        // No handler: the control has no event, so its own answer stands
        // and it may sort by keys.
        QVERIFY(!f.control->OnItemCompare());
        f.methods->SetMethod(keys::EventItemCompare, makeMethod(&onItemCompare, &seen));
        f.control->OnItemCompare()(f.control, nullptr, nullptr, 2, 1, result);
        QCOMPARE(seen.calls, QStringList{"compare 2 1 5"});
        QCOMPARE(result, -5);
        f.methods->SetMethod(keys::EventItemCompare, TMethod());
        QVERIFY(!f.control->OnItemCompare());
    }

    // A host handler's exception reaches whoever raised the event, and the
    // frame's own reference is released on the way (the sanitizer build
    // would report the leak).
    void handlerExceptionPropagates()
    {
        TFixture f;
        f.methods->SetMethod(keys::EventOnChange, makeMethod(&throwingChange));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, f.control->Changed());
    }
};

QTEST_MAIN(TestSelectFrame)
#include "tst_selectframe.moc"
