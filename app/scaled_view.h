#pragma once

#include <QGraphicsView>
#include <QHash>
#include <QSizeF>

namespace lexamo {

class DropShadows;

/// Draws a design-size surface stretched to the view: x by width / design width and y by
/// height / design height, each on its own, so nothing reflows and clicks reach the control
/// where it is drawn. The controls are ordinary child widgets of the surface, which one proxy
/// puts in the scene: embedding each control on its own would give every one a window of its
/// own and make start-up slow.
class ScaledView : public QGraphicsView
{
    Q_OBJECT
public:
    ScaledView(QSize designSize, QColor background, QWidget* parent = nullptr);

    /// The widget that holds every control, in design units.
    QWidget* surface() const { return m_surface; }

    /// Puts a control at its design rectangle inside `parent` (the surface when null).
    void place(QWidget* control, const QRect& designRect, QWidget* parent = nullptr);
    /// A soft black shadow down and to the right, drawn by the control's parent.
    void addShadow(QWidget* control);
    /// The controls that cast a shadow.
    QList<QWidget*> shadowedControls() const;

    /// Paints the current state at once: the user-interface thread is about to block.
    void repaintNow();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize m_designSize;
    QWidget* m_surface;
    QHash<QWidget*, DropShadows*> m_shadows;
};

} // namespace lexamo
