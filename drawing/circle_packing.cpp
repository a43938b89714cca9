#include "drawing/circle_packing.h"

#include <algorithm>
#include <cmath>

namespace lout {

namespace {

// Gap between neighbouring columns, mm.
constexpr double columnGap = 0.1;
// Centre-to-centre pitch within a column, in wire diameters.
constexpr double pitchFactor = 1.1;

// The circle of strand `strand` of turn `turn` in the column whose left edge
// is `columnLeft` mm: centre in double, handed over in single; radius in
// single.
Circle circleAt(const Winding& w, double columnLeft, unsigned turn, unsigned strand)
{
    const double dx = static_cast<double>(w.diameter);
    const double kl = static_cast<double>(w.twipsPerMm);
    const double strands = static_cast<double>(w.strands);
    const double x = (columnLeft + dx / 2.0) * kl;
    const double y = (dx / 2.0 + static_cast<double>(turn) * strands * dx * pitchFactor
                      + static_cast<double>(strand) * dx * pitchFactor)
                     * kl;
    return Circle{static_cast<float>(x), static_cast<float>(y), w.diameter * w.twipsPerMm / 2.0f};
}

// Walks the columns of the winding as the packing lays them out, calling
// onColumn(columnLeft, turnsInColumn) for each. At most `turns` columns,
// whatever the numbers; none for a diameter that is not positive and finite.
template <typename OnColumn>
void forEachColumn(const Winding& w, OnColumn&& onColumn)
{
    if (!(std::isfinite(w.diameter) && w.diameter > 0.0f))
        return;
    const std::optional<double> perColumn = turnsPerColumn(w.usableHeight, w.strands, w.diameter);
    if (!perColumn || !(*perColumn > 0.0))
        return;
    const double fit = *perColumn;
    // Every column, the first one too, begins one gap after a column's width.
    double columnLeft = 0.0;
    unsigned turnsLeft = w.turns;
    for (;;) {
        columnLeft = nextColumnLeft(columnLeft, w.diameter);
        const unsigned inColumn = static_cast<double>(turnsLeft) < fit ? turnsLeft : static_cast<unsigned>(fit);
        onColumn(columnLeft, inColumn);
        turnsLeft -= inColumn;
        if (turnsLeft == 0)
            return;
    }
}

// Indices k = turn × strands + strand of a column whose circles can reach
// rows [top, bottom]; a conservative superset, checked circle by circle.
struct IndexRange {
    long first;
    long last; // inclusive; first > last when empty
};

IndexRange candidateRows(const Winding& w, long count, const DrawingBounds& bounds)
{
    const double dx = static_cast<double>(w.diameter);
    const double kl = static_cast<double>(w.twipsPerMm);
    const double reach = std::fabs(static_cast<double>(w.diameter * w.twipsPerMm / 2.0f));
    const double pitch = dx * pitchFactor * kl;
    const double firstCentre = dx / 2.0 * kl;
    const IndexRange all{0, count - 1};
    if (!std::isfinite(pitch) || !std::isfinite(firstCentre) || !std::isfinite(reach) || pitch == 0.0)
        return all;

    double a = (bounds.top - reach - firstCentre) / pitch;
    double b = (bounds.bottom + reach - firstCentre) / pitch;
    if (a > b)
        std::swap(a, b);
    if (std::isnan(a) || std::isnan(b))
        return all;
    // Two rows of slack cover the rounding of the centres.
    const double first = std::max(std::floor(a) - 2.0, 0.0);
    const double last = std::min(std::ceil(b) + 2.0, static_cast<double>(count - 1));
    if (first > last)
        return IndexRange{0, -1};
    return IndexRange{static_cast<long>(first), static_cast<long>(last)};
}

bool overlaps(float centre, float radius, double low, double high)
{
    const double reach = std::fabs(static_cast<double>(radius));
    const double at = static_cast<double>(centre);
    return at + reach >= low && at - reach <= high;
}

} // namespace

double nextColumnLeft(double columnLeft, float diameter)
{
    return columnLeft + columnGap + static_cast<double>(diameter);
}

double columnPitch(float diameter)
{
    return columnGap + static_cast<double>(diameter);
}

// Whole turns per column; none can be formed without strands or diameter,
// or when the height is not a finite number of turns.
std::optional<double> turnsPerColumn(float usableHeight, double strands, float diameter)
{
    if (!(std::isfinite(diameter) && diameter > 0.0f))
        return std::nullopt;
    const double turnHeight = strands * static_cast<double>(diameter) * pitchFactor;
    if (turnHeight == 0.0)
        return std::nullopt;
    const double ratio = static_cast<double>(usableHeight) / turnHeight;
    if (!std::isfinite(ratio))
        return std::nullopt;
    return std::max(std::floor(ratio), 0.0);
}

bool canTouch(const Circle& c, const DrawingBounds& bounds)
{
    return overlaps(c.cx, c.r, bounds.left, bounds.right) && overlaps(c.cy, c.r, bounds.top, bounds.bottom);
}

void packWinding(const Winding& w, const std::function<void(const Circle&)>& emit)
{
    forEachColumn(w, [&](double columnLeft, unsigned turnsInColumn) {
        for (unsigned turn = 0; turn < turnsInColumn; ++turn)
            for (unsigned strand = 0; strand < w.strands; ++strand)
                emit(circleAt(w, columnLeft, turn, strand));
    });
}


void packVisibleWinding(const Winding& w, const DrawingBounds& bounds,
                        const std::function<void(const Circle&)>& emit)
{
    forEachColumn(w, [&](double columnLeft, unsigned turnsInColumn) {
        if (turnsInColumn == 0 || w.strands == 0)
            return;
        // Every circle of a column shares its centre x: test the column once.
        const Circle top = circleAt(w, columnLeft, 0, 0);
        if (!overlaps(top.cx, top.r, bounds.left, bounds.right))
            return;
        const long count = static_cast<long>(turnsInColumn) * w.strands;
        const IndexRange rows = candidateRows(w, count, bounds);
        for (long k = rows.first; k <= rows.last; ++k) {
            const Circle c = circleAt(w, columnLeft, static_cast<unsigned>(k / w.strands),
                                      static_cast<unsigned>(k % w.strands));
            if (canTouch(c, bounds))
                emit(c);
        }
    });
}

} // namespace lout
