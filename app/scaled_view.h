#pragma once

#include <QGraphicsView>
#include <QList>
#include <QSizeF>

class QGraphicsDropShadowEffect;
class QGraphicsProxyWidget;

namespace lexamo {

/// Draws a design-size layout stretched to the view: x by width / design width and y by
/// height / design height, each on its own, so nothing reflows and clicks reach the control
/// where it is drawn. Every control gets its own proxy: a single container proxy would lose
/// the children that carry a drop shadow once the view is scaled.
class ScaledView : public QGraphicsView
{
    Q_OBJECT
public:
    ScaledView(QSizeF designSize, QColor background, QWidget* parent = nullptr);

    /// Puts a control at its design rectangle, relative to the parent control's proxy if given.
    QGraphicsProxyWidget* place(QWidget* control, const QRectF& designRect,
                                QGraphicsProxyWidget* parent = nullptr);
    /// A soft black shadow down and to the right, kept in proportion on every resize.
    void addShadow(QGraphicsProxyWidget* proxy);
    /// Tab order within one container: the proxies in ascending tab number.
    static void chainTabOrder(const QList<QGraphicsProxyWidget*>& proxies);

    /// The control with this object name, searched through every proxy and its children.
    QWidget* findControl(const QString& name) const;
    QGraphicsProxyWidget* proxyOf(const QWidget* control) const;

    /// Where a design point is drawn now, in viewport coordinates.
    QPoint viewportPoint(QPointF designPoint) const;

    /// Paints the current state at once: the user-interface thread is about to block.
    void repaintNow();

    QSizeF designSize() const { return m_designSize; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void applyScale();

    QSizeF m_designSize;
    QList<QGraphicsProxyWidget*> m_proxies;
    QList<QGraphicsDropShadowEffect*> m_shadows;
};

} // namespace lexamo
