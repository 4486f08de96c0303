// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace lexamo {

/// The answer line: the words placed so far, then what the learner is typing towards the next
/// word, set apart in colour and underlined (red with a wavy line once it has been refused).
/// text() stays the answer line alone. A click on it asks to take back its last word.
class AnswerLine : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

    void setTyped(const QString& typed, bool refused);
    const QString& typed() const { return m_typed; }
    bool typedRefused() const { return m_refused; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString m_typed;
    bool m_refused = false;
};

} // namespace lexamo
