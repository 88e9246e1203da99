// SPDX-License-Identifier: MIT
#include "NamedParams.h"

#include "intf/resStrings.h"

#include <selectframe/EFrameException.h>

#include <QScopeGuard>
#include <QThread>

#include <iterator>
#include <type_traits>

namespace selectframe {

class TNamedParams::TReadLock
{
public:
    explicit TReadLock(TNamedParams &bag)
        : m_lock(bag.HookThread.load() == QThread::currentThreadId() ? nullptr : &bag.Lock)
    {
        if (m_lock)
            m_lock->lockForRead();
    }
    ~TReadLock()
    {
        if (m_lock)
            m_lock->unlock();
    }
    TReadLock(const TReadLock &) = delete;
    TReadLock &operator=(const TReadLock &) = delete;

private:
    QReadWriteLock *m_lock;
};

void TNamedParams::refuseWriteFromHook() const
{
    if (HookThread.load() == QThread::currentThreadId())
        throw EFrameException(res::text(res::SWriteFromParamsHook));
}

TNamedParams::TMap::const_iterator TNamedParams::entryAt(int32_t Index) const
{
    if (Index < 0 || size_t(Index) >= Map.size())
        return Map.end();
    return std::next(Map.begin(), Index);
}

int32_t TNamedParams::GetCount()
{
    TReadLock locker(*this);
    return int32_t(Map.size());
}

void TNamedParams::GetName(int32_t Index, QByteArray *Name)
{
    TReadLock locker(*this);
    const auto it = entryAt(Index);
    *Name = it == Map.end() ? QByteArray() : it->first;
}

void TNamedParams::GetValueAt(int32_t Index, QVariant *Value)
{
    TReadLock locker(*this);
    const auto it = entryAt(Index);
    *Value = it == Map.end() ? QVariant() : it->second;
}

TMethod TNamedParams::GetHook()
{
    TReadLock locker(*this);
    return Hook;
}

void TNamedParams::SetHook(TMethod NewHook)
{
    refuseWriteFromHook();
    QWriteLocker locker(&Lock);
    Hook = NewHook;
}

void TNamedParams::GetValue(const QByteArray &Name, QVariant *Value)
{
    TReadLock locker(*this);
    const auto it = Map.find(Name);
    *Value = it == Map.end() ? QVariant() : it->second;
}

void TNamedParams::SetValue(const QByteArray &Name, const QVariant &Value)
{
    if (Name.isEmpty())
        return;
    refuseWriteFromHook();
    QVariant copy = Value;
    QWriteLocker locker(&Lock);
    bool accept = true;
    if (Hook.assigned()) {
        HookThread = QThread::currentThreadId();
        const auto done = qScopeGuard([this] { HookThread = nullptr; });
        invokeMethod<std::remove_pointer_t<TParamsWriteHook>>(Hook, Name, &copy, &accept);
    }
    if (accept)
        Map.insert_or_assign(Name, std::move(copy));
}

bool TNamedParams::Exists(const QByteArray &Name)
{
    TReadLock locker(*this);
    return Map.find(Name) != Map.end();
}

} // namespace selectframe
