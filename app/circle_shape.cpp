#include "circle_shape.h"

#include <QPainter>

namespace lexamo {

CircleShape::CircleShape(QColor stroke, qreal thickness, QWidget* parent)
    : QWidget(parent), m_stroke(stroke), m_thickness(thickness)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void CircleShape::paintEvent(QPaintEvent*)
{
    const qreal side = std::min(width(), height());
    QRectF square((width() - side) / 2.0, (height() - side) / 2.0, side, side);
    const qreal half = m_thickness / 2.0;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(m_stroke, m_thickness));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(square.adjusted(half, half, -half, -half));
}

} // namespace lexamo
