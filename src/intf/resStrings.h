// The library's message texts, kept in one table. Each entry is the text in
// English and the key of its translations; `text` gives it in the user's
// language.
#pragma once

#include <QCoreApplication>

namespace selectframe::res {

/// The translation context of the table's entries.
inline constexpr char Context[] = "selectframe::res";

inline constexpr char SNoColumns[] = QT_TRANSLATE_NOOP("selectframe::res", "At least one column should be present");
inline constexpr char SFrameAlreadyInitialized[] = QT_TRANSLATE_NOOP("selectframe::res", "Frame is already initialized");
inline constexpr char SWriteFromParamsHook[] =
    QT_TRANSLATE_NOOP("selectframe::res", "A write hook must not write to the options it guards");
/// The default of "option://more.caption"; shown translated while a host
/// leaves it as it is.
inline constexpr char SMoreCaption[] = QT_TRANSLATE_NOOP("selectframe::res", "More...");

/// `Entry` of this table in the user's language.
inline QString text(const char *Entry)
{
    return QCoreApplication::translate(Context, Entry);
}

} // namespace selectframe::res
