// SPDX-License-Identifier: MIT
// The plug-in's only export.
#include "host/SelectFrameFactory.h"
#include "platform/LibraryTranslator.h"

#include <selectframe/SelectFrame.h>

#if defined(_WIN32)
#define SF_EXPORT __declspec(dllexport)
#else
#define SF_EXPORT __attribute__((visibility("default")))
#endif

extern "C" SF_EXPORT void SF_CALL CreateManager(selectframe::ISelectFrameFactory **Factory)
{
    // Checked against the public declaration, so host and plug-in agree.
    static_assert(std::is_same_v<decltype(&CreateManager), selectframe::TCreateManager>);
    selectframe::applyHostTranslationChoice();
    *Factory = new selectframe::TSelectFrameFactory;
    (*Factory)->AddRef();
}
