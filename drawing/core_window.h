#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lout {

// The chosen core as the core picture reads it: the model name (empty when
// the catalogue holds none) and the dimensions A to F in millimetres, each
// empty where the catalogue holds no number.
struct CoreDimensions {
    std::optional<std::string> modelName;
    std::array<std::optional<double>, 6> millimetres; // A, B, C, D, E, F
};

// The family code: the first two characters (not bytes) of the model name,
// or the whole name when it is shorter.
std::string familyCode(std::string_view modelName);

// What one pass of the core picture works out, in this order. Each optional
// is set only when everything before it could be worked out; the first that
// cannot ends the pass there.
struct CoreWindowLayout {
    std::optional<float> outlineScale;  // twips per mm of the yoke
    std::optional<float> legHeight;     // twips, the height of the three legs
    std::optional<float> usableWidth;   // mm, rounded through "0.00"
    std::optional<float> usableHeight;  // mm, rounded through "0.00"
    std::optional<float> windowScale;   // twips per mm of the window pictures
    std::optional<float> pictureHeight; // twips, the height of both window pictures
    // True when everything up to the picture heights was worked out: the pass
    // then waits and draws the winding.
    bool readyToDraw() const { return pictureHeight.has_value(); }
};

CoreWindowLayout layoutCoreWindow(const CoreDimensions& core, float yokeWidthTwips, float pictureWidthTwips);

// The winding window of a core by its family's formulas: the whole window
// W × H, and what the coil former leaves of it, rounded to hundredths as the
// core picture uses it (its usable width and height).
struct WindingWindow {
    float width;        // W, mm
    double height;      // H, mm
    float usableWidth;  // W - 1.1 mm
    float usableHeight; // H - 2.2 mm
};

// Empty without a model name, for a family with no window formula, or where
// a dimension the formulas need is not a number.
std::optional<WindingWindow> windingWindowOf(const CoreDimensions& core);

// The perimeter of the centre leg, mm, that a turn goes round: 2 (C + D) for
// the rectangular legs of EE, EI and UU cores, pi C for the round poles of
// EC, ETD, PQ, RM and EP cores (C and D as data/SOURCES.md defines them for
// each family). Empty for any other family (SOURCES.md defines no C and D
// for a bare E or a UF core) or where C or D is not a number.
std::optional<double> centreLegPerimeter(const CoreDimensions& core);

// A design count (turns, strands) as the byte the winding takes: floored,
// empty when non-finite or outside 0..255.
std::optional<std::uint8_t> windingCount(float value);

} // namespace lout
