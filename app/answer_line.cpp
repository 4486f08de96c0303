// SPDX-License-Identifier: GPL-3.0-or-later
#include "answer_line.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

namespace lexamo {

namespace {

const QColor TypedColour(0x00, 0x55, 0xCC);
const QColor RefusedColour(0xCC, 0x00, 0x00);

} // namespace

void AnswerLine::setTyped(const QString& typed, bool refused)
{
    if (typed == m_typed && refused == m_refused)
        return;
    m_typed = typed;
    m_refused = refused;
    update();
}

void AnswerLine::paintEvent(QPaintEvent*)
{
    // Painted here with or without typed text, so the answer does not move when typing starts.
    const QString answer = text();
    const QString whole =
        answer.isEmpty() || m_typed.isEmpty() ? answer + m_typed : answer + u' ' + m_typed;
    QTextLayout layout(whole, font());
    QTextOption option(alignment());
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QTextLayout::FormatRange typedPart{};
    typedPart.start = static_cast<int>(whole.size() - m_typed.size());
    typedPart.length = static_cast<int>(m_typed.size());
    typedPart.format.setForeground(m_refused ? RefusedColour : TypedColour);
    typedPart.format.setFontUnderline(true);
    if (m_refused)
        typedPart.format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    layout.setFormats({typedPart});

    const QRect area = contentsRect();
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(area.width());
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();

    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    layout.draw(&painter, QPointF(area.left(), area.top() + (area.height() - height) / 2));
}

void AnswerLine::mousePressEvent(QMouseEvent* event)
{
    // Taken, so that the release comes here too.
    if (event->button() == Qt::LeftButton)
        event->accept();
    else
        QLabel::mousePressEvent(event);
}

void AnswerLine::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    else
        QLabel::mouseReleaseEvent(event);
}

} // namespace lexamo
