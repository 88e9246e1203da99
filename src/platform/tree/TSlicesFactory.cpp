// SPDX-License-Identifier: MIT
#include "TSlicesFactory.h"

#include "TCheckSlice.h"
#include "TImageSlice.h"
#include "TStringSlice.h"

namespace selectframe {

namespace {

const char *kindName(TSliceKind kind)
{
    switch (kind) {
    case skCheck:
        return "check";
    case skImage:
        return "image";
    case skString:
        break;
    }
    return "string";
}

} // namespace

TSlice *TSlicesFactory::create(const QByteArray &kind) const
{
    if (kind == "check")
        return new TCheckSlice;
    if (kind == "image")
        return new TImageSlice;
    if (kind == "string")
        return new TStringSlice;
    return nullptr;
}

bool TSlicesFactory::isKind(const TSlice *slice, const QByteArray &kind) const
{
    return slice && kind == kindName(slice->kind());
}

void TSlicesFactory::setCursor(TSlice *slice, const QByteArray &cursorName) const
{
    if (slice)
        slice->Cursor = cursorName == "hand cursor" ? Qt::PointingHandCursor : Qt::ArrowCursor;
}

const TSlicesFactory &SlicesFactory()
{
    static const TSlicesFactory factory;
    return factory;
}

} // namespace selectframe
