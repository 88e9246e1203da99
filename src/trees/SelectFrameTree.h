// SPDX-License-Identifier: MIT
// The node records of one build of the item tree.
#pragma once

#include "hub/FrameItemRow.h"
#include "model/ObjectArena.h"
#include "trees/SelectFrameNode.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <cstddef>
#include <functional>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

namespace selectframe {

/// Owns the node records of one build of the item tree, in chunked arenas
/// (a million rows of five columns are five million records): one for item
/// rows, which carry the link bookkeeping below, and one for every other
/// node (group rows and column cells), each in creation order.
///
/// Links. An item's row record is handed to the host item with SetNode, and
/// one item may be shown by several trees at once (the favorites dialog's
/// frame gets the frame's own items). A link must never name a discarded
/// row, so the rows showing one item, across all trees, form a doubly
/// linked list ordered by when they were linked; the item names the newest.
/// Linking inserts after the row the item names; discarding a row unlinks it
/// and, when the item named it, points the item back at the previous row
/// (or at nothing). That holds for any order of rebuilds and destructions.
/// The list's links live in a table of their own, beside the rows that have
/// a partner: an item shown by one tree, the usual case, costs nothing
/// there, where two links in every row of a million cost 16 MB. The
/// link is the trees' own: hosts read it, only the trees set it. Item
/// rows keep a counted reference to their item, because the model objects
/// they show may be gone (a model load) before the tree is replaced.
///
/// The records also answer the item's row operations: GetChecked and
/// SetChecked read and set the state of the row's item object, Refresh
/// calls OnRefreshRow.
class TSelectFrameTree final : private IFrameItemRowOps
{
public:
    TSelectFrameTree();
    ~TSelectFrameTree();
    TSelectFrameTree(const TSelectFrameTree &) = delete;
    TSelectFrameTree &operator=(const TSelectFrameTree &) = delete;

    /// A new record for `FrameObject` and `Column`, without slices; the
    /// adapter sets its Node once it made the node.
    TSelectFrameNode *AddNode(TBaseFrameObject *FrameObject, int32_t Column);
    /// Hands the item row `Row` (a record of this tree for an item and
    /// column 0) to its host item with SetNode, remembering the row the item
    /// named before. Throws std::bad_cast when the item does not provide
    /// IFrameItemEx. A row is linked once; later calls do nothing.
    void LinkItem(TSelectFrameNode *Row);
    /// Unlinks every item row, then destroys every record.
    void Clear();
    /// Number of records.
    std::size_t Count() const { return m_itemRows.size() + m_otherNodes.size(); }

    /// Marks the item rows whose texts contain `Filter`; Matched answers
    /// for a row until the next call. A row's texts are its column texts,
    /// lower-cased, each closed by a U+0000 so that no match runs from one
    /// column into the next; `Filter` must be folded the same way. They are
    /// made through OnMakeFilterText on first use and again after the host
    /// changed the item's caption or values, and kept in one buffer, which a
    /// pass scans as a whole: a row that matched is skipped to its end, so a
    /// pass costs a scan of the buffer, not a search per row.
    void MatchFilter(QStringView Filter);
    /// Makes the texts of up to `MaxRows` rows that have none, so that the
    /// first MatchFilter finds them made; true when no row lacks them.
    bool MakeFilterTexts(std::size_t MaxRows);
    /// Takes over the texts `Previous` has made, for the rows of the next
    /// build here that show the same items, found by their place in the
    /// model's load order (which a reload of the same item list keeps): a
    /// tree built anew over a reloaded model, as a regroup builds it, makes
    /// no text again. Only for builds over the same columns. `Previous` is
    /// left without texts.
    void TakeFilterTexts(TSelectFrameTree &Previous);
    /// Gives the rows of a build done since TakeFilterTexts the texts taken
    /// over; the row adapter calls it once its build is complete.
    void AdoptFilterTexts();
    /// Whether the item row `Row` matched the last MatchFilter.
    bool Matched(const TSelectFrameNode *Row) const
    {
        return static_cast<const TItemRow *>(Row)->MatchPass == m_matchPass;
    }
    /// Appends an item row's texts, as MatchFilter reads them, to `Out`;
    /// installed by the row adapter, which knows the columns.
    std::function<void(const TSelectFrameNode *Row, QString &Out)> OnMakeFilterText;
    /// Whether an item value of that name is among a row's texts, so that
    /// changing it makes them anew; without it every value is.
    std::function<bool(QStringView ValueName)> OnIsFilterValue;

    /// Restyles an item row's action link when the host calls Refresh on the
    /// item; the row adapter installs its restyling here, until then Refresh
    /// changes nothing. Called with the row record the item names.
    std::function<void(TSelectFrameNode *)> OnRefreshRow;

private:
    /// The record of an item's row: what every record holds, plus its place
    /// in the list of rows that show the same item.
    struct TItemRow : TSelectFrameNode
    {
        TItemRow(TBaseFrameObject *object, TSelectFrameTree *tree)
            : TSelectFrameNode{object, 0, {}, nullptr}, Tree(tree)
        {}

        TSelectFrameTree *const Tree;
        /// Null until linked.
        IPtr<IFrameItemEx> Item;
        /// Where the row's texts are in its text buffer; a length of -1
        /// while they are still to be made.
        uint32_t TextStart = 0;
        int32_t TextLength = -1;
        /// The MatchFilter pass that found the filter in the row's texts.
        uint32_t MatchPass = 0;
        /// The texts are in m_wideTexts, not m_latin1Texts.
        bool WideText = false;
        /// The item's place in the model's load order.
        uint32_t ItemIndex = 0;
    };

    /// The texts of rows, one after the other, and where each begins: the
    /// texts tile the buffer, so a position's row is the last entry that
    /// starts at or before it. An entry whose row was made again since (its
    /// TextStart or buffer moved) is garbage.
    template <class Units>
    struct TTextBuffer
    {
        Units Texts;
        std::vector<std::pair<uint32_t, TItemRow *>> Order;
    };

    /// The row linked before a row for the same item, and the one after it.
    struct TRowLinks
    {
        TItemRow *Older = nullptr;
        TItemRow *Newer = nullptr;
    };
    /// The links of the rows that have any, across all trees; used on the
    /// user-interface thread.
    static std::unordered_map<TItemRow *, TRowLinks> &links();
    static TRowLinks linksOf(TItemRow *row);
    /// Stores `value` as the links of `row`, none when both are null.
    static void setLinks(TItemRow *row, const TRowLinks &value);
    /// Texts taken over from another tree, waiting for the rows of their
    /// items: per item (by load order) where its texts are, and the
    /// buffers' entries in order, naming items instead of rows.
    struct TTakenTexts
    {
        struct TText
        {
            const IFrameItemEx *Item = nullptr;
            uint32_t Start = 0;
            int32_t Length = -1;
            bool Wide = false;
        };
        std::vector<TText> ByItem;
        QByteArray Latin1;
        QString Wide;
        std::vector<std::pair<uint32_t, uint32_t>> Latin1Order;
        std::vector<std::pair<uint32_t, uint32_t>> WideOrder;
        qsizetype Garbage = 0;
    };

    static IFrameItemRowOps *rowOpsOf(TSelectFrameNode *node);
    static void unlink(TItemRow *row);

    bool rowChecked(TSelectFrameNode *node) override;
    void setRowChecked(TSelectFrameNode *node, bool checked) override;
    void refreshRow(TSelectFrameNode *node) override;
    void rowTextChanged(TSelectFrameNode *node, QStringView valueName) override;
    /// Forgets every row's texts, so that they are made anew into an empty
    /// buffer.
    void dropFilterTexts();
    /// Marks the live rows of `Buffer` whose texts contain `Filter`.
    template <class Units, class View>
    void matchIn(const TTextBuffer<Units> &Buffer, View Filter);

    TObjectArena<TItemRow> m_itemRows;
    TObjectArena<TSelectFrameNode> m_otherNodes;
    // One buffer for the texts of every row: a million rows would otherwise
    // take a million allocations, and a pass reads it in one sweep. Rows
    // whose texts are all Latin-1, the usual case, keep them as bytes: half
    // the memory, and twice the units a compare tests at once. Texts made
    // again after a change go to the end; what they leave behind is
    // counted, and the buffers are emptied once that is more than half.
    TTextBuffer<QByteArray> m_latin1Texts;
    TTextBuffer<QString> m_wideTexts;
    qsizetype m_filterGarbage = 0;
    /// Rows without texts; MatchFilter makes them first.
    std::size_t m_rowsWithoutText = 0;
    /// Where MakeFilterTexts goes on: rows before it have their texts,
    /// unless the host changed them since.
    std::size_t m_textCursor = 0;
    /// Where a row's texts are made before they go to their buffer.
    QString m_rowText;
    /// Null unless TakeFilterTexts left texts for the next build.
    std::unique_ptr<TTakenTexts> m_taken;
    uint32_t m_matchPass = 1;
};

} // namespace selectframe
