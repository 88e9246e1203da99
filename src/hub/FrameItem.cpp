// SPDX-License-Identifier: MIT
#include "FrameItem.h"

#include "hub/FrameItemRow.h"
#include "model/FrameObjectManager.h"
#include "platform/ChunkMemory.h"
#include "platform/FoldedText.h"

#include <atomic>
#include <mutex>

namespace selectframe {

namespace {

/// Where items live. A host creates them by the million, and faulting in
/// fresh memory page by page costs more than filling the items, so they
/// share 2 MiB chunks faulted in at once (see allocateChunk). Items
/// still come and go one by one: each chunk keeps its own freed slots, and
/// goes back to the system once its last item is gone. Items may be freed
/// on any thread, hence the lock.
class TItemSlots
{
public:
    static TItemSlots &instance()
    {
        // Never destroyed: items still alive at exit are freed into it.
        static TItemSlots *const pool = new TItemSlots;
        return *pool;
    }

    void *allocate()
    {
        const std::lock_guard<std::mutex> locker(m_lock);
        TChunk *chunk = m_room ? m_room : newChunk();
        void *slot = chunk->Free;
        if (slot)
            chunk->Free = *static_cast<void **>(slot);
        else
            slot = std::exchange(chunk->Fresh, chunk->Fresh + SlotBytes);
        ++chunk->Live;
        if (!hasRoom(chunk))
            unlink(chunk);
        return slot;
    }

    void release(void *slot)
    {
        const std::lock_guard<std::mutex> locker(m_lock);
        // Chunks are aligned to their size: the slot's chunk is its start.
        // NOLINTNEXTLINE(performance-no-int-to-ptr): the masking is the point; it runs once per release.
        auto *chunk = reinterpret_cast<TChunk *>(reinterpret_cast<quintptr>(slot) & ~quintptr(ChunkBytes - 1));
        *static_cast<void **>(slot) = chunk->Free;
        chunk->Free = slot;
        --chunk->Live;
        if (!chunk->Listed)
            link(chunk);
        // The last chunk with room stays, so one item coming and going does
        // not take a chunk from the system each time.
        if (chunk->Live == 0 && (chunk->Prev || chunk->Next)) {
            unlink(chunk);
            freeChunk(chunk);
        }
    }

private:
    static constexpr std::size_t SlotBytes =
        (sizeof(TFrameItem) + alignof(TFrameItem) - 1) / alignof(TFrameItem) * alignof(TFrameItem);

    /// The head of a chunk; its slots follow.
    struct TChunk
    {
        TChunk *Prev = nullptr;
        TChunk *Next = nullptr;
        void *Free = nullptr;  // freed slots, linked through their first word
        char *Fresh = nullptr; // the first slot never handed out
        char *End = nullptr;
        std::size_t Live = 0;
        bool Listed = false; // in the list of chunks with room
    };
    static constexpr std::size_t FirstSlot =
        (sizeof(TChunk) + alignof(TFrameItem) - 1) / alignof(TFrameItem) * alignof(TFrameItem);

    static bool hasRoom(const TChunk *chunk) { return chunk->Free || chunk->Fresh + SlotBytes <= chunk->End; }

    TChunk *newChunk()
    {
        char *memory = static_cast<char *>(allocateChunk(m_chunks++ > 0));
        auto *chunk = new (memory) TChunk;
        chunk->Fresh = memory + FirstSlot;
        chunk->End = memory + ChunkBytes;
        link(chunk);
        return chunk;
    }
    void link(TChunk *chunk)
    {
        chunk->Prev = nullptr;
        chunk->Next = m_room;
        if (m_room)
            m_room->Prev = chunk;
        m_room = chunk;
        chunk->Listed = true;
    }
    void unlink(TChunk *chunk)
    {
        (chunk->Prev ? chunk->Prev->Next : m_room) = chunk->Next;
        if (chunk->Next)
            chunk->Next->Prev = chunk->Prev;
        chunk->Prev = chunk->Next = nullptr;
        chunk->Listed = false;
    }

    std::mutex m_lock;
    TChunk *m_room = nullptr; // chunks with a free or fresh slot
    std::size_t m_chunks = 0; // chunks taken so far; the first is not faulted in at once
};

/// See ValuesStamp. Items are filled on the user-interface thread; a plain
/// increment of a relaxed atomic keeps the hot path of filling a million
/// items free of a locked instruction.
std::atomic<uint64_t> valuesStamp{0};

} // namespace

TFrameItem::TFrameItem()
{
    static const uint32_t emptyIdHash = uint32_t(foldedHash(QString()));
    IdHash = emptyIdHash;
}

uint64_t TFrameItem::ValuesStamp()
{
    return valuesStamp.load(std::memory_order_relaxed);
}

// Sanitizer builds give every item an allocation of its own, so that a
// leaked or overused item is reported as such.
#if defined(__SANITIZE_ADDRESS__)
void *TFrameItem::operator new(std::size_t Size)
{
    return ::operator new(Size);
}

void TFrameItem::operator delete(void *Item, std::size_t Size)
{
    ::operator delete(Item, Size);
}
#else
void *TFrameItem::operator new(std::size_t)
{
    return TItemSlots::instance().allocate();
}

void TFrameItem::operator delete(void *Item, std::size_t)
{
    TItemSlots::instance().release(Item);
}
#endif

void TFrameItem::GetID(QString *Result)
{
    *Result = ID;
}

void TFrameItem::SetID(const QString &NewID)
{
    if (ID.compare(NewID, Qt::CaseInsensitive) == 0)
        return;
    // The checked-ID lists keep showing the ID an item was checked under.
    ItemIdChanging(this, ID);
    ID = NewID;
    IdHash = uint32_t(foldedHash(ID));
}

void TFrameItem::GetCaption(QString *Result)
{
    *Result = Caption;
}

void TFrameItem::SetCaption(const QString &NewCaption)
{
    Caption = NewCaption;
    TextChanged();
}

void TFrameItem::GetValues(IStringValueList **Result)
{
    TFrameItemValues &values = *this;
    values.AddRef();
    *Result = &values;
}

TSelectFrameNode *TFrameItem::GetNode()
{
    return Node;
}

void TFrameItem::SetNode(TSelectFrameNode *NewNode)
{
    Node = NewNode;
}

bool TFrameItem::GetChecked()
{
    IFrameItemRowOps *ops = frameItemRowOps(Node);
    return ops && ops->rowChecked(Node);
}

void TFrameItem::SetChecked(bool Value)
{
    if (IFrameItemRowOps *ops = frameItemRowOps(Node))
        ops->setRowChecked(Node, Value);
}

void TFrameItem::TextChanged(QStringView ValueName)
{
    if (IFrameItemRowOps *ops = frameItemRowOps(Node))
        ops->rowTextChanged(Node, ValueName);
}

void TFrameItem::Refresh()
{
    if (IFrameItemRowOps *ops = frameItemRowOps(Node))
        ops->refreshRow(Node);
}

TFrameItem &TFrameItemValues::item()
{
    return static_cast<TFrameItem &>(*this);
}

TResult TFrameItemValues::QueryInterface(const TGUID &iid, void **obj)
{
    if (!obj)
        return E_POINTER;
    if (iid != IStringValueList::iid && iid != IInterface::iid) {
        *obj = nullptr;
        return E_NOINTERFACE;
    }
    *obj = static_cast<IStringValueList *>(this);
    AddRef();
    return S_OK;
}

uint32_t TFrameItemValues::AddRef()
{
    return item().TInterfacedObject<IFrameItemEx>::AddRef();
}

uint32_t TFrameItemValues::Release()
{
    return item().TInterfacedObject<IFrameItemEx>::Release();
}

void TFrameItemValues::GetValue(const QString &Name, QString *Value)
{
    *Value = Lines.value(Name);
}

void TFrameItemValues::SetValue(const QString &Name, const QString &Value)
{
    Lines.setValue(Name, Value);
    valuesStamp.store(valuesStamp.load(std::memory_order_relaxed) + 1, std::memory_order_relaxed);
    item().TextChanged(Name);
}

} // namespace selectframe
