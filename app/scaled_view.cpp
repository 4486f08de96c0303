#include "scaled_view.h"

#include "app/drop_shadows.h"

#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QResizeEvent>

#include <cmath>

namespace lexamo {

namespace {

// Shadow parameters in design units: distance 3 at 45 degrees, opacity 0.6, softness 0.3.
constexpr qreal ShadowDistance = 3.0;
constexpr qreal ShadowBlur = 3.0;
constexpr int ShadowAlpha = 153;

} // namespace

ScaledView::ScaledView(QSize designSize, QColor background, QWidget* parent)
    : QGraphicsView(parent), m_designSize(designSize), m_surface(new QWidget)
{
    auto* scene = new QGraphicsScene(QRectF(QPointF(0, 0), QSizeF(designSize)), this);
    scene->setBackgroundBrush(background);
    setScene(scene);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Only text needs smoothing from the view: the circle and the shadows ask for their own, and
    // smoothing every frame and border costs a sixth of the first frame.
    setRenderHints(QPainter::TextAntialiasing);

    // The scene's background shows through the surface.
    m_surface->setAttribute(Qt::WA_TranslucentBackground);
    m_surface->setFixedSize(designSize);
    scene->addWidget(m_surface)->setPos(0, 0);
}

void ScaledView::place(QWidget* control, const QRect& designRect, QWidget* parent)
{
    control->setParent(parent ? parent : m_surface);
    control->setGeometry(designRect);
    // The surface is already on show, and children added later stay hidden until told.
    control->show();
}

void ScaledView::addShadow(QWidget* control)
{
    QWidget* parent = control->parentWidget();
    DropShadows*& shadows = m_shadows[parent];
    if (!shadows) {
        const qreal step = ShadowDistance / std::sqrt(2.0);
        shadows =
            new DropShadows(QPointF(step, step), ShadowBlur, QColor(0, 0, 0, ShadowAlpha), parent);
    }
    shadows->add(control);
}

QList<QWidget*> ScaledView::shadowedControls() const
{
    QList<QWidget*> result;
    for (const DropShadows* shadows : m_shadows)
        for (const QPointer<QWidget>& control : shadows->controls())
            result.append(control.data());
    return result;
}

void ScaledView::repaintNow()
{
    viewport()->repaint();
}

void ScaledView::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    setTransform(QTransform::fromScale(viewport()->width() / qreal(m_designSize.width()),
                                       viewport()->height() / qreal(m_designSize.height())));
}

} // namespace lexamo
