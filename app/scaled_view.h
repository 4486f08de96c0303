#pragma once

#include <QGraphicsView>
#include <QHash>
#include <QPointer>
#include <QSizeF>

#include <functional>

namespace lexamo {

class DropShadows;

/// Draws a design-size surface stretched to the view: x by width / design width and y by
/// height / design height, each on its own, so nothing reflows and clicks reach the control
/// where it is drawn. The controls are ordinary child widgets of the surface, which one proxy
/// puts in the scene: embedding each control on its own would give every one a window of its
/// own and make start-up slow.
///
/// The view also runs the keyboard focus among the controls, since Qt's own tab chain ends in
/// the single proxied surface: Tab and Shift+Tab cycle through the tab chain, the focused control
/// wears a frame drawn in design units, and a control that loses the focus by being hidden or
/// disabled hands it on.
class ScaledView : public QGraphicsView
{
    Q_OBJECT
public:
    /// Chooses the control that takes the focus from one that was hidden or disabled.
    using FocusSuccessor = std::function<QWidget*(QWidget* lost)>;
    /// Sees each key pressed in the view before the focused control does; true keeps it there.
    using KeyFilter = std::function<bool(const QKeyEvent& key)>;

    ScaledView(QSize designSize, QColor background, QWidget* parent = nullptr);

    /// The widget that holds every control, in design units.
    QWidget* surface() const { return m_surface; }

    /// Puts a control at its design rectangle inside `parent` (the surface when null).
    void place(QWidget* control, const QRect& designRect, QWidget* parent = nullptr);
    /// A soft black shadow down and to the right, drawn by the control's parent.
    void addShadow(QWidget* control);
    /// The controls that cast a shadow.
    QList<QWidget*> shadowedControls() const;

    /// The controls that Tab visits, in order.
    void setTabChain(const QList<QWidget*>& chain);
    /// By default the focus goes to the next control of the chain that can take it.
    void setFocusSuccessor(FocusSuccessor successor) { m_successor = std::move(successor); }
    void setKeyFilter(KeyFilter filter) { m_keyFilter = std::move(filter); }
    /// The first control after `from` in the chain, cyclically, that can take the focus and
    /// satisfies `wanted`; null when there is none.
    QWidget* nextFocusable(QWidget* from, const std::function<bool(QWidget*)>& wanted = {}) const;

    /// Paints the current state at once and sends it to the window system: the user-interface
    /// thread is about to wait, and speech to start. On Wayland it returns once the compositor
    /// has the frame (within a tenth of a second), handling events meanwhile.
    void repaintNow();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
    void waitUntilShown();
    void moveFocus(bool forward);
    void focusLost(QWidget* control);
    void handFocusOn();
    QRectF focusFrame(QWidget* control) const;

    QSize m_designSize;
    QWidget* m_surface;
    QHash<QWidget*, DropShadows*> m_shadows;
    QList<QWidget*> m_tabChain;
    FocusSuccessor m_successor;
    KeyFilter m_keyFilter;
    QPointer<QWidget> m_lostFocus;
    bool m_handOnPending = false;
};

} // namespace lexamo
