// SPDX-License-Identifier: MIT
// A shown frame control over a few items, for suites that drive it as a
// user would.
#pragma once

#include "frame/uSelectFrame.h"
#include "hub/FrameManager.h"
#include "intf/FrameConsts.h"
#include "model/FrameObjects.h"
#include "platform/ShownMenu.h"
#include "platform/SlicePoint.h"
#include "platform/tree/TSlices.h"
#include "platform/tree/TTree.h"
#include "trees/SelectVirtualManager.h"

#include <selectframe/FrameKeys.h>

#include <QAction>
#include <QLabel>
#include <QTest>

#include <map>

namespace selectframe::test {

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
            if (caption(node) == name)
                return node;
            if (const TVirtualNode found = find(node, name))
                return found;
        }
        return TVirtualNode();
    }
    /// An item row's caption or a group row's name.
    QString caption(TVirtualNode node) const
    {
        const TBaseFrameObject *object = rows().recordOf(node)->FrameObject;
        QString text;
        if (object->Kind == fokItem)
            static_cast<const TFrameItemObject *>(object)->Item->GetCaption(&text);
        else
            text = static_cast<const TFrameGroupObject *>(object)->Name;
        return text;
    }
    /// The captions of the rows shown, in tree order.
    QStringList visible() const
    {
        QStringList shown;
        collect(vm()->getRoot(), shown);
        return shown;
    }
    void collect(TVirtualNode parent, QStringList &shown) const
    {
        for (TVirtualNode node = vm()->getFirstChild(parent); node; node = vm()->getNextSibling(node)) {
            if (tree->GetNodeState(node) & nsHidden)
                continue;
            shown << caption(node);
            collect(node, shown);
        }
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

    void hide(const QString &path) { tree->SetNodeState(at(path), tree->GetNodeState(at(path)) | nsHidden); }

    QString checkedCaption() const { return control.findChild<QLabel *>(QStringLiteral("lbCheckedCount"))->text(); }
    int publishedCount() const
    {
        QVariant value;
        control.GetManager()->Params()->GetValue(QByteArray(keys::PropertyCheckedCount), &value);
        return value.toInt();
    }
    void trigger(const char *action) { control.findChild<QAction *>(QString::fromLatin1(action))->trigger(); }
};

} // namespace selectframe::test
