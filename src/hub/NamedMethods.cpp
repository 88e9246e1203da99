// SPDX-License-Identifier: MIT
#include "NamedMethods.h"

#include <type_traits>

namespace selectframe {

TMethod TNamedMethods::GetHook()
{
    return Hook;
}

void TNamedMethods::SetHook(TMethod NewHook)
{
    Hook = NewHook;
}

TMethod TNamedMethods::GetMethod(const QByteArray &Name)
{
    QReadLocker locker(&Lock);
    const auto it = Map.find(Name);
    return it == Map.end() ? TMethod() : it->second;
}

void TNamedMethods::SetMethod(const QByteArray &Name, const TMethod &Method)
{
    TMethod copy = Method;
    QWriteLocker locker(&Lock);
    bool accept = true;
    if (Hook.assigned())
        invokeMethod<std::remove_pointer_t<TMethodsRegisterHook>>(Hook, Name, &copy, &accept);
    if (!accept)
        return;
    const auto it = Map.find(Name);
    if (it != Map.end()) {
        if (copy.assigned())
            it->second = copy;
        else
            Map.erase(it);
    } else if (copy.assigned()) {
        Map.emplace(Name, copy);
    }
}

} // namespace selectframe
