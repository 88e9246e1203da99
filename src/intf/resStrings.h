// The library's message texts, kept in one table.
#pragma once

namespace selectframe::res {

inline constexpr char SNoColumns[] = "At least one column should be present";
inline constexpr char SFrameAlreadyInitialized[] = "Frame is already initialized";
inline constexpr char SWriteFromParamsHook[] = "A write hook must not write to the options it guards";

} // namespace selectframe::res
