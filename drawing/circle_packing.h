#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace lout {

// One wire cross-section in the picture's drawing units (twips), origin at
// the top left, y downwards.
struct Circle {
    float cx;
    float cy;
    float r;
};

// What a winding is: turns of parallel strands of one wire diameter packed in
// columns into a window `usableHeight` mm high, drawn at `twipsPerMm`.
struct Winding {
    float usableHeight; // H, mm
    float twipsPerMm;   // Kl
    std::uint8_t turns; // Nx
    std::uint8_t strands; // Ns
    float diameter;     // Dx, mm
};

// Packs the winding column by column, top to bottom, calling `emit` for each
// circle. `columnWidth` is the width of the previous call's last column (mm);
// it is read at the first column and left holding this call's wire diameter
// (0 when the diameter is not positive), as the next call expects.
void packWinding(const Winding& w, float& columnWidth, const std::function<void(const Circle&)>& emit);

std::vector<Circle> packWindingCircles(const Winding& w, float& columnWidth);

// The same packing, but emits only circles that can touch the rectangle
// [0, widthTwips] x [0, heightTwips]; skips the rest without visiting them
// one by one. `columnWidth` ends exactly as in packWinding.
void packVisibleWinding(const Winding& w, float& columnWidth, float widthTwips, float heightTwips,
                        const std::function<void(const Circle&)>& emit);

// A rectangle of the drawing plane in twips (left <= right, top <= bottom
// for a non-empty one).
struct DrawingBounds {
    double left;
    double top;
    double right;
    double bottom;
};

// Whether any part of `c` (its radius taken by magnitude) lies within
// `bounds`. False for a circle with a non-finite centre or radius.
bool canTouch(const Circle& c, const DrawingBounds& bounds);

// packVisibleWinding for any rectangle, e.g. the picture widened by a margin
// for what anti-aliasing adds around each circle.
void packVisibleWinding(const Winding& w, float& columnWidth, const DrawingBounds& bounds,
                        const std::function<void(const Circle&)>& emit);

} // namespace lout
