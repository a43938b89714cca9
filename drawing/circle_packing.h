#pragma once

#include <cstdint>
#include <functional>
#include <optional>

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
// circle. Columns are one wire diameter wide with a gap of 0.1 mm before
// each, the first one included: the first column's left edge lies at
// 0.1 mm + diameter, whatever was drawn before. A diameter that is not a
// positive finite number packs nothing.
void packWinding(const Winding& w, const std::function<void(const Circle&)>& emit);

// The left edge, mm, of the column after the one whose left edge is
// `columnLeft` (0 before the first column): a gap of 0.1 mm and a column
// width of one diameter on. The packing places its columns with it, and the
// winding fit counts the columns a window holds with it.
double nextColumnLeft(double columnLeft, float diameter);

// Column pitch, mm: the gap before a column and its width.
double columnPitch(float diameter);

// Whole turns of `strands` parallel wires `diameter` mm thick that one
// column of a window `usableHeight` mm high holds: floor(H / (strands × d ×
// 1.1)), never below 0. Empty where no number of turns can be formed: a
// diameter that is not a positive finite number, no strands, or a height
// that is not a finite number of turns.
std::optional<double> turnsPerColumn(float usableHeight, double strands, float diameter);

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

// The same packing, but emits only circles that can touch `bounds` (the
// picture, widened by what anti-aliasing adds around each circle); skips
// the rest without visiting them one by one.
void packVisibleWinding(const Winding& w, const DrawingBounds& bounds,
                        const std::function<void(const Circle&)>& emit);

} // namespace lout
