#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QWidget>

namespace lexamo {

/// Soft shadows under some children of one widget, drawn by that widget over its background and
/// under its children. They are painted in the widget's own coordinates, so they stretch with
/// the scaled layout like everything else, and a hidden control casts none. The blurred shape
/// is made once per size and shared, so painting costs one image draw per shadow.
class DropShadows : public QObject
{
public:
    DropShadows(QPointF offset, qreal blurRadius, QColor colour, QWidget* parent);

    void add(QWidget* control);
    const QList<QPointer<QWidget>>& controls() const { return m_controls; }
    QPointF offset() const { return m_offset; }
    qreal blurRadius() const { return m_blurRadius; }
    QColor colour() const { return m_colour; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const QImage& shadowFor(QSize size);
    QRect shadowRect(const QWidget* control) const;

    QPointF m_offset;
    qreal m_blurRadius;
    QColor m_colour;
    QList<QPointer<QWidget>> m_controls;
    QHash<quint64, QImage> m_images;
};

} // namespace lexamo
