#include "FavoritesVirtualColumns.h"

#include "platform/tree/TSlicesFactory.h"
#include "platform/tree/TStringSlice.h"

namespace selectframe {

namespace {

/// The header node's data: a plain tag, not an object.
void *const ColumnTag = reinterpret_cast<void *>(quintptr(1));

} // namespace

TFavoritesVirtualColumns::TFavoritesVirtualColumns()
{
    add(Root(), New(ColumnTag, 0), ltNextCell);
}

void TFavoritesVirtualColumns::InitSlices(TVirtualNode, TSlices *Slices)
{
    Slices->Add({SlicesFactory().create("string")});
}

void TFavoritesVirtualColumns::FillSlices(TVirtualNode, TSlices *Slices)
{
    auto *text = static_cast<TStringSlice *>(Slices->GetSlice(0));
    text->Style = getStyle("text");
    text->Layout1 = slFill;
    text->Layout2 = 0;
    text->Text = QStringLiteral("1");
}

void TFavoritesVirtualColumns::FillStateInfo(TVirtualNode, uint32_t *, int32_t *, int32_t *, int32_t *Third)
{
    *Third = slFill;
}

} // namespace selectframe
