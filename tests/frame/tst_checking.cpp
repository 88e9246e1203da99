// Checking rows in the frame control, driven through the tree's check boxes,
// the Space key, the bottom bar's actions and the frame manager's bulk
// passes.
#include "frame/uSelectFrame.h"
#include "host/FrameManager.h"
#include "host/SelectFrameFactory.h"
#include "intf/FrameConsts.h"
#include "model/FrameObjects.h"
#include "platform/SlicePoint.h"
#include "platform/tree/TSlices.h"
#include "platform/tree/TTree.h"
#include "trees/SelectVirtualManager.h"

#include <selectframe/FrameKeys.h>

#include <QAction>
#include <QLabel>
#include <QTest>

#include <map>

using namespace selectframe;
using selectframe::test::slicePoint;

namespace {

using TValues = std::map<QString, QString>;

/// A shown control over items given by ID, group and values, with its
/// OnChange counted.
struct TFrameFixture
{
    TSelectFrameControl control;
    TTree *tree = control.findChild<TTree *>(QStringLiteral("SelectTree"));
    int changes = 0;
    QList<IFrameItem *> clicked;

    TFrameFixture()
    {
        WriteOptionDefaults(control.GetManager()->Params());
        setOption(keys::OptionGroupsExpanded, true);
        control.SetOnChange([this](QObject *) { ++changes; });
        control.SetOnActionClick([this](QObject *, IFrameItem *item) { clicked.append(item); });
    }

    void setOption(const char *key, const QVariant &value)
    {
        control.GetManager()->Params()->SetValue(QByteArray(key), value);
    }

    void add(const QString &id, const QString &group = QString(), const TValues &values = {})
    {
        IPtr<IFrameItem> item;
        control.NewItem(item.put());
        item->SetID(id);
        item->SetCaption(id);
        IPtr<IStringValueList> list;
        item->GetValues(list.put());
        list->SetValue(QString::fromLatin1(keys::ValueGroup), group);
        for (const auto &[name, value] : values)
            list->SetValue(name, value);
    }

    /// Group G holding a and b, and the loose item c.
    void addGroupAndLoose()
    {
        add("a", "G");
        add("b", "G");
        add("c");
        show();
    }

    void show()
    {
        control.Initialize();
        control.resize(600, 400);
        control.show();
        QVERIFY(QTest::qWaitForWindowExposed(&control));
    }

    IVmManager *vm() const { return tree->getVM(); }
    TSelectVirtualTree &rows() const { return *static_cast<TSelectVirtualManager *>(vm())->Tree; }

    /// The row of the item or group named `name`.
    TVirtualNode at(const QString &name) const { return find(vm()->getRoot(), name); }
    TVirtualNode find(TVirtualNode parent, const QString &name) const
    {
        for (TVirtualNode node = vm()->getFirstChild(parent); node; node = vm()->getNextSibling(node)) {
            const TBaseFrameObject *object = rows().recordOf(node)->FrameObject;
            QString caption;
            if (object->Kind == fokItem)
                static_cast<const TFrameItemObject *>(object)->Item->GetCaption(&caption);
            else
                caption = static_cast<const TFrameGroupObject *>(object)->Name;
            if (caption == name)
                return node;
            if (const TVirtualNode found = find(node, name))
                return found;
        }
        return TVirtualNode();
    }

    /// The states of the rows G, a, b and c, in that order.
    QList<int> states() const { return {state("G"), state("a"), state("b"), state("c")}; }
    int state(const QString &path) const { return rows().recordOf(at(path))->FrameObject->State; }
    TSlice *link(const QString &path) const { return rows().slicesOf(at(path))->GetSlice(3); }

    void clickSlice(const QString &path, int slice)
    {
        QVERIFY(at(path));
        const QPoint point = slicePoint(*tree, at(path), 0, slice);
        QVERIFY(!point.isNull());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, point);
    }
    void clickCheck(const QString &path) { clickSlice(path, 0); }

    void hide(const QString &path)
    {
        tree->SetNodeState(at(path), tree->GetNodeState(at(path)) | nsHidden);
    }

    QString checkedCaption() const
    {
        return control.findChild<QLabel *>(QStringLiteral("lbCheckedCount"))->text();
    }
    int publishedCount() const
    {
        QVariant value;
        control.GetManager()->Params()->GetValue(QByteArray(keys::PropertyCheckedCount), &value);
        return value.toInt();
    }
    void trigger(const char *action)
    {
        control.findChild<QAction *>(QString::fromLatin1(action))->trigger();
    }
};

// Host handlers of the frame facade, recording the event order.
void onChange(void *data, ISelectFrame *)
{
    static_cast<QStringList *>(data)->append(QStringLiteral("onchange"));
}

void onItemQuery(void *data, ISelectFrame *, IFrameItem *item, const QString &favorite)
{
    QString id;
    item->GetID(&id);
    static_cast<QStringList *>(data)->append(QStringLiteral("query %1 '%2'").arg(id, favorite));
}

} // namespace

class TestChecking : public QObject
{
    Q_OBJECT

private slots:
    void groupClickCascadesAndParentsFollow()
    {
        TFrameFixture f;
        f.addGroupAndLoose();
        QCOMPARE(f.state("a"), fcsUnchecked);

        f.clickCheck("G");
        QCOMPARE(f.states(), (QList<int>{1, 1, 1, 0}));
        QCOMPARE(f.changes, 1);
        QCOMPARE(f.checkedCaption(), QStringLiteral("Checked: 2"));
        QCOMPARE(f.publishedCount(), 2);

        f.clickCheck("b");
        QCOMPARE(f.state("G"), fcsMixed);
        QCOMPARE(f.checkedCaption(), QStringLiteral("Checked: 1"));

        // A mixed group unchecks all its items.
        f.clickCheck("G");
        QCOMPARE(f.state("G"), fcsUnchecked);
        QCOMPARE(f.state("a"), fcsUnchecked);
        QCOMPARE(f.checkedCaption(), QStringLiteral("Checked: 0"));

        // Checking the items one by one: mixed, then checked.
        f.clickCheck("a");
        QCOMPARE(f.state("G"), fcsMixed);
        f.clickCheck("b");
        QCOMPARE(f.state("G"), fcsChecked);
        QCOMPARE(f.changes, 5);

        // Space on the focused row toggles it too.
        f.tree->setFocus();
        f.tree->SetNodeFocused(f.at("c"));
        QTest::keyClick(f.tree->viewport(), Qt::Key_Space);
        QCOMPARE(f.state("c"), fcsChecked);
        QCOMPARE(f.publishedCount(), 3);
        QCOMPARE(f.changes, 6);
    }

    void hiddenRowsKeepTheirStates()
    {
        TFrameFixture f;
        f.addGroupAndLoose();
        f.hide("b");
        f.clickCheck("G");
        QCOMPARE(f.state("G"), fcsChecked);
        QCOMPARE(f.state("a"), fcsChecked);
        QCOMPARE(f.state("b"), fcsUnchecked);

        f.hide("c");
        f.trigger("acCheckAll");
        QCOMPARE(f.state("c"), fcsUnchecked);
        QCOMPARE(f.checkedCaption(), QStringLiteral("Checked: 1"));
    }

    void checkAllAndUncheckAllReportOnlyChanges()
    {
        TFrameFixture f;
        f.add("a", "G");
        f.add("c");
        f.show();
        f.trigger("acUncheckAll");
        QCOMPARE(f.changes, 0);
        f.trigger("acCheckAll");
        QCOMPARE(f.changes, 1);
        QCOMPARE(f.state("G"), fcsChecked);
        QCOMPARE(f.state("a"), fcsChecked);
        QCOMPARE(f.state("c"), fcsChecked);
        QCOMPARE(f.checkedCaption(), QStringLiteral("Checked: 2"));
        f.trigger("acCheckAll");
        QCOMPARE(f.changes, 1);
        f.trigger("acUncheckAll");
        QCOMPARE(f.changes, 2);
        QCOMPARE(f.state("G"), fcsUnchecked);
        QCOMPARE(f.publishedCount(), 0);
        f.trigger("acUncheckAll");
        QCOMPARE(f.changes, 2);
    }

    void singleChoiceMode()
    {
        TFrameFixture f;
        f.setOption(keys::OptionSelectMode, int(fsmOnlyOne));
        f.addGroupAndLoose();
        f.clickCheck("c");
        QCOMPARE(f.state("c"), fcsChecked);
        QCOMPARE(f.changes, 1);

        f.clickCheck("b");
        QCOMPARE(f.states(), (QList<int>{0, 0, 1, 0}));
        QCOMPARE(f.changes, 2);

        // The chosen row cannot be unchosen.
        f.clickCheck("b");
        QCOMPARE(f.state("b"), fcsChecked);
        QCOMPARE(f.changes, 2);
        QCOMPARE(f.control.GetManager()->Model()->CheckedCount(), 1);
    }

    void actionLinkFollowsStateAndError()
    {
        TFrameFixture f;
        f.add("a", QString(), {{"c_action_link", "Open"}});
        f.show();
        QCOMPARE(f.link("a")->Style, getStyle("text"));

        f.clickCheck("a");
        QCOMPARE(f.link("a")->Style, getStyle("link"));
        QCOMPARE(f.link("a")->Cursor, Qt::PointingHandCursor);

        // The host sets an error and asks the item to refresh its row.
        IPtr<IFrameItem> item(static_cast<TFrameItemObject *>(f.rows().recordOf(f.at("a"))->FrameObject)->Item);
        IPtr<IStringValueList> values;
        item->GetValues(values.put());
        values->SetValue(QString::fromLatin1(keys::ValueActionLinkError), QStringLiteral("failed"));
        IPtr<IFrameItemEx> ex;
        item->QueryInterface(IFrameItemEx::iid, reinterpret_cast<void **>(ex.put()));
        QVERIFY(ex);
        ex->Refresh();
        QCOMPARE(f.link("a")->Style, getStyle("red"));

        f.clickCheck("a");
        QCOMPARE(f.link("a")->Style, getStyle("gray_text"));
        QCOMPARE(f.link("a")->Cursor, Qt::ArrowCursor);
    }

    void linkClickOnlyOnCheckedItems()
    {
        TFrameFixture f;
        f.add("a", QString(), {{"c_action_link", "Open"}});
        f.show();
        f.clickSlice("a", 3);
        QVERIFY(f.clicked.isEmpty());
        f.clickCheck("a");
        f.clickSlice("a", 2);
        QVERIFY(f.clicked.isEmpty());
        f.clickSlice("a", 3);
        QCOMPARE(f.clicked.size(), 1);
        QCOMPARE(f.state("a"), fcsChecked);
    }

    void facadeEventsInOrder()
    {
        IPtr<ISelectFrame> frame;
        IPtr<ISelectFrameFactory>(new TSelectFrameFactory)->CreateFrame(frame.put());
        IPtr<INamedMethods> methods;
        frame->GetMethods(methods.put());
        for (const char *id : {"a", "b", "c"}) {
            IPtr<IFrameItem> item;
            frame->NewItem(item.put());
            item->SetID(QString::fromLatin1(id));
            item->SetCaption(QString::fromLatin1(id));
        }
        frame->Initialize();
        QStringList events;
        methods->SetMethod(keys::EventOnChange, makeMethod(&onChange, &events));
        methods->SetMethod(keys::EventItemQuery, makeMethod(&onItemQuery, &events));

        IPtr<IDataStorage> state;
        frame->GetState(state.put());
        state->Load(QStringList{QStringLiteral("b")});
        QCOMPARE(events, (QStringList{"query a ''", "query b ''", "query c ''", "onchange"}));

        events.clear();
        auto *control = static_cast<TSelectFrameControl *>(frame->GetControl());
        control->findChild<QAction *>(QStringLiteral("acCheckAll"))->trigger();
        control->findChild<QAction *>(QStringLiteral("acCheckAll"))->trigger();
        QCOMPARE(events, QStringList{"onchange"});
    }
};

QTEST_MAIN(TestChecking)
#include "tst_checking.moc"
