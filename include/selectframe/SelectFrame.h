// SPDX-License-Identifier: MIT
// Everything a host needs to use the select frame plug-in.
//
//   auto create = reinterpret_cast<selectframe::TCreateManager>(
//       QLibrary("selectframe").resolve(selectframe::CreateManagerSymbol));
//   selectframe::IPtr<selectframe::ISelectFrameFactory> factory;
//   create(factory.put());
//   selectframe::IPtr<selectframe::ISelectFrame> frame;
//   factory->CreateFrame(frame.put());
#pragma once

#include <selectframe/Base.h>
#include <selectframe/EFrameException.h>
#include <selectframe/FrameKeys.h>
#include <selectframe/ImageList.h>
#include <selectframe/Interfaces.h>

namespace selectframe {

/// The plug-in's only export: stores a new factory reference in `*Factory`.
using TCreateManager = void (*)(ISelectFrameFactory **Factory);
inline constexpr char CreateManagerSymbol[] = "CreateManager";

/// The plug-in shows its texts in the host's UI language (the default
/// QLocale) when it has a translation for it, installing its translator in
/// the application at CreateManager. A host that wants none sets this
/// application property to false before, or before a later CreateManager
/// to take the translator out again:
///   qApp->setProperty(selectframe::TranslateProperty, false);
inline constexpr char TranslateProperty[] = "selectframe.translate";

} // namespace selectframe
