// SPDX-License-Identifier: MIT
// The favorites dialog as the frame control sees it.
#pragma once

#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace selectframe {

class TdlgSimple3;
class TSelectFrameControl;

/// The dialog in which the user organizes the favorites. It holds a frame
/// control of its own, so it lives in a layer above the control, which
/// opens it only through this interface and a factory installed from above
/// (TCustomSelectFrameControl::FavoritesDialogFactory): the control fills
/// the dialog and takes the favorites back, the dialog edits them.
class IOrganizeFavoritesDialog
{
public:
    virtual ~IOrganizeFavoritesDialog() = default;

    /// The dialog's window: its size, help button and modal run.
    virtual TdlgSimple3 *Form() = 0;
    /// Where the inner frame control goes; it fills this widget.
    virtual QWidget *SelectFrameParent() = 0;
    /// The inner frame, already parented; built and filled by the control
    /// before the dialog is shown, destroyed with the dialog.
    virtual void SetSelectFrame(TSelectFrameControl *Frame) = 0;
    /// The selected-info line: one %s (the favorite) and one %d (the checked
    /// count).
    virtual void SetSelectedInfoFormat(const QString &Format) = 0;
};

using TFavoritesDialogFactory = std::function<std::unique_ptr<IOrganizeFavoritesDialog>()>;

} // namespace selectframe
