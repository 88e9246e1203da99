// SPDX-License-Identifier: MIT
// The registry of a frame's event handlers by name.
#pragma once

#include "platform/InterfacedObject.h"

#include <QReadWriteLock>

#include <map>

namespace selectframe {

/// A thread-safe registry of method pointers under 8-bit keys, with a
/// registration hook that sees every SetMethod and may change the method or
/// keep it from being stored. The hook runs under the write lock and must
/// not call back into the registry; the hook itself is read and written
/// without the lock, so it is installed before other threads use the
/// registry.
class TNamedMethods final : public TInterfacedObject<INamedMethodsNotify, INamedMethods>
{
public:
    TNamedMethods() = default;

    // INamedMethodsNotify; the hook is a TMethodsRegisterHook.
    TMethod SF_CALL GetHook() override;
    void SF_CALL SetHook(TMethod NewHook) override;

    // INamedMethods
    TMethod SF_CALL GetMethod(const QByteArray &Name) override;
    void SF_CALL SetMethod(const QByteArray &Name, const TMethod &Method) override;

private:
    ~TNamedMethods() override = default;

    QReadWriteLock Lock;
    std::map<QByteArray, TMethod> Map;
    TMethod Hook;
};

} // namespace selectframe
