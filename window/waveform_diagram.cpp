#include "window/waveform_diagram.h"

#include "window/control_factory.h"
#include "window/system_colours.h"
#include "window/twips.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <variant>

namespace lout {

namespace {

// The four kinds of line and how each is drawn.
enum class Trace { voltage, current, axis, scale };

// A line from (x1, y1) to (x2, y2), in twips of the drawing area.
struct LineSpec {
    Trace trace;
    int index;
    int x1, y1, x2, y2;
};

struct LabelSpec {
    int index;
    int left, top, width, height;
    const char* caption;
    QRgb rgb;
    bool opaque;
};

using DiagramItem = std::variant<LineSpec, LabelSpec>;

constexpr QRgb kCyan = 0xff00c0c0;  // RGB(0,192,192)
constexpr QRgb kRed = 0xffff0000;   // RGB(255,0,0)
constexpr QRgb kAxis = 0xff0000c0;  // RGB(0,0,192)
constexpr QRgb kBlue = 0xff0000ff;  // RGB(0,0,255)
constexpr QRgb kWhite = 0xffffffff; // RGB(255,255,255)
// The origin's label hides what lies beneath it.
const QColor kOriginBackground(192, 192, 192);
constexpr int kRippleLabel = 10;

const char* arrayOf(Trace trace)
{
    switch (trace) {
    case Trace::voltage: return "linU2";
    case Trace::current: return "linIout";
    case Trace::axis: return "linCoord";
    case Trace::scale: return "linScale";
    }
    return "";
}

int widthOf(Trace trace)
{
    return trace == Trace::current ? 3 : trace == Trace::scale ? 1 : 2;
}

// The dimension lines follow the desktop's colours: the mean current line
// the highlight text, the others the title-bar text.
QColor colourOf(const LineSpec& line, const SystemColours& system)
{
    switch (line.trace) {
    case Trace::voltage: return QColor::fromRgb(kCyan);
    case Trace::current: return QColor::fromRgb(kRed);
    case Trace::axis: return QColor::fromRgb(kAxis);
    case Trace::scale: return line.index == 0 ? system.highlightText : system.titleBarText;
    }
    return {};
}

LineSpec line(Trace trace, int index, int x1, int y1, int x2, int y2)
{
    return {trace, index, x1, y1, x2, y2};
}

// Every item of the diagram, topmost first.
std::vector<DiagramItem> diagramItems()
{
    using enum Trace;
    return {
        LabelSpec{15, 240, 0, 1080, 180, "U2(次级电压)", kCyan, false},
        line(voltage, 7, 2640, 1920, 2400, 1920),
        line(voltage, 6, 1560, 1920, 1080, 1920),
        line(voltage, 5, 2400, 240, 1560, 240),
        line(voltage, 4, 1080, 240, 240, 240),
        line(voltage, 3, 2400, 1920, 2400, 240),
        line(voltage, 2, 1560, 1920, 1560, 240),
        line(voltage, 1, 1080, 1920, 1080, 240),
        line(voltage, 0, 240, 1920, 240, 240),
        line(scale, 7, 1560, 720, 1560, 840),
        line(scale, 6, 1560, 1080, 1560, 1635),
        line(scale, 2, 1080, 600, 1080, 1635),
        line(axis, 2, 120, 360, 180, 240),
        line(axis, 3, 240, 360, 180, 240),
        line(axis, 4, 2700, 1980, 2820, 2040),
        line(axis, 5, 2700, 2100, 2820, 2040),
        LabelSpec{7, 1380, 495, 360, 180, "ΔIo", kBlue, false},
        line(axis, 0, 180, 240, 180, 2160),
        line(axis, 1, 2775, 2040, 120, 2040),
        LabelSpec{0, 1800, 840, 990, 180, "(I电感电流)", kRed, false},
        LabelSpec{1, 2685, 1815, 90, 180, "t", kBlue, false},
        LabelSpec{2, 80, 2040, 90, 180, "O", kBlue, true},
        LabelSpec{3, 240, 555, 180, 180, "Io", kBlue, false},
        line(current, 0, 240, 960, 1080, 480),
        line(current, 1, 1080, 480, 1560, 960),
        line(current, 2, 1560, 960, 2400, 480),
        line(current, 3, 2400, 480, 2880, 960),
        line(scale, 3, 480, 1515, 240, 1515),
        line(scale, 4, 840, 1515, 1080, 1515),
        LabelSpec{4, 540, 1395, 270, 180, "Ton", kBlue, false},
        line(scale, 5, 1560, 1515, 1920, 1515),
        LabelSpec{5, 1155, 1395, 360, 180, "Toff", kBlue, false},
        line(scale, 1, 1200, 480, 1920, 480),
        line(scale, 8, 1560, 360, 1560, 480),
        line(scale, 9, 2160, 1515, 2520, 1515),
        LabelSpec{6, 2520, 1440, 90, 180, "=", kWhite, false},
        LabelSpec{8, 2160, 1335, 360, 180, "ΔIo", kWhite, false},
        LabelSpec{9, 2280, 1530, 180, 180, "Io", kWhite, false},
        LabelSpec{kRippleLabel, 2640, 1455, 270, 180, "10%", kWhite, false},
        line(scale, 0, 240, 720, 2760, 720),
    };
}

QString memberName(const char* array, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

} // namespace

// A line of the diagram: an entry of its table, named like the control it
// stands for so that it is found by its name.
class WaveformDiagram::Line : public QObject {
public:
    // Ends in twips of the drawing area; width in pixels.
    Line(QObject* diagram, const QString& name, const LineSpec& spec, const QColor& colour)
        : QObject(diagram),
          start_(spec.x1 / kTwipsPerPixel, spec.y1 / kTwipsPerPixel),
          end_(spec.x2 / kTwipsPerPixel, spec.y2 / kTwipsPerPixel),
          colour_(colour),
          width_(widthOf(spec.trace))
    {
        setObjectName(name);
        // Room for the pen's half width and its round caps on every side.
        const int pad = width_ / 2 + 1;
        const int left = static_cast<int>(std::floor(std::min(start_.x(), end_.x()))) - pad;
        const int top = static_cast<int>(std::floor(std::min(start_.y(), end_.y()))) - pad;
        const int right = static_cast<int>(std::ceil(std::max(start_.x(), end_.x()))) + pad;
        const int bottom = static_cast<int>(std::ceil(std::max(start_.y(), end_.y()))) + pad;
        bounds_ = QRect(QPoint(left, top), QPoint(right, bottom));
    }

    // The pixels the line may cover.
    QRect bounds() const { return bounds_; }

    void paint(QPainter& painter) const
    {
        if (start_.x() == end_.x() || start_.y() == end_.y()) {
            // Level and upright lines cover whole pixels: a pen of width w
            // covers w rows (or columns) centred on the coordinate, and its
            // square ends reach w/2 beyond the end points.
            const int half = width_ / 2;
            const int far = width_ - 1 - half;
            const int x0 = static_cast<int>(std::lround(std::min(start_.x(), end_.x())));
            const int x1 = static_cast<int>(std::lround(std::max(start_.x(), end_.x())));
            const int y0 = static_cast<int>(std::lround(std::min(start_.y(), end_.y())));
            const int y1 = static_cast<int>(std::lround(std::max(start_.y(), end_.y())));
            const QPoint lastPixel = start_.y() == end_.y() ? QPoint(x1 + far, y0 + far) : QPoint(x0 + far, y1 + far);
            painter.fillRect(QRect(QPoint(x0 - half, y0 - half), lastPixel), colour_);
            return;
        }
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(colour_, width_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawLine(start_, end_);
        painter.restore();
    }

private:
    QPointF start_; // pixels of the drawing area
    QPointF end_;
    QColor colour_;
    int width_;
    QRect bounds_;
};

// The drawing area, or the see-through layer above its labels: each paints
// its share of the lines.
class WaveformDiagram::LineLayer : public QWidget {
public:
    LineLayer(QWidget* container, const WaveformDiagram& diagram, bool overLabels)
        : QWidget(container), diagram_(diagram), overLabels_(overLabels)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        diagram_.paintLines(painter, overLabels_);
    }

private:
    const WaveformDiagram& diagram_;
    bool overLabels_;
};

WaveformDiagram::WaveformDiagram(QWidget* window) : QFrame(window)
{
    const SystemColours system = SystemColours::from(QApplication::palette());
    setObjectName(QStringLiteral("PicBox(0)"));
    setGeometry(twipsRect(4680, 0, 2895, 2295));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAutoFillBackground(true);
    setColour(this, QPalette::Window, system.activeBorder);
    setColour(this, QPalette::WindowText, system.windowText);

    // The drawing is placed from the corner of the picture's client area,
    // inside its frame, and is clipped there: it never paints the frame.
    auto* drawingArea = new LineLayer(this, *this, false);
    drawingArea->setGeometry(contentsRect());

    // Later children lie above earlier ones: build from the bottom up.
    const std::vector<DiagramItem> items = diagramItems();
    for (auto item = items.rbegin(); item != items.rend(); ++item) {
        if (const auto* spec = std::get_if<LineSpec>(&*item)) {
            items_.push_back({new Line(drawingArea, memberName(arrayOf(spec->trace), spec->index), *spec,
                                       colourOf(*spec, system)),
                              nullptr});
            continue;
        }
        const auto& placed = std::get<LabelSpec>(*item);
        QLabel* label = placeLabel(drawingArea, memberName("Label3", placed.index), QString::fromUtf8(placed.caption),
                                   placed.left, placed.top, placed.width, placed.height, QColor::fromRgb(placed.rgb));
        if (placed.opaque) {
            label->setAutoFillBackground(true);
            setColour(label, QPalette::Window, kOriginBackground);
        }
        if (placed.index == kRippleLabel)
            ripple_ = label;
        items_.push_back({nullptr, label});
    }
    auto* overLabels = new LineLayer(drawingArea, *this, true);
    overLabels->setGeometry(drawingArea->rect());
}

void WaveformDiagram::showRipple(const QString& percent)
{
    setCaption(ripple_, percent);
}

QRegion WaveformDiagram::partOverLabels(std::size_t index) const
{
    QRegion below;
    QRegion above;
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (const QLabel* label = items_[i].label)
            (i < index ? below : above) += label->geometry();
    return (QRegion(items_[index].line->bounds()) & below) - above;
}

void WaveformDiagram::paintLines(QPainter& painter, bool overLabels) const
{
    for (std::size_t i = 0; i < items_.size(); ++i) {
        const Line* line = items_[i].line;
        if (!line)
            continue;
        const QRegion over = partOverLabels(i);
        const QRegion part = overLabels ? over : QRegion(line->bounds()) - over;
        if (part.isEmpty())
            continue;
        painter.save();
        painter.setClipRegion(part, Qt::IntersectClip);
        line->paint(painter);
        painter.restore();
    }
}

} // namespace lout
