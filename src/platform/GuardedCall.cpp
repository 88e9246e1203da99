// SPDX-License-Identifier: MIT
#include "GuardedCall.h"

#include <QtGlobal>

#include <exception>

namespace selectframe {

void runGuarded(const char *what, const std::function<void()> &reaction) noexcept
{
    try {
        reaction();
    } catch (const std::exception &e) {
        qCritical("%s failed: %s", what, e.what());
    } catch (...) {
        qCritical("%s failed", what);
    }
}

} // namespace selectframe
