#include "window/waveform_diagram.h"

#include "window/accessible_names.h"

#include "window/control_factory.h"
#include "window/system_colours.h"
#include "window/twips.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace lout {

namespace {

// The items of the diagram: the four kinds of line and the labels.
enum class Kind { voltage, current, axis, scale, label };

// A line from (x1, y1) to (x2, y2), in twips of the drawing area.
struct LineEnds {
    int x1, y1, x2, y2;
};

// The lines of each kind, by index.
// linU2: the rising and falling edges of U2, its high and its low levels.
constexpr LineEnds kVoltageLines[] = {
    {240, 1920, 240, 240},   {1080, 1920, 1080, 240}, {1560, 1920, 1560, 240}, {2400, 1920, 2400, 240},
    {1080, 240, 240, 240},   {2400, 240, 1560, 240},  {1560, 1920, 1080, 1920}, {2640, 1920, 2400, 1920}};
// linIout: the current rising in each Ton and falling in each Toff.
constexpr LineEnds kCurrentLines[] = {
    {240, 960, 1080, 480}, {1080, 480, 1560, 960}, {1560, 960, 2400, 480}, {2400, 480, 2880, 960}};
// linCoord: the vertical and the time axis, and their arrow heads.
constexpr LineEnds kAxisLines[] = {
    {180, 240, 180, 2160},   {2775, 2040, 120, 2040}, {120, 360, 180, 240},
    {240, 360, 180, 240},    {2700, 1980, 2820, 2040}, {2700, 2100, 2820, 2040}};
// linScale: the mean current, the peak, and the dimension lines of Ton,
// Toff and the ripple ratio.
constexpr LineEnds kScaleLines[] = {
    {240, 720, 2760, 720},   {1200, 480, 1920, 480},  {1080, 600, 1080, 1635}, {480, 1515, 240, 1515},
    {840, 1515, 1080, 1515}, {1560, 1515, 1920, 1515}, {1560, 1080, 1560, 1635}, {1560, 720, 1560, 840},
    {1560, 360, 1560, 480},  {2160, 1515, 2520, 1515}};

constexpr QRgb kCyan = 0xff00c0c0;  // RGB(0,192,192)
constexpr QRgb kRed = 0xffff0000;   // RGB(255,0,0)
constexpr QRgb kAxis = 0xff0000c0;  // RGB(0,0,192)
constexpr QRgb kBlue = 0xff0000ff;  // RGB(0,0,255)
constexpr QRgb kWhite = 0xffffffff; // RGB(255,255,255)
// The origin's label hides what lies beneath it.
const QColor kOriginBackground(192, 192, 192);
constexpr int kOriginLabel = 2;
constexpr int kRippleLabel = 10;

struct LabelPlace {
    int left, top, width, height; // twips
    const char* caption;
    QRgb rgb;
};

// The labels of the diagram, by their index in their control array (11 to
// 14 are the input frame's units).
const std::map<int, LabelPlace>& diagramLabels()
{
    static const std::map<int, LabelPlace> labels = {
        {0, {1800, 840, 990, 180, "(I电感电流)", kRed}}, {1, {2685, 1815, 90, 180, "t", kBlue}},
        {2, {80, 2040, 90, 180, "O", kBlue}},           {3, {240, 555, 180, 180, "Io", kBlue}},
        {4, {540, 1395, 270, 180, "Ton", kBlue}},       {5, {1155, 1395, 360, 180, "Toff", kBlue}},
        {6, {2520, 1440, 90, 180, "=", kWhite}},        {7, {1380, 495, 360, 180, "ΔIo", kBlue}},
        {8, {2160, 1335, 360, 180, "ΔIo", kWhite}},     {9, {2280, 1530, 180, 180, "Io", kWhite}},
        {kRippleLabel, {2640, 1455, 270, 180, "10%", kWhite}},
        {15, {240, 0, 1080, 180, "U2(次级电压)", kCyan}}};
    return labels;
}

// Every item of the diagram, topmost first.
struct Stacked {
    Kind kind;
    std::vector<int> indices;
};
const std::vector<Stacked>& stacking()
{
    using enum Kind;
    static const std::vector<Stacked> order = {
        {label, {15}}, {voltage, {7, 6, 5, 4, 3, 2, 1, 0}}, {scale, {7, 6, 2}}, {axis, {2, 3, 4, 5}}, {label, {7}},
        {axis, {0, 1}}, {label, {0, 1, 2, 3}}, {current, {0, 1, 2, 3}}, {scale, {3, 4}}, {label, {4}}, {scale, {5}},
        {label, {5}}, {scale, {1, 8, 9}}, {label, {6, 8, 9, 10}}, {scale, {0}}};
    return order;
}

// How each kind of line is drawn: its control array, pen width and colour,
// and its lines by index. The dimension lines follow the desktop's colours:
// the mean current line the highlight text, the others the title-bar text.
struct LineKind {
    const char* array;
    int width; // pixels
    QRgb rgb;  // 0: the desktop's
    const LineEnds* lines;
};
// In the order of Kind.
constexpr LineKind kLineKinds[] = {{"linU2", 2, kCyan, kVoltageLines},
                                   {"linIout", 3, kRed, kCurrentLines},
                                   {"linCoord", 2, kAxis, kAxisLines},
                                   {"linScale", 1, 0, kScaleLines}};

const LineKind& lineKind(Kind kind)
{
    return kLineKinds[static_cast<std::size_t>(kind)];
}

QColor colourOf(const LineKind& kind, int index, const SystemColours& system)
{
    if (kind.rgb != 0)
        return QColor::fromRgb(kind.rgb);
    return index == 0 ? system.highlightText : system.titleBarText;
}

} // namespace

// A line of the diagram: an entry of its table, named like the control it
// stands for so that it is found by its name.
class WaveformDiagram::Line : public QObject {
public:
    // Ends in twips of the drawing area; width in pixels.
    Line(QObject* diagram, const QString& name, const LineEnds& ends, const QColor& colour, int widthPixels)
        : QObject(diagram),
          start_(ends.x1 / kTwipsPerPixel, ends.y1 / kTwipsPerPixel),
          end_(ends.x2 / kTwipsPerPixel, ends.y2 / kTwipsPerPixel),
          colour_(colour),
          width_(widthPixels)
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
    const std::vector<Stacked>& order = stacking();
    for (auto group = order.rbegin(); group != order.rend(); ++group) {
        for (auto index = group->indices.rbegin(); index != group->indices.rend(); ++index) {
            if (group->kind != Kind::label) {
                const LineKind& kind = lineKind(group->kind);
                items_.push_back({new Line(drawingArea, arrayMemberName(kind.array, *index),
                                           kind.lines[static_cast<std::size_t>(*index)],
                                           colourOf(kind, *index, system), kind.width),
                                  nullptr});
                continue;
            }
            const LabelPlace& placed = diagramLabels().at(*index);
            auto* label = new QLabel(drawingArea);
            // Heard as it changes from its first text on.
            if (*index == kRippleLabel)
                readAsItChanges(label);
            placeLabel(label, arrayMemberName("Label3", *index), QString::fromUtf8(placed.caption), placed.left,
                       placed.top, placed.width, placed.height, QColor::fromRgb(placed.rgb));
            if (*index == kOriginLabel) {
                label->setAutoFillBackground(true);
                setColour(label, QPalette::Window, kOriginBackground);
            }
            if (*index == kRippleLabel)
                ripple_ = label;
            items_.push_back({nullptr, label});
        }
    }
    auto* overLabels = new LineLayer(drawingArea, *this, true);
    overLabels->setGeometry(drawingArea->rect());
}

void WaveformDiagram::showRipple(const QString& percent)
{
    // A ratio of two or three digits would reach past the picture's edge
    // in the design font.
    setCaptionEndingBy(ripple_, percent, ripple_->parentWidget()->width());
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
