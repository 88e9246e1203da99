#include "NamedParams.h"

#include <iterator>
#include <type_traits>

namespace selectframe {

TNamedParams::TMap::const_iterator TNamedParams::entryAt(int32_t Index) const
{
    if (Index < 0 || size_t(Index) >= Map.size())
        return Map.end();
    return std::next(Map.begin(), Index);
}

int32_t TNamedParams::GetCount()
{
    QReadLocker locker(&Lock);
    return int32_t(Map.size());
}

void TNamedParams::GetName(int32_t Index, QByteArray *Name)
{
    QReadLocker locker(&Lock);
    const auto it = entryAt(Index);
    *Name = it == Map.end() ? QByteArray() : it->first;
}

void TNamedParams::GetValueAt(int32_t Index, QVariant *Value)
{
    QReadLocker locker(&Lock);
    const auto it = entryAt(Index);
    *Value = it == Map.end() ? QVariant() : it->second;
}

TMethod TNamedParams::GetHook()
{
    QReadLocker locker(&Lock);
    return Hook;
}

void TNamedParams::SetHook(TMethod NewHook)
{
    QWriteLocker locker(&Lock);
    Hook = NewHook;
}

void TNamedParams::GetValue(const QByteArray &Name, QVariant *Value)
{
    QReadLocker locker(&Lock);
    const auto it = Map.find(Name);
    *Value = it == Map.end() ? QVariant() : it->second;
}

void TNamedParams::SetValue(const QByteArray &Name, const QVariant &Value)
{
    if (Name.isEmpty())
        return;
    QVariant copy = Value;
    QWriteLocker locker(&Lock);
    bool accept = true;
    if (Hook.assigned())
        invokeMethod<std::remove_pointer_t<TParamsWriteHook>>(Hook, Name, &copy, &accept);
    if (accept)
        Map.insert_or_assign(Name, std::move(copy));
}

bool TNamedParams::Exists(const QByteArray &Name)
{
    QReadLocker locker(&Lock);
    return Map.find(Name) != Map.end();
}

} // namespace selectframe
