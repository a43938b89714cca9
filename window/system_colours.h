#pragma once

#include <QColor>
#include <QPalette>

namespace lout {

// The desktop's colour roles the window is designed with, taken from the
// palette so that they follow the colour scheme.
struct SystemColours {
    QColor windowBackground; // text boxes, winding pictures
    QColor windowText;
    QColor highlight;        // frame captions
    QColor highlightText;    // result labels' background, mean-current line
    QColor activeBorder;     // waveform picture background
    QColor titleBarText;     // dimension lines of the diagram
    QColor desktop;          // formula tips

    static SystemColours from(const QPalette& palette)
    {
        return {palette.color(QPalette::Base),
                palette.color(QPalette::Text),
                palette.color(QPalette::Highlight),
                palette.color(QPalette::HighlightedText),
                palette.color(QPalette::Button),
                // Title bars draw their text like selected text.
                palette.color(QPalette::HighlightedText),
                // No palette role holds the desktop colour; the classic
                // desktop blue reads well on the dialog face.
                QColor(58, 110, 165)};
    }
};

} // namespace lout
