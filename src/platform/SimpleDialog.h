// SPDX-License-Identifier: MIT
// The base of the library's simple modal dialogs.
#pragma once

#include "ui_SimpleDialog.h"

#include <QDialog>

namespace selectframe {

/// A modal dialog with a banner (a header and an information line), a
/// client area between two divider lines, and a bottom panel with OK,
/// Cancel and Help. OK accepts, Cancel and Escape reject; Help is hidden
/// until shown and reports the help context through helpRequested. A
/// derived dialog fills pnClient and may put controls at the left of
/// pnBottom (pnBottomLeft).
class TdlgSimple3 : public QDialog, protected Ui::TdlgSimple3
{
    Q_OBJECT

public:
    explicit TdlgSimple3(QWidget *AOwner = nullptr);

    /// The help button's visibility.
    void SetShowHelp(bool Value) { btnHelp->setVisible(Value); }
    bool ShowHelp() const { return !btnHelp->isHidden(); }
    int HelpContext = 0;

signals:
    /// Help was clicked; `Context` is HelpContext.
    void helpRequested(int Context);
};

} // namespace selectframe
