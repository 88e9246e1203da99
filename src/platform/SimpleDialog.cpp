// SPDX-License-Identifier: MIT
#include "SimpleDialog.h"

namespace selectframe {

TdlgSimple3::TdlgSimple3(QWidget *AOwner) : QDialog(AOwner)
{
    setupUi(this);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnHelp, &QPushButton::clicked, this, [this] { emit helpRequested(HelpContext); });
    btnHelp->hide();
    // The banner stands out from the dialog's face as a sheet of the base
    // colour, whatever the palette.
    pnBanner->setBackgroundRole(QPalette::Base);
    pnBanner->setAutoFillBackground(true);
    QFont header = lblHeader->font();
    header.setBold(true);
    lblHeader->setFont(header);
}

} // namespace selectframe
