#pragma once

#include <QLabel>

namespace lexamo {

/// A label on one line whose text shrinks from the label's font size only as far as it must to
/// fit its box: a counter keeps its box in the layout however large its numbers grow.
class FittingLabel : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace lexamo
