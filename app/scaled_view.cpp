#include "scaled_view.h"

#include <QGraphicsDropShadowEffect>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QResizeEvent>
#include <QtMath>

namespace lexamo {

namespace {

// Shadow parameters in design units: distance 3 at 45 degrees, opacity 0.6, softness 0.3.
constexpr qreal ShadowDistance = 3.0;
constexpr qreal ShadowBlur = 3.0;
constexpr int ShadowAlpha = 153;

} // namespace

ScaledView::ScaledView(QSizeF designSize, QColor background, QWidget* parent)
    : QGraphicsView(parent), m_designSize(designSize)
{
    auto* scene = new QGraphicsScene(QRectF(QPointF(0, 0), designSize), this);
    scene->setBackgroundBrush(background);
    setScene(scene);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                   QPainter::SmoothPixmapTransform);
}

QGraphicsProxyWidget* ScaledView::place(QWidget* control, const QRectF& designRect,
                                        QGraphicsProxyWidget* parent)
{
    // Proxies enforce the minimum size hint, which would grow small buttons.
    control->setMinimumSize(1, 1);
    control->setAttribute(Qt::WA_TranslucentBackground);
    auto* proxy = new QGraphicsProxyWidget(parent);
    proxy->setWidget(control);
    if (!parent)
        scene()->addItem(proxy);
    proxy->setGeometry(designRect);
    if (control->focusPolicy() == Qt::NoFocus)
        proxy->setFocusPolicy(Qt::NoFocus);
    m_proxies.append(proxy);
    return proxy;
}

void ScaledView::addShadow(QGraphicsProxyWidget* proxy)
{
    auto* shadow = new QGraphicsDropShadowEffect;
    shadow->setColor(QColor(0, 0, 0, ShadowAlpha));
    proxy->setGraphicsEffect(shadow);
    m_shadows.append(shadow);
    applyScale();
}

void ScaledView::chainTabOrder(const QList<QGraphicsProxyWidget*>& proxies)
{
    for (qsizetype i = 1; i < proxies.size(); ++i)
        QGraphicsWidget::setTabOrder(proxies[i - 1], proxies[i]);
}

QWidget* ScaledView::findControl(const QString& name) const
{
    for (QGraphicsProxyWidget* proxy : m_proxies) {
        QWidget* control = proxy->widget();
        if (control->objectName() == name)
            return control;
        if (auto* child = control->findChild<QWidget*>(name))
            return child;
    }
    return nullptr;
}

QGraphicsProxyWidget* ScaledView::proxyOf(const QWidget* control) const
{
    for (QGraphicsProxyWidget* proxy : m_proxies)
        if (proxy->widget() == control)
            return proxy;
    return nullptr;
}

QPoint ScaledView::viewportPoint(QPointF designPoint) const
{
    return mapFromScene(designPoint);
}

void ScaledView::repaintNow()
{
    viewport()->repaint();
}

void ScaledView::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    applyScale();
}

void ScaledView::applyScale()
{
    const qreal sx = viewport()->width() / m_designSize.width();
    const qreal sy = viewport()->height() / m_designSize.height();
    setTransform(QTransform::fromScale(sx, sy));
    // Graphics effects work in device pixels, so their geometry follows the scale by hand.
    const qreal step = ShadowDistance / std::sqrt(2.0);
    for (QGraphicsDropShadowEffect* shadow : m_shadows) {
        shadow->setOffset(step * sx, step * sy);
        shadow->setBlurRadius(ShadowBlur * std::min(sx, sy));
    }
}

} // namespace lexamo
