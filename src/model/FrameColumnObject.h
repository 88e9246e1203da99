// SPDX-License-Identifier: MIT
// One column of a frame.
#pragma once

#include <QString>

namespace selectframe {

/// A column: its position, header text and width in pixels (-1: none given).
class TFrameColumnObject
{
public:
    TFrameColumnObject(const QString &caption, int index) : Index(index), Caption(caption) {}

    const int Index;
    const QString Caption;
    int Width = -1;
};

} // namespace selectframe
