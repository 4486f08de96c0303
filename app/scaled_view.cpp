#include "scaled_view.h"

#include "app/drop_shadows.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QThread>
#include <QWindow>

#include <cmath>

namespace lexamo {

namespace {

// Shadow parameters in design units: distance 3 at 45 degrees, opacity 0.6, softness 0.3.
constexpr qreal ShadowDistance = 3.0;
constexpr qreal ShadowBlur = 3.0;
constexpr int ShadowAlpha = 153;

// The focus frame, in design units: it stretches with everything else.
constexpr qreal FocusFrameWidth = 2.0;
constexpr qreal FocusFrameGap = 1.0;
const QColor FocusFrameColour(0x10, 0x20, 0x80);

/// Whether a control of the tab chain can take the focus now. Its focus policy is not asked
/// again: Qt takes the Tab stop away from the other buttons of a radio group whenever one of
/// them gains the focus, and its arrow keys that would reach them do not work in a proxy.
bool canTakeFocus(const QWidget* control)
{
    return control->isVisible() && control->isEnabled() && control->focusPolicy() != Qt::NoFocus;
}

// Longest wait for a Wayland compositor to show a frame: a window it does not show at all (one
// minimized, say) gets no frame callbacks.
constexpr int FrameShownLimitMs = 100;

/// Counts the update requests a window receives. On Wayland one is delivered when the compositor
/// has taken in the frame before it.
class UpdateRequestCounter : public QObject
{
public:
    explicit UpdateRequestCounter(QWindow* window) { window->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::UpdateRequest)
            ++count;
        return false;
    }
};

bool isKeyEvent(const QEvent* event)
{
    return event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease ||
           event->type() == QEvent::ShortcutOverride;
}

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

void ScaledView::setTabChain(const QList<QWidget*>& chain)
{
    m_tabChain = chain;
    for (qsizetype i = 0; i < chain.size(); ++i) {
        chain[i]->installEventFilter(this);
        if (i > 0)
            QWidget::setTabOrder(chain[i - 1], chain[i]);
    }
}

QWidget* ScaledView::nextFocusable(QWidget* from, const std::function<bool(QWidget*)>& wanted) const
{
    const qsizetype count = m_tabChain.size();
    const qsizetype start = m_tabChain.indexOf(from);
    for (qsizetype step = 1; step <= count; ++step) {
        QWidget* control = m_tabChain[(start + step + count) % count];
        if (canTakeFocus(control) && (!wanted || wanted(control)))
            return control;
    }
    return nullptr;
}

void ScaledView::moveFocus(bool forward)
{
    const qsizetype count = m_tabChain.size();
    qsizetype index = m_tabChain.indexOf(m_surface->focusWidget());
    if (index < 0)
        index = forward ? -1 : count;
    for (qsizetype step = 1; step <= count; ++step) {
        QWidget* control =
            m_tabChain[((forward ? index + step : index - step) % count + count) % count];
        if (canTakeFocus(control)) {
            control->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

void ScaledView::focusLost(QWidget* control)
{
    // Decided once the handler that hid or disabled the control has finished: the drill may
    // show the next question's words or enable Next a moment later.
    m_lostFocus = control;
    if (m_handOnPending)
        return;
    m_handOnPending = true;
    QMetaObject::invokeMethod(this, &ScaledView::handFocusOn, Qt::QueuedConnection);
}

void ScaledView::handFocusOn()
{
    m_handOnPending = false;
    QWidget* lost = m_lostFocus;
    m_lostFocus = nullptr;
    if (!lost || (canTakeFocus(lost) && m_surface->focusWidget() == lost))
        return;
    QWidget* successor = m_successor ? m_successor(lost) : nextFocusable(lost);
    if (successor)
        successor->setFocus(Qt::OtherFocusReason);
}

bool ScaledView::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress && m_keyFilter &&
        m_keyFilter(*static_cast<QKeyEvent*>(event)))
        return true;
    if (event->type() == QEvent::KeyPress && !m_tabChain.isEmpty()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool plain =
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (plain && (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)) {
            moveFocus(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QGraphicsView::event(event);
}

bool ScaledView::eventFilter(QObject* watched, QEvent* event)
{
    auto* control = static_cast<QWidget*>(watched);
    // A hidden control keeps Qt's focus inside the proxy: its keys would still click it.
    if (isKeyEvent(event) && !control->isVisible()) {
        event->accept();
        return true;
    }
    switch (event->type()) {
    case QEvent::Hide:
        if (m_surface->focusWidget() == control)
            focusLost(control);
        scene()->update(focusFrame(control));
        break;
    case QEvent::FocusOut:
        // Qt moves the focus away from a control that is disabled; where to is ours to say.
        if (!control->isEnabled())
            focusLost(control);
        scene()->update(focusFrame(control));
        break;
    case QEvent::FocusIn:
    case QEvent::Show:
    case QEvent::EnabledChange:
        scene()->update(focusFrame(control));
        break;
    default:
        break;
    }
    return false;
}

QRectF ScaledView::focusFrame(QWidget* control) const
{
    const QRectF bounds(control->mapTo(m_surface, QPoint(0, 0)), control->size());
    const qreal outside = FocusFrameGap + FocusFrameWidth;
    return bounds.adjusted(-outside, -outside, outside, outside);
}

void ScaledView::drawForeground(QPainter* painter, const QRectF& rect)
{
    QGraphicsView::drawForeground(painter, rect);
    QWidget* focused = m_surface->focusWidget();
    if (!focused || !focused->hasFocus() || !canTakeFocus(focused) || !m_tabChain.contains(focused))
        return;
    const qreal inset = FocusFrameWidth / 2;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(QPen(FocusFrameColour, FocusFrameWidth));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(focusFrame(focused).adjusted(inset, inset, -inset, -inset));
    painter->restore();
}

void ScaledView::repaintNow()
{
    viewport()->repaint();
    // The frame is committed now, but a Wayland client sends what it has written to the
    // compositor only when its event dispatcher wakes up, which the coming wait would do only
    // after speech has begun. Announcing the wake-up sends the frame at once; X11 has already
    // sent it.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        emit dispatcher->awake();
    if (QGuiApplication::platformName().startsWith(QStringLiteral("wayland")))
        waitUntilShown();
}

void ScaledView::waitUntilShown()
{
    // A Wayland client commits a frame at once only when the compositor has taken in the one
    // before, and audio made ahead of time starts within milliseconds: the next update request
    // comes once the compositor has taken in what was committed, this frame included.
    QWindow* shown = window()->windowHandle();
    if (!shown || !shown->isExposed())
        return;
    UpdateRequestCounter requests(shown);
    const QDeadlineTimer deadline(FrameShownLimitMs);
    shown->requestUpdate();
    while (requests.count == 0 && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(1);
    }
}

void ScaledView::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    setTransform(QTransform::fromScale(viewport()->width() / qreal(m_designSize.width()),
                                       viewport()->height() / qreal(m_designSize.height())));
}

} // namespace lexamo
