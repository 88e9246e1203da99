// SPDX-License-Identifier: MIT
// A one-line label that cuts its text to fit.
#pragma once

#include <QLabel>

namespace selectframe {

/// A label that keeps its whole text (text()) but draws it on one line, cut
/// with an ellipsis at the end when wider than the label, and never asks
/// for more room than the ellipsis needs.
class TElidedLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *Event) override;
};

} // namespace selectframe
