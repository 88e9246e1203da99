// SPDX-License-Identifier: MIT
// The image list a host hands to its frames.
#pragma once

#include <QIcon>
#include <QList>
#include <QSize>
#include <QtGlobal>

namespace selectframe {

/// The host's row images. "option://imagelist" holds the address of one of
/// these as an integer (0: no images), e.g.
///   params->SetValue(keys::OptionImageList, QVariant::fromValue(quintptr(&images)));
/// The host owns it and keeps it alive, unchanged in address, while any
/// frame it was given to exists. An item's "image" value is an index into
/// `Icons`; -1 or an index out of range draws nothing.
struct TImageList
{
    QSize IconSize{16, 16};
    QList<QIcon> Icons;
};

/// The image list behind an "option://imagelist" value; null for 0.
inline const TImageList *imageListFromHandle(quintptr handle)
{
    return reinterpret_cast<const TImageList *>(handle);
}

} // namespace selectframe
