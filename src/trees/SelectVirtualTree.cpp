// SPDX-License-Identifier: MIT
#include "SelectVirtualTree.h"

#include "hub/FrameManager.h"
#include "intf/FrameConsts.h"
#include "platform/TextSearch.h"
#include "platform/tree/TCheckSlice.h"
#include "platform/tree/TImageSlice.h"
#include "platform/tree/TSlicesFactory.h"
#include "platform/tree/TStringSlice.h"

#include <selectframe/FrameKeys.h>

#include <QStringEncoder>

#include <algorithm>

namespace selectframe {

namespace {

/// A node state bit of ours: the row's action link awaits restyling until
/// its slices are made.
constexpr uint32_t nsLinkStylePending = 0x10000;

/// The value names the tree reads, made once: FillSlices runs per painted
/// cell.
struct TValueNames
{
    QString Image = QString::fromLatin1(keys::ValueImage);
    QString Hint = QString::fromLatin1(keys::ValueHint);
    QString ActionLink = QString::fromLatin1(keys::ValueActionLink);
};

const TValueNames &valueNames()
{
    static const TValueNames names;
    return names;
}

QVariant option(TFrameManager *frameManager, const char *key)
{
    QVariant value;
    frameManager->Params()->GetValue(QByteArray::fromRawData(key, int(qstrlen(key))), &value);
    return value;
}

/// `text` as it comes back from the system encoding: characters that
/// encoding lacks are replaced. ASCII survives every system encoding, so
/// texts made only of it, the usual case, skip the conversion.
QString throughSystemEncoding(const QString &text)
{
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; }))
        return text;
    QStringEncoder encoder(QStringConverter::System);
    QStringDecoder decoder(QStringConverter::System);
    return decoder.decode(encoder.encode(text));
}

int imageIndex(const QString &value)
{
    bool ok = false;
    const int index = value.toInt(&ok);
    return ok ? index : -1;
}

template <class T>
T *sliceAt(TSlices *slices, int index)
{
    return static_cast<T *>(slices->GetSlice(index));
}

} // namespace

TSelectVirtualTree::TSelectVirtualTree(TFrameManager *FrameManager) : FrameManager(FrameManager)
{
    NodeRecords.OnRefreshRow = [this](TSelectFrameNode *Row) { RestyleLink(Row); };
    NodeRecords.OnMakeFilterText = [this](const TSelectFrameNode *Row, QString &Out) { AppendFilterText(Row, Out); };
    NodeRecords.OnIsFilterValue = [this](QStringView Name) {
        // The texts read "column%d_data" of the columns after the first;
        // value names match in any letter case.
        if (!Name.startsWith(u"column", Qt::CaseInsensitive) || !Name.endsWith(u"_data", Qt::CaseInsensitive))
            return false;
        bool ok = false;
        const int column = Name.mid(6, Name.size() - 11).toInt(&ok);
        return ok && column >= 1 && column < this->FrameManager->Model()->ColumnCount();
    };
}

namespace {

/// Appends `text` lower-cased, with a U+0000 of the host's own (which would
/// open a match across columns) made a replacement character, and then the
/// U+0000 that closes the column. Texts of ASCII only, the usual case, are
/// folded here without a copy.
void appendFolded(QString &out, const QString &text)
{
    const qsizetype at = out.size();
    const qsizetype n = text.size();
    out.resize(at + n + 1);
    char16_t *to = reinterpret_cast<char16_t *>(out.data()) + at;
    if (LowerAscii(reinterpret_cast<const char16_t *>(text.constData()), n, to)) {
        to[n] = 0;
        return;
    }
    out.truncate(at);
    out += text.toLower().replace(QChar(0), QChar::ReplacementCharacter);
    out += QChar(0);
}

} // namespace

void TSelectVirtualTree::AppendFilterText(const TSelectFrameNode *Row, QString &Out) const
{
    IFrameItem *item = static_cast<const TFrameItemObject *>(Row->FrameObject)->Item.get();
    IPtr<IStringValueList> values;
    item->GetValues(values.put());
    const int columns = FrameManager->Model()->ColumnCount();
    QString text;
    for (int column = 0; column < columns; ++column) {
        text.clear();
        if (column == 0)
            item->GetCaption(&text);
        else if (values)
            values->GetValue(ColumnDataKey(column), &text);
        appendFolded(Out, text);
    }
}

void TSelectVirtualTree::RestyleLink(TSelectFrameNode *Row)
{
    restyleLink(Row, store().state(Row->Node));
}

void TSelectVirtualTree::restyleLink(TSelectFrameNode *Row, uint32_t State)
{
    if (Row->FrameObject->Kind != fokItem || !OnStyleLink)
        return;
    if (Row->Slices)
        OnStyleLink(Row);
    else if (!(State & nsLinkStylePending))
        store().setState(Row->Node, State | nsLinkStylePending);
}

void TSelectVirtualTree::SetSubtreeState(TVirtualNode Node, TFrameCheckState S)
{
    // Straight over the store's child lists, which no row state changes:
    // check all walks every row. The item objects lie in the host's order,
    // not the tree's: each is fetched a few rows ahead, its record further
    // ahead still, so a million rows do not wait for memory one by one.
    const TChildList *children = store().children(Node);
    if (!children)
        return;
    const std::vector<TVirtualNode> &all = children->All;
    constexpr std::size_t Ahead = 8;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i + 2 * Ahead < all.size())
            __builtin_prefetch(getData(all[i + 2 * Ahead]));
        if (i + Ahead < all.size())
            __builtin_prefetch(recordOf(all[i + Ahead])->FrameObject, 1);
        const TVirtualNode child = all[i];
        const uint32_t state = store().state(child);
        if (state & nsHidden)
            continue;
        TSelectFrameNode *record = recordOf(child);
        record->FrameObject->SetState(S);
        restyleLink(record, state);
        SetSubtreeState(child, S);
    }
}

void TSelectVirtualTree::RestyleAllLinks()
{
    m_restyleAll = true;
    if (!OnStyleLink)
        return;
    store().forEachSliced([this](TVirtualNode node) {
        TSelectFrameNode *record = recordOf(node);
        if (record && record->Column == 0 && record->FrameObject->Kind == fokItem)
            OnStyleLink(record);
    });
}

void TSelectVirtualTree::Rebuild()
{
    m_restyleAll = false;
    clear();
    NodeRecords.Clear();
    BuildTree();
    NodeRecords.AdoptFilterTexts();
}

void TSelectVirtualTree::BuildTree()
{
    TFrameObjectManager *model = FrameManager->Model();
    const int columnCount = model->ColumnCount();
    IPtr<IObjectEnumerator<TFrameGroupObject>> groups = model->GetGroups();
    while (groups->MoveNext()) {
        TFrameGroupObject *group = groups->GetCurrent();
        const TVirtualNode parent = group->Name.isEmpty() ? Root() : addRow(Root(), group, columnCount);
        IPtr<IObjectEnumerator<TFrameItemObject>> items = group->GetItems();
        while (items->MoveNext())
            addRow(parent, items->GetCurrent(), columnCount);
    }
}

TVirtualNode TSelectVirtualTree::addRow(TVirtualNode parent, TBaseFrameObject *object, int columnCount)
{
    TSelectFrameNode *record = NodeRecords.AddNode(object, 0);
    if (object->Kind == fokItem)
        NodeRecords.LinkItem(record);
    const TVirtualNode row = New(record, 0);
    record->Node = row;
    add(parent, row, ltLastChild);
    addCells(row, columnCount - 1);
    return row;
}

void *TSelectVirtualTree::CellData(TVirtualNode Row, TVirtualNode Cell, int Column)
{
    TSelectFrameNode *record = NodeRecords.AddNode(recordOf(Row)->FrameObject, Column);
    record->Node = Cell;
    return record;
}

void TSelectVirtualTree::InitSlices(TVirtualNode Node, TSlices *Slices)
{
    TSelectFrameNode *record = recordOf(Node);
    if (!record)
        return;
    record->Slices = Slices;
    const TSlicesFactory &factory = SlicesFactory();
    if (record->Column == 0)
        Slices->Add(
            {factory.create("check"), factory.create("image"), factory.create("string"), factory.create("string")});
    else
        Slices->Add({factory.create("string")});
    const uint32_t state = store().state(Node);
    if (state & nsLinkStylePending)
        store().setState(Node, state & ~uint32_t(nsLinkStylePending));
    const bool itemRow = record->Column == 0 && record->FrameObject->Kind == fokItem;
    if (OnStyleLink && itemRow && (m_restyleAll || (state & nsLinkStylePending)))
        OnStyleLink(record);
}

void TSelectVirtualTree::FillSlices(TVirtualNode Node, TSlices *Slices)
{
    const TSelectFrameNode *record = recordOf(Node);
    if (!record)
        return;
    const bool isItem = record->FrameObject->Kind == fokItem;
    IFrameItem *item = isItem ? static_cast<TFrameItemObject *>(record->FrameObject)->Item.get() : nullptr;
    IPtr<IStringValueList> values;
    if (item)
        item->GetValues(values.put());
    const auto value = [&values](const QString &name) {
        QString text;
        if (values)
            values->GetValue(name, &text);
        return text;
    };

    if (record->Column != 0) {
        auto *text = sliceAt<TStringSlice>(Slices, 0);
        text->Style = getStyle("text");
        text->Layout1 = slFill;
        text->Layout2 = 0;
        text->Text = item ? value(ColumnDataKey(record->Column)) : QString();
        return;
    }

    auto *check = sliceAt<TCheckSlice>(Slices, 0);
    check->Style = getStyle("check");
    check->Layout1 = slAutoSize;
    check->Layout2 = 0;
    check->Shown = isItem ? FrameManager->ItemsCheckable : FrameManager->GroupsCheckable;
    check->Value = record->FrameObject->State;

    auto *image = sliceAt<TImageSlice>(Slices, 1);
    image->Style = getStyle("image");
    image->Layout1 = slAutoSize;
    image->Layout2 = 0;
    image->Images = isItem ? imageListFromHandle(FrameManager->Images) : nullptr;
    image->ImageIndex = isItem ? imageIndex(value(valueNames().Image)) : -1;

    auto *caption = sliceAt<TStringSlice>(Slices, 2);
    caption->Layout1 = slFill;
    caption->Layout2 = 0;
    caption->Flag1 = 0;
    auto *link = sliceAt<TStringSlice>(Slices, 3);
    link->Layout1 = slAutoSize;
    link->Layout2 = 0;
    link->Flag1 = 1;
    if (isItem) {
        caption->Style = getStyle("text");
        item->GetCaption(&caption->Text);
        link->Flag2 = 2;
        link->Text = throughSystemEncoding(value(valueNames().ActionLink));
    } else {
        caption->Style = getStyle(option(FrameManager, keys::OptionGroupsStyle).toByteArray());
        caption->Text = static_cast<TFrameGroupObject *>(record->FrameObject)->Name;
        link->Text.clear();
    }
}

void TSelectVirtualTree::FillStateInfo(TVirtualNode, uint32_t *State, int32_t *, int32_t *, int32_t *)
{
    if (option(FrameManager, keys::OptionGroupsExpanded).toBool())
        *State |= nsExpanded;
}

void TSelectVirtualTree::FillSkinName(TVirtualNode Node, QByteArray *SkinName)
{
    TBaseVirtualTree::FillSkinName(Node, SkinName);
    if (FrameManager->RadioItems)
        *SkinName = "radio";
}

void TSelectVirtualTree::FillToolTip(TVirtualNode Node, QString *Hint)
{
    const TSelectFrameNode *record = recordOf(Node);
    const TBaseFrameObject *object = record ? record->FrameObject : nullptr;
    if (object && object->Kind == fokGroup)
        return;
    Hint->clear();
    if (!object || object->Kind != fokItem)
        return;
    IPtr<IStringValueList> values;
    static_cast<const TFrameItemObject *>(object)->Item->GetValues(values.put());
    if (values)
        values->GetValue(valueNames().Hint, Hint);
}

} // namespace selectframe
