#pragma once

#include <QFrame>

#include <cstddef>
#include <vector>

class QLabel;
class QPainter;
class QRegion;

namespace lout {

// The waveform diagram: the secondary voltage U2 as rectangular pulses and
// the inductor current as a triangular ripple around its mean Io, with the
// on and off times and the ripple over the current. It is a fixed drawing:
// its texts are labels, its lines are entries of a table that the picture
// paints itself. Only the ripple ratio changes.
//
// Lines and labels are stacked as designed: a line lies over the labels
// beneath it and under the labels above it. The picture's drawing area
// paints the lines beneath the labels; a see-through layer above the labels
// paints the parts of lines that lie over a label below them.
class WaveformDiagram : public QFrame {
public:
    explicit WaveformDiagram(QWidget* window);

    // Shows the ripple ratio, whose label grows to the right with its text
    // as far as the picture's edge.
    void showRipple(const QString& percent);

private:
    class Line;
    class LineLayer;

    // One entry of the drawing, a line or a label; the first lies lowest.
    struct Item {
        const Line* line = nullptr;
        const QLabel* label = nullptr;
    };

    // The part of line `index` that lies over a label beneath it and under
    // no label above it.
    QRegion partOverLabels(std::size_t index) const;
    // Paints every line, bottom first: either what lies over labels or the
    // rest.
    void paintLines(QPainter& painter, bool overLabels) const;

    QLabel* ripple_ = nullptr;
    std::vector<Item> items_;
};

} // namespace lout
