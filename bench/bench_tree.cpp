// SPDX-License-Identifier: MIT
// The tree control at a million rows beside the two widgets a Qt developer
// would otherwise pick: QTreeWidget with checkable items, and a
// QStandardItemModel behind a recursively filtering QSortFilterProxyModel
// in a QTreeView. Each contender runs in a process of its own, so its
// memory figure is its own. The peers may run at a smaller size; their
// times are then scaled linearly to ours (which flatters them, as their
// costs grow faster than linearly).
//
// Two of our contenders run: the tree control over adapters that read the
// source rows directly (the platform layer alone), and the select frame's
// item tree over a frame manager with real items (what a frame costs).
//
// Usage: bench_tree [items [peer items]]   (default 1000000 for all)

#include "BenchUtil.h"
#include "ChildRun.h"
#include "PeerTrees.h"

#include "frame/SelectTreeKeyOrder.h"
#include "hub/FrameManager.h"
#include "platform/CommaText.h"
#include "platform/tree/TBaseVirtualManager.h"
#include "platform/tree/TCheckSlice.h"
#include "platform/tree/TImageSlice.h"
#include "platform/tree/TNodeRecord.h"
#include "platform/tree/TSlicesFactory.h"
#include "platform/tree/TStringSlice.h"
#include "platform/tree/TTree.h"
#include "platform/tree/TTreeUpdate.h"
#include "trees/SelectVirtualManager.h"

#include <selectframe/FrameKeys.h>

#include <QApplication>
#include <QPainter>
#include <QScrollBar>

#include <array>
#include <memory>
#include <vector>

using namespace selectframe;
using namespace selectframe::bench;

namespace {

constexpr int kColumns = 5;
constexpr int kGroups = 1000;
constexpr int kPages = 20;

/// One row of the source data, group rows included. Aligned so a cell's
/// column fits in the low bits of its data pointer.
struct alignas(8) TRow
{
    QString Cols[kColumns];
    uint8_t Check = 0;
    int Image = -1;
    bool Group = false;
};

struct TData
{
    std::vector<TRow> Groups;
    std::vector<TRow> Items; // group g holds Items[g * per, (g + 1) * per)
    int PerGroup = 0;
    TImageList Images;
};

TData makeData(int count)
{
    TData d;
    d.PerGroup = count / kGroups;
    d.Groups.resize(kGroups);
    d.Items.resize(size_t(d.PerGroup) * kGroups);
    for (int g = 0; g < kGroups; ++g) {
        d.Groups[g].Cols[0] = QStringLiteral("Group %1").arg(g);
        d.Groups[g].Group = true;
    }
    for (size_t i = 0; i < d.Items.size(); ++i) {
        TRow &r = d.Items[i];
        r.Cols[0] = QStringLiteral("Engine %1").arg(i);
        r.Cols[1] = QStringLiteral("s%1.example").arg((uint32_t(i) * 2654435761u) % 1000003u);
        r.Cols[2] = QStringLiteral("Value %1").arg(i % 10);
        r.Cols[3] = QStringLiteral("Sub %1").arg(i % 7);
        r.Cols[4] = QString::number(i * 7 % 1000);
        r.Check = uint8_t(i % 3 == 0);
        r.Image = int(i % 3) - 1;
    }
    for (QColor c : {QColor(Qt::red), QColor(Qt::darkGreen)}) {
        QPixmap p(16, 16);
        p.fill(c);
        d.Images.Icons.append(QIcon(p));
    }
    return d;
}

bool hiddenInPass(size_t item)
{
    return item % 10 != 0;
}

/// One contender: builds its widget over the data and runs the measured
/// operations.
class TContender
{
public:
    virtual ~TContender() = default;
    /// Makes what the contender shows from; not measured.
    virtual void prepare(TData &) {}
    virtual void build(TData &data) = 0;
    /// Expands every group; not measured.
    virtual void expandGroups() = 0;
    virtual void hideNinetyPercent(bool hide) = 0;
    virtual void sortByText() = 0;
    virtual QTreeView *view() = 0;
};

// ---------------------------------------------------------------- ours

class TBenchRows : public TBaseVirtualTree
{
public:
    static TRow *rowOf(void *data) { return reinterpret_cast<TRow *>(quintptr(data) & ~quintptr(7)); }
    static int columnOf(void *data) { return int(quintptr(data) & 7); }

    const TImageList *Images = nullptr;

    void InitSlices(TVirtualNode node, TSlices *slices) override
    {
        const TSlicesFactory &f = SlicesFactory();
        if (columnOf(getData(node)) == 0)
            slices->Add({f.create("check"), f.create("image"), f.create("string"), f.create("string")});
        else
            slices->Add({f.create("string")});
    }
    void FillSlices(TVirtualNode node, TSlices *slices) override
    {
        const TRow *row = rowOf(getData(node));
        const int column = columnOf(getData(node));
        if (column) {
            static_cast<TStringSlice *>(slices->GetSlice(0))->Text = row->Cols[column];
            return;
        }
        auto *check = static_cast<TCheckSlice *>(slices->GetSlice(0));
        check->Shown = true;
        check->Value = row->Check;
        auto *image = static_cast<TImageSlice *>(slices->GetSlice(1));
        image->Images = row->Group ? nullptr : Images;
        image->ImageIndex = row->Image;
        auto *caption = static_cast<TStringSlice *>(slices->GetSlice(2));
        caption->Layout1 = slFill;
        caption->Style = getStyle(row->Group ? "bold" : "text");
        caption->Text = row->Cols[0];
    }
};

class TBenchColumns : public TBaseVirtualTree
{
public:
    TBenchColumns()
    {
        for (int c = 0; c < kColumns; ++c)
            add(Root(), New(reinterpret_cast<void *>(quintptr(c)), 0), ltNextCell);
    }
    void InitSlices(TVirtualNode, TSlices *slices) override { slices->Add({SlicesFactory().create("string")}); }
    void FillSlices(TVirtualNode node, TSlices *slices) override
    {
        static_cast<TStringSlice *>(slices->GetSlice(0))->Text =
            QStringLiteral("Column %1").arg(quintptr(getData(node)));
    }
    void FillStateInfo(TVirtualNode node, uint32_t *, int32_t *first, int32_t *, int32_t *third) override
    {
        if (quintptr(getData(node)) != 0) {
            *first = 120;
            *third = 0;
        }
    }
};

class TBenchManager : public TBaseVirtualManager
{
public:
    std::shared_ptr<TBenchRows> Rows = std::make_shared<TBenchRows>();
    TData &Data;

    explicit TBenchManager(TData &data) : Data(data)
    {
        Rows->Images = &data.Images;
        setAdapters(Rows, std::make_shared<TBenchColumns>());
    }
    void Initialize() override
    {
        TBaseVirtualManager::Initialize();
        TBenchRows &t = *Rows;
        t.clear();
        const auto addRow = [&t](TVirtualNode parent, TRow &row) {
            const TVirtualNode node = t.New(&row, 0);
            t.add(parent, node, ltLastChild);
            for (quintptr c = 1; c < kColumns; ++c)
                t.add(node, t.New(reinterpret_cast<void *>(quintptr(&row) | c), 0), ltNextCell);
            return node;
        };
        for (int g = 0; g < kGroups; ++g) {
            const TVirtualNode group = addRow(t.Root(), Data.Groups[g]);
            for (int i = 0; i < Data.PerGroup; ++i)
                addRow(group, Data.Items[size_t(g) * Data.PerGroup + i]);
        }
        updateTree(0);
    }
};

/// Our tree control with some manager installed: the operations go
/// through the manager's navigation and the tree's node states.
class TOurTree : public TContender
{
public:
    std::unique_ptr<TTree> Tree;

    void expandGroups() override
    {
        IVmManager *vm = Tree->getVM();
        TTreeUpdate update(*Tree);
        for (TVirtualNode g = vm->getFirstChild(vm->getRoot()); g; g = vm->getNextSibling(g))
            Tree->SetNodeState(g, Tree->GetNodeState(g) | nsExpanded);
    }
    void hideNinetyPercent(bool hide) override
    {
        IVmManager *vm = Tree->getVM();
        TTreeUpdate update(*Tree);
        size_t i = 0;
        for (TVirtualNode g = vm->getFirstChild(vm->getRoot()); g; g = vm->getNextSibling(g))
            for (TVirtualNode n = vm->getFirstChild(g); n; n = vm->getNextSibling(n), ++i) {
                const uint32_t state = Tree->GetNodeState(n);
                Tree->SetNodeState(n, hide && hiddenInPass(i) ? state | nsHidden : state & ~uint32_t(nsHidden));
            }
    }
    void sortByText() override { Tree->Sort(Tree->getVM()->getRoot(), 1, stNatural, true); }
    QTreeView *view() override { return Tree.get(); }

protected:
    void install(std::unique_ptr<IVmManager> vm)
    {
        Tree = std::make_unique<TTree>();
        Tree->resize(900, 700);
        Tree->setVM(std::move(vm));
        Tree->show();
    }
};

/// The tree control over adapters that read the source rows directly: the
/// platform layer's own cost.
class TOurs : public TOurTree
{
public:
    void build(TData &data) override
    {
        auto vm = std::make_unique<TBenchManager>(data);
        TBenchRows *rows = vm->Rows.get();
        install(std::move(vm));
        // The product's convention: text results are cmp(second, first).
        Tree->OnNodeCompare = [rows](TCustomTree *, TVirtualNode a, TVirtualNode b, int column, TSortType) {
            return TBenchRows::rowOf(rows->getData(b))
                ->Cols[column]
                .compare(TBenchRows::rowOf(rows->getData(a))->Cols[column]);
        };
    }
};

/// The select frame's own item tree: a frame manager holding real items,
/// shown by its manager and adapters.
class TSelect : public TOurTree
{
public:
    TFrameManager Frame;

    void prepare(TData &data) override
    {
        QStringList names;
        for (int c = 0; c < kColumns; ++c)
            names.append(QStringLiteral("Column%1").arg(c));
        Frame.Params()->SetValue(keys::OptionColumnNames, joinCommaText(names));
        Frame.Params()->SetValue(keys::OptionColumnsWidth, QStringLiteral("-1,120,120,120,120"));
        Frame.Params()->SetValue(keys::OptionGroupsStyle, QByteArray("bold"));
        Frame.Images = quintptr(&data.Images);
        QString valueKeys[kColumns];
        for (int c = 1; c < kColumns; ++c)
            valueKeys[c] = QStringLiteral("column%1_data").arg(c);
        const QString group = QString::fromLatin1(keys::ValueGroup);
        const QString image = QString::fromLatin1(keys::ValueImage);
        for (size_t i = 0; i < data.Items.size(); ++i) {
            const TRow &r = data.Items[i];
            IPtr<IFrameItem> item;
            Frame.NewItem(item.put());
            item->SetID(QString::number(i));
            item->SetCaption(r.Cols[0]);
            IPtr<IStringValueList> values;
            item->GetValues(values.put());
            values->SetValue(group, data.Groups[i / size_t(data.PerGroup)].Cols[0]);
            values->SetValue(image, QString::number(r.Image));
            for (int c = 1; c < kColumns; ++c)
                values->SetValue(valueKeys[c], r.Cols[c]);
            Frame.AddItem(item.get());
        }
        std::printf("model %.3f\n", timeMs([&] { Frame.Rebuild(); }));
        size_t i = 0;
        for (TFrameItemObject *object : Frame.Model()->Items())
            if (data.Items[i++].Check)
                object->SetState(fcsChecked);
    }
    void build(TData &) override
    {
        install(std::make_unique<TSelectVirtualManager>(&Frame));
        TSelectVirtualTree *rows = static_cast<TSelectVirtualManager *>(Tree->getVM())->Tree.get();
        std::array<QString, kColumns> keys;
        for (int c = 0; c < kColumns; ++c)
            keys[size_t(c)] = QStringLiteral("column%1_data").arg(c);
        // Sorted as the frame sorts without host handlers: by keys read
        // once per row, in the user's locale.
        Tree->OnNodeOrder = [rows, keys](TCustomTree *, const std::vector<TSortKey> &sortKeys) {
            static const TTextCollator collator;
            std::vector<QString> dataKeys;
            for (const TSortKey &key : sortKeys)
                dataKeys.push_back(keys[size_t(key.Column)]);
            return std::make_unique<TSelectTreeKeyOrder>(*rows, sortKeys, std::move(dataKeys), collator);
        };
    }
};

// ---------------------------------------------------------------- peers

/// The source rows as the peers read them.
class TDataRows : public TPeerRows
{
public:
    explicit TDataRows(const TData &data) : Data(data) {}
    int columnCount() const override { return kColumns; }
    int groupCount() const override { return kGroups; }
    QString groupCaption(int group) const override { return Data.Groups[size_t(group)].Cols[0]; }
    int itemCount(int) const override { return Data.PerGroup; }
    QString text(int group, int item, int column) const override { return row(group, item).Cols[column]; }
    bool checked(int group, int item) const override { return row(group, item).Check; }
    const QIcon *icon(int group, int item) const override
    {
        const int image = row(group, item).Image;
        return image >= 0 ? &Data.Images.Icons[image] : nullptr;
    }

private:
    const TRow &row(int group, int item) const { return Data.Items[size_t(group) * Data.PerGroup + item]; }

    const TData &Data;
};

class TWidgetPeer : public TContender
{
public:
    TWidgetPeerTree Peer;

    void build(TData &data) override
    {
        Peer.build(TDataRows(data));
        Peer.Tree->show();
    }
    void expandGroups() override { expandAllGroups(Peer.Tree.get()); }
    void hideNinetyPercent(bool hide) override
    {
        for (size_t i = 0; i < Peer.Items.size(); ++i)
            if (hiddenInPass(i))
                Peer.Items[i]->setHidden(hide);
    }
    void sortByText() override { Peer.Tree->sortItems(1, Qt::AscendingOrder); }
    QTreeView *view() override { return Peer.Tree.get(); }
};

/// Filters on a flag per item, so the figure is the proxy's own cost.
class TFlagFilter : public QSortFilterProxyModel
{
public:
    const std::vector<char> *Hidden = nullptr;
    int PerGroup = 0;

    void refilter() { invalidateFilter(); }

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override
    {
        return !parent.isValid() || !(*Hidden)[size_t(parent.row()) * PerGroup + row];
    }
};

class TProxyPeer : public TContender
{
public:
    TModelPeerTree Peer;
    TFlagFilter *Filter = nullptr;
    std::vector<char> Hidden;

    void build(TData &data) override
    {
        Hidden.assign(data.Items.size(), 0);
        auto filter = std::make_unique<TFlagFilter>();
        Filter = filter.get();
        Filter->Hidden = &Hidden;
        Filter->PerGroup = data.PerGroup;
        Peer.build(TDataRows(data), std::move(filter));
        Peer.Tree->show();
    }
    void expandGroups() override { expandAllGroups(Peer.Tree.get()); }
    void hideNinetyPercent(bool hide) override
    {
        for (size_t i = 0; i < Hidden.size(); ++i)
            Hidden[i] = hide && hiddenInPass(i);
        Filter->refilter();
    }
    void sortByText() override { Filter->sort(1, Qt::AscendingOrder); }
    QTreeView *view() override { return Peer.Tree.get(); }
};

// ---------------------------------------------------------------- driver

/// Runs one contender at `count` items and prints "figure value" lines.
int runContender(const QString &which, int count)
{
    TData data = makeData(count);
    std::unique_ptr<TContender> c;
    if (which == "ours")
        c = std::make_unique<TOurs>();
    else if (which == "select")
        c = std::make_unique<TSelect>();
    else if (which == "widget")
        c = std::make_unique<TWidgetPeer>();
    else
        c = std::make_unique<TProxyPeer>();
    c->prepare(data);
    QApplication::processEvents();
    const qint64 before = residentBytes();
    const double build = timeMs([&] {
        c->build(data);
        paintNow(c->view()->viewport());
    });
    const qint64 after = residentBytes();
    const int items = int(data.Items.size());
    std::printf("items %d\n", items);
    std::printf("build %.3f\n", build);
    std::printf("memory %.1f\n", double(after - before) / items);
    if (which == "ours")
        std::printf("record %d\n", int(sizeof(TNodeRecord)));
    std::fflush(stdout);

    c->expandGroups();
    paintNow(c->view()->viewport());
    std::printf("hide %.3f\n", timeMs([&] {
                    c->hideNinetyPercent(true);
                    paintNow(c->view()->viewport());
                }));
    std::printf("show %.3f\n", timeMs([&] {
                    c->hideNinetyPercent(false);
                    paintNow(c->view()->viewport());
                }));
    std::fflush(stdout);
    std::printf("sort %.3f\n", timeMs([&] {
                    c->sortByText();
                    paintNow(c->view()->viewport());
                }));
    std::fflush(stdout);

    QScrollBar *bar = c->view()->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    paintNow(c->view()->viewport());
    double pages = 0;
    for (int p = 0; p < kPages; ++p)
        pages += timeMs([&] {
            bar->setValue(bar->value() + bar->pageStep());
            c->view()->viewport()->repaint();
        });
    std::printf("page %.3f\n", pages / kPages);
    return 0;
}

/// One table row; `scaled` figures grow with the item count and are scaled
/// to our size, the others (per page, per item) are not.
void printFigure(const char *label, const char *key, const TRunResult &ours, const QList<TRunResult> &peers,
                 bool scaled, const char *unit)
{
    if (!ours.Figures.contains(key)) {
        std::printf("%-26s %12s\n", label, "-");
        return;
    }
    const double mine = ours.Figures[key];
    std::printf("%-26s %10.1f %s", label, mine, unit);
    for (const TRunResult &peer : peers) {
        if (!peer.Figures.contains(key) || !peer.Items) {
            std::printf("   %24s", "did not finish");
            continue;
        }
        const double scale = scaled ? double(ours.Items) / peer.Items : 1.0;
        const double theirs = peer.Figures[key] * scale;
        std::printf("   %10.1f %s %6.1fx", theirs, unit, mine > 0 ? theirs / mine : 0.0);
    }
    std::printf("\n");
}

} // namespace

int main(int argc, char **argv)
{
    return benchMain(argc, argv, runContender, [](int count, int peerCount) {
        std::printf("tree control: %d items in %d groups, %d columns; peers at %d items, times scaled x%.0f\n", count,
                    kGroups, kColumns, peerCount, double(count) / peerCount);
        std::fflush(stdout);
        const TRunResult ours = runChild({"ours", QString::number(count)}, 120000);
        const TRunResult selectTree = runChild({"select", QString::number(count)}, 180000);
        const QList<TRunResult> peers{runChild({"widget", QString::number(peerCount)}, 90000),
                                      runChild({"proxy", QString::number(peerCount)}, 90000)};
        const auto table = [&peers](const char *title, const TRunResult &mine) {
            std::printf("\n%-26s %13s   %24s   %24s\n", title, "ours", "QTreeWidget (ratio)", "model+proxy (ratio)");
            printFigure("build and first paint", "build", mine, peers, true, "ms");
            printFigure("hide 90% (one update)", "hide", mine, peers, true, "ms");
            printFigure("show them again", "show", mine, peers, true, "ms");
            printFigure("sort by a text column", "sort", mine, peers, true, "ms");
            printFigure("scroll one page (paint)", "page", mine, peers, false, "ms");
            printFigure("memory per item", "memory", mine, peers, false, "B ");
            if (!mine.Complete)
                std::printf("this run did not complete\n");
        };
        table("tree control", ours);
        std::printf("node record: %.0f bytes; a row of %d columns is %d nodes\n", ours.Figures.value("record"),
                    kColumns, kColumns);
        table("select frame's item tree", selectTree);
        std::printf("item model load before it (not in the build figure): %.1f ms\n",
                    selectTree.Figures.value("model"));
        return 0;
    });
}
