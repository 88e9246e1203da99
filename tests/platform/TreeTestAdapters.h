// SPDX-License-Identifier: MIT
// A small manager and adapters over an in-memory list of rows, for the tree
// control's tests.
#pragma once

#include "platform/tree/TBaseVirtualManager.h"
#include "platform/tree/TBaseVirtualTree.h"
#include "platform/tree/TCheckSlice.h"
#include "platform/tree/TImageSlice.h"
#include "platform/tree/TSlicesFactory.h"
#include "platform/tree/TStringSlice.h"

#include <QList>
#include <QString>

#include <deque>
#include <memory>

namespace selectframe::test {

/// One row of the test data: a group or an item with three column texts.
struct TTestRow
{
    QString Caption;
    QString Col1;
    QString Col2;
    uint8_t Check = 0;
    int Image = -1;
    QString Link;
    QList<TTestRow> Children;
};

/// What a node shows: its row and the cell's column.
struct TTestRecord
{
    TTestRow *Row;
    int Column;
};

/// Row adapter: column 0 shows check box, image, caption and action link;
/// columns 1 and 2 one text each.
class TTestTree : public TBaseVirtualTree
{
public:
    const TImageList *Images = nullptr;
    bool ExpandGroups = false;
    int InitCount = 0;
    std::deque<TTestRecord> Records;

    void build(QList<TTestRow> &rows)
    {
        clear();
        Records.clear();
        for (TTestRow &row : rows)
            addRow(Root(), row);
    }
    TVirtualNode addRow(TVirtualNode parent, TTestRow &row)
    {
        const TVirtualNode node = New(&Records.emplace_back(TTestRecord{&row, 0}), 0);
        add(parent, node, ltLastChild);
        for (int c = 1; c < 3; ++c)
            add(node, New(&Records.emplace_back(TTestRecord{&row, c}), 0), ltNextCell);
        for (TTestRow &child : row.Children)
            addRow(node, child);
        return node;
    }
    static TTestRecord *record(void *data) { return static_cast<TTestRecord *>(data); }
    TTestRow *rowOf(TVirtualNode node) const { return record(getData(node))->Row; }

    void InitSlices(TVirtualNode node, TSlices *slices) override
    {
        ++InitCount;
        const TSlicesFactory &f = SlicesFactory();
        if (record(getData(node))->Column == 0)
            slices->Add({f.create("check"), f.create("image"), f.create("string"), f.create("string")});
        else
            slices->Add({f.create("string")});
    }
    void FillSlices(TVirtualNode node, TSlices *slices) override
    {
        const TTestRecord *r = record(getData(node));
        if (r->Column != 0) {
            sliceAs<TStringSlice>(slices->GetSlice(0))->Text = r->Column == 1 ? r->Row->Col1 : r->Row->Col2;
            return;
        }
        auto *check = sliceAs<TCheckSlice>(slices->GetSlice(0));
        check->Shown = true;
        check->Value = r->Row->Check;
        auto *image = sliceAs<TImageSlice>(slices->GetSlice(1));
        image->Images = r->Row->Children.isEmpty() ? Images : nullptr;
        image->ImageIndex = r->Row->Image;
        auto *caption = sliceAs<TStringSlice>(slices->GetSlice(2));
        caption->Layout1 = slFill;
        caption->Text = r->Row->Caption;
        if (!r->Row->Children.isEmpty())
            caption->Style = getStyle("bold");
        auto *link = sliceAs<TStringSlice>(slices->GetSlice(3));
        link->Flag1 = 1;
        link->Flag2 = 2;
        link->Text = r->Row->Link;
    }
    void FillStateInfo(TVirtualNode, uint32_t *state, int32_t *, int32_t *, int32_t *) override
    {
        if (ExpandGroups)
            *state |= nsExpanded;
    }
};

/// Header adapter: three columns; the first and the last without a width.
class TTestColumns : public TBaseVirtualTree
{
public:
    QList<QString> Captions{"Name", "Address", "Kind"};
    QList<int> Widths{-1, 150, -1};

    TTestColumns()
    {
        for (qsizetype i = 0; i < Captions.size(); ++i)
            add(Root(), New(reinterpret_cast<void *>(quintptr(i)), 0), ltNextCell);
    }
    void InitSlices(TVirtualNode, TSlices *slices) override { slices->Add({SlicesFactory().create("string")}); }
    void FillSlices(TVirtualNode node, TSlices *slices) override
    {
        sliceAs<TStringSlice>(slices->GetSlice(0))->Text = Captions[qsizetype(quintptr(getData(node)))];
    }
    void FillStateInfo(TVirtualNode node, uint32_t *state, int32_t *first, int32_t *, int32_t *third) override
    {
        const int w = Widths[qsizetype(quintptr(getData(node)))];
        if (w < 0) {
            *state |= 8;
            return;
        }
        *first = w;
        *third = 0;
    }
};

/// Manager over a list of rows it keeps.
class TTestManager : public TBaseVirtualManager
{
public:
    QList<TTestRow> Rows;
    std::shared_ptr<TTestTree> Tree = std::make_shared<TTestTree>();
    std::shared_ptr<TTestColumns> Header = std::make_shared<TTestColumns>();

    explicit TTestManager(QList<TTestRow> rows) : Rows(std::move(rows)) { setAdapters(Tree, Header); }
    void Initialize() override
    {
        TBaseVirtualManager::Initialize();
        Tree->build(Rows);
        updateTree(0);
    }
};

/// `groups` groups named "Group g" with `items` items each ("Item g.i"),
/// plus `loose` top-level items.
inline QList<TTestRow> makeRows(int groups, int items, int loose = 0)
{
    QList<TTestRow> rows;
    for (int i = 0; i < loose; ++i)
        rows.append(TTestRow{QStringLiteral("Loose %1").arg(i), {}, {}, 0, -1, {}, {}});
    for (int g = 0; g < groups; ++g) {
        TTestRow group{QStringLiteral("Group %1").arg(g), {}, {}, 0, -1, {}, {}};
        for (int i = 0; i < items; ++i)
            group.Children.append(TTestRow{QStringLiteral("Item %1.%2").arg(g).arg(i),
                                           QStringLiteral("e%1.example").arg(i),
                                           QStringLiteral("Kind %1").arg(i % 3),
                                           uint8_t(i % 2),
                                           i % 3 - 1,
                                           i % 2 ? QStringLiteral("Action") : QString(),
                                           {}});
        rows.append(group);
    }
    return rows;
}

} // namespace selectframe::test
