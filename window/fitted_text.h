#pragma once

#include <QFont>
#include <QString>

namespace lout {

// The smallest pixel size a text is shrunk to before it is cut: the CJK
// face still draws whole, distinct digits at it.
inline constexpr int kSmallestPixelSize = 6;

// How a text is drawn in a box `width` pixels wide: in `font` when it fits,
// else in the largest smaller pixel size at which it fits whole, and only
// below kSmallestPixelSize elided at its right end, so that its sign and
// leading digits always show.
struct FittedText {
    QFont font;
    QString shown;
    bool operator==(const FittedText&) const = default;
};
FittedText fitText(const QString& text, const QFont& font, int width);

} // namespace lout
