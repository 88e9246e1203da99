// SPDX-License-Identifier: MIT
// The value bag of a frame: options and published properties by name.
#pragma once

#include "platform/InterfacedObject.h"

#include <QReadWriteLock>

#include <atomic>
#include <map>

namespace selectframe {

/// A thread-safe bag of variant values under 8-bit keys, kept in key order,
/// with a write hook that sees every write and may change or veto it. Reads
/// share the lock; writes, and the hook with them, run exclusively. A hook
/// may read the bag (its own thread reads under the write lock it already
/// holds); a write from inside the hook fails with EFrameException instead
/// of deadlocking.
class TNamedParams final : public TInterfacedObject<INamedParamsList, INamedParamsNotify, INamedParams>
{
public:
    TNamedParams() = default;

    // INamedParamsList
    int32_t SF_CALL GetCount() override;
    void SF_CALL GetName(int32_t Index, QByteArray *Name) override;
    void SF_CALL GetValueAt(int32_t Index, QVariant *Value) override;

    // INamedParamsNotify; the hook is a TParamsWriteHook.
    TMethod SF_CALL GetHook() override;
    void SF_CALL SetHook(TMethod NewHook) override;

    // INamedParams
    void SF_CALL GetValue(const QByteArray &Name, QVariant *Value) override;
    void SF_CALL SetValue(const QByteArray &Name, const QVariant &Value) override;
    bool SF_CALL Exists(const QByteArray &Name) override;

private:
    using TMap = std::map<QByteArray, QVariant>;

    ~TNamedParams() override = default;

    /// The entry at `Index` in key order, walking from the first; end() when
    /// out of range. The caller holds the read lock.
    TMap::const_iterator entryAt(int32_t Index) const;

    /// Takes the read lock, unless this thread runs the hook and so holds
    /// the write lock already.
    class TReadLock;
    /// Fails when this thread runs the hook.
    void refuseWriteFromHook() const;

    TMethod Hook;
    TMap Map;
    QReadWriteLock Lock;
    /// The thread running the hook, null while none does.
    std::atomic<Qt::HANDLE> HookThread{nullptr};
};

} // namespace selectframe
