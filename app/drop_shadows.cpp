#include "drop_shadows.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace lexamo {

namespace {

// Pixels per design unit of the shadow image: a blur has no fine detail, so one pixel per unit,
// smoothly scaled when drawn, looks the same at any size and is quickest to make.
constexpr qreal Resolution = 1.0;

/// One pass of a box blur of the given radius along rows (or columns), on alpha values.
void boxBlur(std::vector<float>& alpha, int width, int height, int radius, bool alongRows)
{
    const int length = alongRows ? width : height;
    const int lines = alongRows ? height : width;
    std::vector<float> line(static_cast<std::size_t>(length));
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int i) -> float& {
            const int x = alongRows ? i : l;
            const int y = alongRows ? l : i;
            return alpha[static_cast<std::size_t>(y * width + x)];
        };
        for (int i = 0; i < length; ++i)
            line[static_cast<std::size_t>(i)] = at(i);
        float sum = 0;
        for (int i = 0; i <= radius && i < length; ++i)
            sum += line[static_cast<std::size_t>(i)];
        for (int i = 0; i < length; ++i) {
            at(i) = sum / static_cast<float>(2 * radius + 1);
            const int out = i - radius;
            const int in = i + radius + 1;
            sum -= (out >= 0) ? line[static_cast<std::size_t>(out)] : 0.0f;
            sum += (in < length) ? line[static_cast<std::size_t>(in)] : 0.0f;
        }
    }
}

QImage makeShadow(QSize size, qreal blurRadius, QColor colour)
{
    const int margin = static_cast<int>(std::ceil(blurRadius * Resolution));
    const int width = static_cast<int>(std::ceil(size.width() * Resolution)) + 2 * margin;
    const int height = static_cast<int>(std::ceil(size.height() * Resolution)) + 2 * margin;
    std::vector<float> alpha(static_cast<std::size_t>(width * height), 0.0f);
    for (int y = margin; y < height - margin; ++y)
        std::fill_n(alpha.begin() + y * width + margin, width - 2 * margin, 1.0f);
    // Three box blurs come close to a Gaussian blur.
    const int radius = std::max(1, margin / 3);
    for (int pass = 0; pass < 3; ++pass) {
        boxBlur(alpha, width, height, radius, true);
        boxBlur(alpha, width, height, radius, false);
    }
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    const QRgb opaque = colour.rgb();
    const auto maxAlpha = static_cast<float>(colour.alpha());
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const auto a =
                static_cast<int>(alpha[static_cast<std::size_t>(y * width + x)] * maxAlpha);
            row[x] = qPremultiply(qRgba(qRed(opaque), qGreen(opaque), qBlue(opaque), a));
        }
    }
    return image;
}

} // namespace

DropShadows::DropShadows(QPointF offset, qreal blurRadius, QColor colour, QWidget* parent)
    : QObject(parent), m_offset(offset), m_blurRadius(blurRadius), m_colour(colour)
{
    parent->installEventFilter(this);
}

void DropShadows::add(QWidget* control)
{
    m_controls.append(control);
    control->installEventFilter(this);
}

QRect DropShadows::shadowRect(const QWidget* control) const
{
    return QRectF(control->geometry())
        .translated(m_offset)
        .adjusted(-m_blurRadius, -m_blurRadius, m_blurRadius, m_blurRadius)
        .toAlignedRect();
}

const QImage& DropShadows::shadowFor(QSize size)
{
    const quint64 key = (quint64(quint32(size.width())) << 32) | quint32(size.height());
    auto found = m_images.find(key);
    if (found == m_images.end())
        found = m_images.insert(key, makeShadow(size, m_blurRadius, m_colour));
    return *found;
}

bool DropShadows::eventFilter(QObject* watched, QEvent* event)
{
    // A control repaints only its own rectangle when it is hidden or shown; its shadow lies
    // partly outside it and needs the parent repainted there too.
    if (watched != parent()) {
        if (event->type() == QEvent::Hide || event->type() == QEvent::Show)
            static_cast<QWidget*>(parent())->update(shadowRect(static_cast<QWidget*>(watched)));
        return false;
    }
    // The widget's background is already filled when its paint event arrives, and its own
    // painting (a panel's frame) and its children come after: the shadows land between.
    if (event->type() == QEvent::Paint) {
        QPainter painter(static_cast<QWidget*>(watched));
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        for (const QPointer<QWidget>& control : m_controls) {
            if (!control || !control->isVisibleTo(control->parentWidget()))
                continue;
            const QRectF target =
                QRectF(control->geometry())
                    .translated(m_offset)
                    .adjusted(-m_blurRadius, -m_blurRadius, m_blurRadius, m_blurRadius);
            painter.drawImage(target, shadowFor(control->size()));
        }
    }
    return false;
}

} // namespace lexamo
