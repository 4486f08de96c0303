#pragma once

#include <QColor>
#include <QWidget>

namespace lexamo {

/// The outline of a circle inscribed in the largest square centred in the box, the stroke
/// inside that square. It ignores the mouse, so clicks reach what lies beneath.
class CircleShape : public QWidget
{
public:
    CircleShape(QColor stroke, qreal thickness, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_stroke;
    qreal m_thickness;
};

} // namespace lexamo
