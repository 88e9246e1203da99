// SPDX-License-Identifier: MIT
// A frame manager filled the way a frame fills it, its item tree shown in a
// tree control, and ways to find the rows the tree built.
#pragma once

#include "hub/FrameManager.h"
#include "platform/tree/TImageSlice.h"
#include "platform/tree/TTree.h"
#include "trees/SelectVirtualManager.h"

#include <selectframe/FrameKeys.h>

#include <QAbstractItemModelTester>
#include <QList>
#include <QPair>
#include <QString>
#include <QTest>

#include <memory>

namespace selectframe::test {

using TValues = QList<QPair<QString, QString>>;

/// Every row node below `parent` (group and item rows, not column cells),
/// in tree order.
inline QList<TVirtualNode> allRows(const TBaseVirtualTree &tree, TVirtualNode parent = {})
{
    QList<TVirtualNode> rows;
    for (TVirtualNode n = tree.store().firstChild(parent ? parent : tree.Root()); n; n = tree.store().nextSibling(n))
        rows << n << allRows(tree, n);
    return rows;
}

/// A frame manager with columns "Name", "Address", "Kind" (widths -1, 150,
/// -1) and its item tree in a tree control, over an image list of a red, a
/// green and a blue 16 x 16 swatch; a model tester watches every build, sort and
/// rebuild from the first install on.
struct TShownTree
{
    TFrameManager Manager;
    TImageList Images;
    TTree Tree;
    QAbstractItemModelTester Tester{Tree.model(), QAbstractItemModelTester::FailureReportingMode::QtTest};

    TShownTree()
    {
        set(keys::OptionColumnNames, QStringLiteral("Name,Address,Kind"));
        set(keys::OptionColumnsWidth, QStringLiteral("-1,150,-1"));
        for (const QRgb color : {0xd03030, 0x209040, 0x3060d0}) {
            QPixmap swatch(16, 16);
            swatch.fill(QColor(color));
            Images.Icons << QIcon(swatch);
        }
        Manager.Images = quintptr(&Images);
        Tree.resize(560, 400);
    }
    void set(const char *key, const QVariant &value) { Manager.Params()->SetValue(QByteArray(key), value); }
    /// A new item with ID `id`, caption "Item <id>", in `group`, with
    /// "column<c>_data" = "<id> c<c>" for columns 1 and 2 and `values`.
    IPtr<IFrameItem> add(const QString &id, const QString &group = {}, const TValues &values = {})
    {
        IPtr<IFrameItem> item;
        Manager.NewItem(item.put());
        item->SetID(id);
        item->SetCaption(QStringLiteral("Item ") + id);
        IPtr<IStringValueList> list;
        item->GetValues(list.put());
        list->SetValue(QString::fromLatin1(keys::ValueGroup), group);
        for (int c = 1; c <= 2; ++c)
            list->SetValue(QStringLiteral("column%1_data").arg(c), QStringLiteral("%1 c%2").arg(id).arg(c));
        for (const auto &[name, value] : values)
            list->SetValue(name, value);
        Manager.AddItem(item.get());
        return item;
    }
    /// Builds the model and installs a new manager over it.
    void build()
    {
        Manager.Rebuild();
        Tree.setVM(std::make_unique<TSelectVirtualManager>(&Manager));
    }
    void showWindow()
    {
        Tree.show();
        QVERIFY(QTest::qWaitForWindowExposed(&Tree));
    }
    TSelectVirtualManager *vm() const { return static_cast<TSelectVirtualManager *>(Tree.getVM()); }
    TSelectVirtualTree &rows() const { return *vm()->Tree; }
    TNodeStore &store() const { return rows().store(); }
    /// The row `i` under `parent`, the root by default.
    TVirtualNode child(int i, TVirtualNode parent = {}) const
    {
        TVirtualNode n = store().firstChild(parent ? parent : rows().Root());
        while (i-- > 0)
            n = store().nextSibling(n);
        return n;
    }
    /// An item row's caption or a group row's name, "-" for none.
    QString name(TVirtualNode n) const
    {
        if (!n)
            return QStringLiteral("-");
        const TBaseFrameObject *object = rows().recordOf(n)->FrameObject;
        QString text;
        if (object->Kind == fokItem)
            static_cast<const TFrameItemObject *>(object)->Item->GetCaption(&text);
        else
            text = static_cast<const TFrameGroupObject *>(object)->Name;
        return text;
    }
    /// The captions the view shows at the top level, or under its row `row`.
    QStringList shown(int row = -1) const
    {
        const QModelIndex parent = row < 0 ? QModelIndex() : Tree.model()->index(row, 0);
        QStringList captions;
        for (int i = 0; i < Tree.model()->rowCount(parent); ++i)
            captions << Tree.model()->index(i, 0, parent).data().toString();
        return captions;
    }
};

} // namespace selectframe::test
