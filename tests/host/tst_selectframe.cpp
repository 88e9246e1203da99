// SPDX-License-Identifier: MIT
// The frame facade's handler slots and forwarders, driven from the control
// side the way the control raises its events.
#include "frame/uSelectFrame.h"
#include "host/SelectFrameFactory.h"

#include <selectframe/FrameKeys.h>

#include <QTest>

using namespace selectframe;

class TestSelectFrame : public QObject
{
    Q_OBJECT

    /// What the handlers saw, "sender: call" per event; the sender is the
    /// frame when it is `frame`.
    static inline QStringList seen;
    static inline ISelectFrame *frame = nullptr;

    static QString from(ISelectFrame *sender) { return QString(sender == frame ? "frame: " : "other: "); }
    static void onChange(void *, ISelectFrame *sender) { seen << from(sender) + "change"; }
    static void onItemCompare(void *, ISelectFrame *sender, IFrameItem *, IFrameItem *, int32_t column,
                              int32_t sortType, int32_t *result)
    {
        seen << from(sender) + QStringLiteral("compare %1 %2 %3").arg(column).arg(sortType).arg(*result);
        *result = -*result;
    }
    static void onFavAction(void *, ISelectFrame *sender, int32_t action, const QVariant &value)
    {
        seen << from(sender) + QStringLiteral("fav %1 %2").arg(action).arg(value.toString());
        throw std::runtime_error("host handler failed");
    }

private slots:
    // Handlers get the frame as sender; another letter case is another key,
    // and an unassigned method clears the slot. Without a compare handler
    // the control has no event, so its own answer stands and it may sort by
    // keys; with one, the handler's result passes through. A handler's
    // exception reaches whoever raised the event, and the frame's own
    // reference is released on the way (the sanitizer build would report
    // the leak).
    void handlersGetTheFrameAsSender()
    {
        IPtr<ISelectFrame> owner;
        IPtr<ISelectFrameFactory>(new TSelectFrameFactory)->CreateFrame(owner.put());
        frame = owner.get();
        IPtr<INamedMethods> methods;
        frame->GetMethods(methods.put());
        auto *control = static_cast<TSelectFrameControl *>(frame->GetControl());
        methods->SetMethod("EVENTS://ONCHANGE", makeMethod(&onChange));
        control->Changed();
        QVERIFY(!control->OnItemCompare());
        methods->SetMethod(keys::EventOnChange, makeMethod(&onChange));
        methods->SetMethod(keys::EventFavAction, makeMethod(&onFavAction));
        methods->SetMethod(keys::EventItemCompare, makeMethod(&onItemCompare));
        control->Changed();
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, control->OnFavAction(control, 7, QStringLiteral("Work")));
        int32_t result = 5;
        control->OnItemCompare()(control, nullptr, nullptr, 2, 1, result);
        QCOMPARE(result, -5);
        methods->SetMethod(keys::EventOnChange, TMethod());
        methods->SetMethod(keys::EventItemCompare, TMethod());
        control->Changed();
        QVERIFY(!control->OnItemCompare());
        QCOMPARE(seen, (QStringList{"frame: change", "frame: fav 7 Work", "frame: compare 2 1 5"}));
    }
};

QTEST_MAIN(TestSelectFrame)
#include "tst_selectframe.moc"
