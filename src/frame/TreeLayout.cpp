// SPDX-License-Identifier: MIT
#include "TreeLayout.h"

#include "frame/uSelectFrame.h"
#include "hub/FrameManager.h"

#include "model/RememberedLayout.h"
#include "platform/CommaText.h"
#include "platform/UserSettingsStore.h"
#include "platform/tree/TCustomHeader.h"
#include "platform/tree/TCustomTree.h"

namespace selectframe {

namespace {

QString pair(int a, int b)
{
    return QStringLiteral("%1=%2").arg(a).arg(b);
}

} // namespace

TTreeLayout::TTreeLayout(INamedParams *Options, TCustomTree *Tree) : FOptions(Options), FTree(Tree)
{}

void TTreeLayout::SaveTreeLayout()
{
    const QString key = RememberedLayoutKey(FOptions);
    if (key.isEmpty())
        return;
    TUserSettingsStore store;
    if (!store.openKey(key, true))
        return;
    store.writeString(QString::fromLatin1(LayoutSortValue), GetSortText());
    store.writeString(QString::fromLatin1(LayoutWidthValue), GetWidthText());
    store.closeKey();
}

bool TTreeLayout::LoadTreeSort()
{
    const QString key = RememberedLayoutKey(FOptions);
    if (key.isEmpty())
        return false;
    TUserSettingsStore store;
    // Reading creates the key, as writing later will anyway.
    store.openKey(key, true);
    return ApplySortText(store.readString(QString::fromLatin1(LayoutSortValue)));
}

QString TTreeLayout::GetSortText() const
{
    const TCustomHeader *header = FTree->Header();
    const QList<int> orders = header->getSortIndexs();
    const QList<TSortType> types = header->getSortTypes();
    QStringList entries;
    for (qsizetype j = 0; j < orders.size() && j < types.size(); ++j)
        if (types[j] != stNone && orders[j] >= 0 && orders[j] < header->count())
            entries.append(pair(header->IDByOrder(orders[j]), types[j]));
    return joinCommaText(entries);
}

QString TTreeLayout::GetWidthText() const
{
    const TCustomHeader *header = FTree->Header();
    QStringList entries;
    for (int order = 0; order < header->count(); ++order)
        entries.append(pair(header->IDByOrder(order), header->getWidth(header->ItemByOrder(order))));
    return joinCommaText(entries);
}

bool TTreeLayout::ApplySortText(const QString &Text)
{
    const TCustomHeader *header = FTree->Header();
    QList<int> orders;
    QList<TSortType> types;
    bool anySorted = false;
    for (const auto &[id, type] : parseLayoutPairs(splitCommaText(Text))) {
        const int order = header->OrderByID(id);
        if (order < 0)
            continue;
        orders.append(order);
        types.append(TSortType(type & 0xFF));
        anySorted = anySorted || types.back() != stNone;
    }
    if (!anySorted || !FTree->getVM())
        return false;
    FTree->Sort(FTree->getVM()->getRoot(), orders, types, true);
    return true;
}

// The control's side: its tree under its own options.

bool TCustomSelectFrameControl::LoadTreeSort()
{
    return TTreeLayout(FManager->Params(), SelectTree).LoadTreeSort();
}

void TCustomSelectFrameControl::SaveTreeLayout()
{
    TTreeLayout(FManager->Params(), SelectTree).SaveTreeLayout();
}

} // namespace selectframe
