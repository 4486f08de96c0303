#include "fitting_label.h"

#include <QPainter>

namespace lexamo {

void FittingLabel::paintEvent(QPaintEvent*)
{
    const QRect box = contentsRect();
    QFont fitted = font();
    for (int size = fitted.pixelSize();
         size > 1 && QFontMetricsF(fitted).horizontalAdvance(text()) > box.width(); --size)
        fitted.setPixelSize(size - 1);
    QPainter painter(this);
    painter.setFont(fitted);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(box, int(alignment()) | Qt::TextSingleLine, text());
}

} // namespace lexamo
