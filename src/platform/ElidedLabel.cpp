// SPDX-License-Identifier: MIT
#include "ElidedLabel.h"

#include <QPainter>
#include <QStyle>

namespace selectframe {

QSize TElidedLabel::minimumSizeHint() const
{
    return QSize(fontMetrics().horizontalAdvance(QStringLiteral("...")), QLabel::minimumSizeHint().height());
}

void TElidedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect room = contentsRect();
    const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, room.width());
    style()->drawItemText(&painter, room, int(alignment()), palette(), isEnabled(), shown, foregroundRole());
}

} // namespace selectframe
