// SPDX-License-Identifier: MIT
// The boundary between Qt's event loop and the library's reactions.
#pragma once

#include <functional>

namespace selectframe {

/// Runs a reaction to user input or to a timer. Qt's event loop must never
/// see an exception, so one thrown by `reaction` is reported with qCritical
/// (naming `what`) and goes no further; the reaction closes what it opened
/// with scoped guards. Routines called directly never go through here:
/// their exceptions reach the caller.
void runGuarded(const char *what, const std::function<void()> &reaction) noexcept;

} // namespace selectframe
