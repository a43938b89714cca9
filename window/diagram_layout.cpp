// The waveform diagram: the secondary voltage as rectangular pulses and the
// inductor current as a triangular ripple around Io, drawn from lines and
// labels placed in twips inside PicBox(0).
#include "window/lout.h"

#include "window/control_factory.h"
#include "window/line_control.h"
#include "window/system_colours.h"
#include "window/twips.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>

#include <variant>

namespace lout {

namespace {

enum class Array { linU2, linIout, linCoord, linScale, Label3 };

// Colours that follow the desktop scheme are named by role.
enum class Role { None, HighlightText, TitleBarText };

struct LineSpec {
    Array array;
    int index;
    int x1, y1, x2, y2;
    QRgb rgb;
    Role role;
    int width;
};

struct LabelSpec {
    int index;
    int left, top, width, height;
    const char* caption;
    QRgb rgb;
    bool opaque;
};

using DiagramItem = std::variant<LineSpec, LabelSpec>;

constexpr QRgb kCyan = 0xff00c0c0;   // RGB(0,192,192)
constexpr QRgb kRed = 0xffff0000;    // RGB(255,0,0)
constexpr QRgb kAxis = 0xff0000c0;   // RGB(0,0,192)
constexpr QRgb kBlue = 0xff0000ff;   // RGB(0,0,255)
constexpr QRgb kWhite = 0xffffffff;  // RGB(255,255,255)

LineSpec u2(int i, int x1, int y1, int x2, int y2) { return {Array::linU2, i, x1, y1, x2, y2, kCyan, Role::None, 2}; }
LineSpec current(int i, int x1, int y1, int x2, int y2)
{
    return {Array::linIout, i, x1, y1, x2, y2, kRed, Role::None, 3};
}
LineSpec axis(int i, int x1, int y1, int x2, int y2)
{
    return {Array::linCoord, i, x1, y1, x2, y2, kAxis, Role::None, 2};
}
LineSpec scale(int i, int x1, int y1, int x2, int y2)
{
    return {Array::linScale, i, x1, y1, x2, y2, 0, i == 0 ? Role::HighlightText : Role::TitleBarText, 1};
}

// Every item of the diagram, topmost first.
std::vector<DiagramItem> diagramItems()
{
    return {
        LabelSpec{15, 240, 0, 1080, 180, "U2(次级电压)", kCyan, false},
        u2(7, 2640, 1920, 2400, 1920),
        u2(6, 1560, 1920, 1080, 1920),
        u2(5, 2400, 240, 1560, 240),
        u2(4, 1080, 240, 240, 240),
        u2(3, 2400, 1920, 2400, 240),
        u2(2, 1560, 1920, 1560, 240),
        u2(1, 1080, 1920, 1080, 240),
        u2(0, 240, 1920, 240, 240),
        scale(7, 1560, 720, 1560, 840),
        scale(6, 1560, 1080, 1560, 1635),
        scale(2, 1080, 600, 1080, 1635),
        axis(2, 120, 360, 180, 240),
        axis(3, 240, 360, 180, 240),
        axis(4, 2700, 1980, 2820, 2040),
        axis(5, 2700, 2100, 2820, 2040),
        LabelSpec{7, 1380, 495, 360, 180, "ΔIo", kBlue, false},
        axis(0, 180, 240, 180, 2160),
        axis(1, 2775, 2040, 120, 2040),
        LabelSpec{0, 1800, 840, 990, 180, "(I电感电流)", kRed, false},
        LabelSpec{1, 2685, 1815, 90, 180, "t", kBlue, false},
        LabelSpec{2, 80, 2040, 90, 180, "O", kBlue, true},
        LabelSpec{3, 240, 555, 180, 180, "Io", kBlue, false},
        current(0, 240, 960, 1080, 480),
        current(1, 1080, 480, 1560, 960),
        current(2, 1560, 960, 2400, 480),
        current(3, 2400, 480, 2880, 960),
        scale(3, 480, 1515, 240, 1515),
        scale(4, 840, 1515, 1080, 1515),
        LabelSpec{4, 540, 1395, 270, 180, "Ton", kBlue, false},
        scale(5, 1560, 1515, 1920, 1515),
        LabelSpec{5, 1155, 1395, 360, 180, "Toff", kBlue, false},
        scale(1, 1200, 480, 1920, 480),
        scale(8, 1560, 360, 1560, 480),
        scale(9, 2160, 1515, 2520, 1515),
        LabelSpec{6, 2520, 1440, 90, 180, "=", kWhite, false},
        LabelSpec{8, 2160, 1335, 360, 180, "ΔIo", kWhite, false},
        LabelSpec{9, 2280, 1530, 180, 180, "Io", kWhite, false},
        LabelSpec{10, 2640, 1455, 270, 180, "10%", kWhite, false},
        scale(0, 240, 720, 2760, 720),
    };
}

const char* arrayName(Array array)
{
    switch (array) {
    case Array::linU2: return "linU2";
    case Array::linIout: return "linIout";
    case Array::linCoord: return "linCoord";
    case Array::linScale: return "linScale";
    case Array::Label3: return "Label3";
    }
    return "";
}

QString memberName(const char* array, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

} // namespace

void Lout::buildDiagram()
{
    const SystemColours system = SystemColours::from(QApplication::palette());
    auto* picture = new QFrame(this);
    c_.PicBox0 = picture;
    picture->setObjectName(QStringLiteral("PicBox(0)"));
    picture->setGeometry(twipsRect(4680, 0, 2895, 2295));
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setLineWidth(1);
    picture->setAutoFillBackground(true);
    setColour(picture, QPalette::Window, system.activeBorder);
    setColour(picture, QPalette::WindowText, system.windowText);

    // The drawing is placed from the corner of the picture's client area,
    // inside its frame, and is clipped there: it never paints the frame.
    auto* clientArea = new QWidget(picture);
    clientArea->setGeometry(picture->contentsRect());
    clientArea->setAttribute(Qt::WA_TransparentForMouseEvents);

    // Later children lie above earlier ones: build from the bottom up.
    const std::vector<DiagramItem> items = diagramItems();
    for (auto item = items.rbegin(); item != items.rend(); ++item) {
        if (const auto* line = std::get_if<LineSpec>(&*item)) {
            const QColor colour = line->role == Role::HighlightText ? system.highlightText
                                  : line->role == Role::TitleBarText ? system.titleBarText
                                                                     : QColor::fromRgb(line->rgb);
            auto* control = new LineControl(clientArea, line->x1, line->y1, line->x2, line->y2, colour, line->width);
            control->setObjectName(memberName(arrayName(line->array), line->index));
            switch (line->array) {
            case Array::linU2: c_.linU2.at(line->index) = control; break;
            case Array::linIout: c_.linIout.at(line->index) = control; break;
            case Array::linCoord: c_.linCoord.at(line->index) = control; break;
            case Array::linScale: c_.linScale.at(line->index) = control; break;
            case Array::Label3: break;
            }
        } else {
            const auto& placed = std::get<LabelSpec>(*item);
            QLabel* label = placeLabel(clientArea, memberName("Label3", placed.index), QString::fromUtf8(placed.caption),
                                       placed.left, placed.top, placed.width, placed.height, QColor::fromRgb(placed.rgb));
            if (placed.opaque) {
                label->setAutoFillBackground(true);
                setColour(label, QPalette::Window, QColor(192, 192, 192));
            }
            c_.Label3.at(placed.index) = label;
        }
    }
}

} // namespace lout
