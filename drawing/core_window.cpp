#include "drawing/core_window.h"

#include "design/text/number_text.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace lout {

namespace {

// Where the dimensions stand among A to F.
constexpr std::size_t kA = 0;
constexpr std::size_t kB = 1;
constexpr std::size_t kC = 2;
constexpr std::size_t kD = 3;
constexpr std::size_t kE = 4;

// What the winding window loses to the coil former, mm.
constexpr double kWidthAllowance = 1.1;
constexpr double kHeightAllowance = 2.2;

// How a core family's winding window follows from its dimensions.
enum class WindowFormula {
    None,           // unknown family: W and H stay 0
    HalfSpanByE,    // W = (B - C) / 2, H = E
    HalfSpanBy2E,   // W = (B - C) / 2, H = 2 E
    SpanBy2E,       // W = B,           H = 2 E
};

WindowFormula formulaFor(std::string_view code)
{
    if (code == "EI")
        return WindowFormula::HalfSpanByE;
    for (const std::string_view c : {"E", "EE", "EC", "ET", "PQ", "RM", "EP"})
        if (code == c)
            return WindowFormula::HalfSpanBy2E;
    if (code == "UF" || code == "UU")
        return WindowFormula::SpanBy2E;
    return WindowFormula::None;
}

// The cross-section of the centre leg a turn goes round.
enum class CentreLeg {
    Unknown,
    Rectangular, // C wide, D deep: EE, EI and UU cores
    Round,       // C across: EC, ETD, PQ, RM and EP cores
};

CentreLeg centreLegFor(std::string_view code)
{
    for (const std::string_view c : {"EE", "EI", "UU"})
        if (code == c)
            return CentreLeg::Rectangular;
    for (const std::string_view c : {"EC", "ET", "PQ", "RM", "EP"})
        if (code == c)
            return CentreLeg::Round;
    return CentreLeg::Unknown;
}

// A dimension that takes part in arithmetic: a finite number.
std::optional<double> finiteNumber(const std::optional<double>& dimension)
{
    if (!dimension || !std::isfinite(*dimension))
        return std::nullopt;
    return dimension;
}

// Storing into a single-precision variable: overflow is a failure.
std::optional<float> toSingle(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
        return std::nullopt;
    return static_cast<float>(value);
}

std::optional<float> toSingle(const std::optional<double>& value)
{
    return value ? toSingle(*value) : std::nullopt;
}

std::optional<double> quotient(double dividend, double divisor)
{
    if (divisor == 0.0)
        return std::nullopt;
    const double q = dividend / divisor;
    if (!std::isfinite(q))
        return std::nullopt;
    return q;
}

struct WindowSize {
    float width = 0.0f;  // W, mm, single precision
    double height = 0.0; // H, mm, kept as the catalogue's number
};

std::optional<WindowSize> windowSizeOf(WindowFormula formula, const CoreDimensions& core)
{
    WindowSize size;
    if (formula == WindowFormula::None)
        return size;

    const auto b = finiteNumber(core.millimetres[kB]);
    if (!b)
        return std::nullopt;
    std::optional<float> width;
    if (formula == WindowFormula::SpanBy2E) {
        width = toSingle(*b);
    } else {
        const auto c = finiteNumber(core.millimetres[kC]);
        if (!c)
            return std::nullopt;
        width = toSingle((*b - *c) / 2.0);
    }
    if (!width)
        return std::nullopt;
    size.width = *width;

    const auto e = finiteNumber(core.millimetres[kE]);
    if (!e)
        return std::nullopt;
    size.height = formula == WindowFormula::HalfSpanByE ? *e : 2.0 * *e;
    if (!std::isfinite(size.height))
        return std::nullopt;
    return size;
}

// What the coil former leaves of the window, rounded to hundredths the way
// the usable sizes are shown, and used as such.
std::optional<double> usableWidthOf(const WindowSize& window)
{
    return roundedToHundredths(static_cast<double>(window.width) - kWidthAllowance);
}

std::optional<double> usableHeightOf(const WindowSize& window)
{
    return roundedToHundredths(window.height - kHeightAllowance);
}

} // namespace

std::string familyCode(std::string_view modelName)
{
    // Count UTF-8 lead bytes: a character starts at every byte that is not
    // a continuation byte (10xxxxxx).
    int characters = 0;
    for (std::size_t i = 0; i < modelName.size(); ++i) {
        const auto byte = static_cast<unsigned char>(modelName[i]);
        if ((byte & 0xC0u) == 0x80u)
            continue;
        if (characters == 2)
            return std::string(modelName.substr(0, i));
        ++characters;
    }
    return std::string(modelName);
}

CoreWindowLayout layoutCoreWindow(const CoreDimensions& core, float yokeWidthTwips, float pictureWidthTwips)
{
    CoreWindowLayout layout;

    // The model's family gives the window's formulas.
    if (!core.modelName)
        return layout;
    const auto window = windowSizeOf(formulaFor(familyCode(*core.modelName)), core);
    if (!window)
        return layout;

    // The yoke stands for dimension A.
    const auto a = finiteNumber(core.millimetres[kA]);
    if (!a)
        return layout;
    const auto outlineScale = toSingle(quotient(static_cast<double>(yokeWidthTwips), *a));
    if (!outlineScale)
        return layout;
    layout.outlineScale = outlineScale;

    // The legs are E long at that scale.
    const auto e = finiteNumber(core.millimetres[kE]);
    if (!e)
        return layout;
    layout.legHeight = toSingle(*e * static_cast<double>(*outlineScale));
    if (!layout.legHeight)
        return layout;

    // The usable sizes, rounded to hundredths and used as such.
    const auto usableWidth = usableWidthOf(*window);
    const auto usableHeight = usableHeightOf(*window);
    layout.usableWidth = toSingle(usableWidth);
    if (!layout.usableWidth)
        return layout;
    layout.usableHeight = toSingle(usableHeight);
    if (!layout.usableHeight)
        return layout;

    // The picture's fixed width stands for the usable width. A usable width
    // of 0.00 ends the pass here.
    layout.windowScale = toSingle(quotient(static_cast<double>(pictureWidthTwips), *usableWidth));
    if (!layout.windowScale)
        return layout;

    // Both pictures take the proportions of the usable window.
    layout.pictureHeight = toSingle(*usableHeight * static_cast<double>(*layout.windowScale));
    return layout;
}

std::optional<WindingWindow> windingWindowOf(const CoreDimensions& core)
{
    if (!core.modelName)
        return std::nullopt;
    const WindowFormula formula = formulaFor(familyCode(*core.modelName));
    if (formula == WindowFormula::None)
        return std::nullopt;
    const auto window = windowSizeOf(formula, core);
    if (!window)
        return std::nullopt;
    const auto usableWidthSingle = toSingle(usableWidthOf(*window));
    const auto usableHeightSingle = toSingle(usableHeightOf(*window));
    if (!usableWidthSingle || !usableHeightSingle)
        return std::nullopt;
    return WindingWindow{window->width, window->height, *usableWidthSingle, *usableHeightSingle};
}

std::optional<double> centreLegPerimeter(const CoreDimensions& core)
{
    if (!core.modelName)
        return std::nullopt;
    const CentreLeg leg = centreLegFor(familyCode(*core.modelName));
    const auto c = finiteNumber(core.millimetres[kC]);
    if (leg == CentreLeg::Unknown || !c)
        return std::nullopt;
    double perimeter = std::numbers::pi * *c;
    if (leg == CentreLeg::Rectangular) {
        const auto d = finiteNumber(core.millimetres[kD]);
        if (!d)
            return std::nullopt;
        perimeter = 2.0 * (*c + *d);
    }
    // A leg of no size, or of a size beyond the doubles, has no perimeter.
    if (!(std::isfinite(perimeter) && perimeter > 0.0))
        return std::nullopt;
    return perimeter;
}

std::optional<std::uint8_t> windingCount(float value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const float whole = std::floor(value);
    if (whole < 0.0f || whole > 255.0f)
        return std::nullopt;
    return static_cast<std::uint8_t>(whole);
}

} // namespace lout
