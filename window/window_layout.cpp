// The window itself and the frames that are laid out once and never change
// their make-up: the inputs, the results, the formula tips and the toggle.
#include "window/window_layout.h"

#include "resources/coil_icon.h"
#include "window/accessible_names.h"
#include "window/control_factory.h"
#include "window/core_combo_box.h"
#include "window/frame_box.h"
#include "window/ripple_scroll_bar.h"
#include "window/system_colours.h"
#include "window/twips.h"
#include "window/whole_text.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <cstddef>

namespace lout {

namespace {

const QColor kCaptionBlue(0, 0, 192);
const QColor kRed(255, 0, 0);

constexpr double kOuterHeightTwips = 3400;
// What a fixed dialog frame takes from the outer height when the window
// system does not say (before the window is first mapped it usually cannot).
constexpr double kAssumedFrameTwips = 450;
// Everything shown lies within this client height.
constexpr double kVisibleClientTwips = 2895;

// A row of the inputs frame: the caption, the box (or the model list) and
// the unit right of the box, where there is one. The caption
// stands a little lower than its box, so that their texts share a line.
struct InputRow {
    int caption;
    const char* captionText;
    double top; // of the box, twips
    const char* box;
    const char* designText;
    int unit = -1;
    const char* unitText = nullptr;
    double unitLeft = 0;
    double unitWidth = 0;
};
constexpr double kCaptionBelowBox = 45;

// Top to bottom. The model list closes the frame.
constexpr InputRow kInputRows[] = {
    {5, "次级输出电压：", 240, "txt_U_2m", "txt_U2m", 13, "V", 2235, 90},
    {6, "滤波输出电压：", 600, "txt_Uout", "txt_Uout", 14, "V", 2235, 90},
    {0, "最大额定电流：", 960, "txt_Iout", "txt_Iout", 12, "A", 2205, 90},
    {1, "允许电流纹波：", 1320, "txt_Wave", "txt_Wave"},
    {2, "开关工作频率：", 1680, "txt_Fosc", "txt_Fosc", 11, "kHz", 2205, 270},
    {3, "最大占空系数：", 2040, "txt_Dmax", "txt_Dmax"},
    {4, "准备选用磁芯：", 2400, "cmb_Core", "cmb_Core"},
};
constexpr std::size_t kTextBoxes = 6;
constexpr std::size_t kRippleRow = 3;
constexpr std::size_t kDutyRatioRow = 5;
constexpr std::size_t kModelRow = 6;

FrameBox* placeCaptionedFrame(QWidget* window, const char* name, const char* caption, const QRect& place)
{
    auto* frame = new FrameBox(window, QString::fromLatin1(name), QString::fromUtf8(caption), place);
    setColour(frame, QPalette::WindowText, SystemColours::from(QApplication::palette()).highlight);
    return frame;
}

QLineEdit* placeTextBox(QWidget* frame, const InputRow& row, bool showsAResult)
{
    const QString designText = QString::fromLatin1(row.designText);
    QLineEdit* box = showsAResult ? new ResultBox(designText, frame) : new QLineEdit(designText, frame);
    box->setObjectName(QString::fromLatin1(row.box));
    box->setGeometry(twipsRect(1440, row.top, 735, 270));
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setTextMargins(0, 0, 0, 0);
    setColour(box, QPalette::Text, kRed);
    return box;
}

} // namespace

void shapeWindow(QDialog& window)
{
    window.setObjectName(QStringLiteral("Lout"));
    window.setWindowTitle(QStringLiteral("正激或桥式电路  Omberlin电感辅助计算"));
    window.setWindowIcon(coilIcon());
    // A fixed dialog frame with only a close button. A tool window is kept
    // out of the task bar by the window managers.
    window.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint);
    window.setSizeGripEnabled(false);
    window.setFixedSize(twipsToPixels(7755), twipsToPixels(5790));
}

void fitOuterHeight(QWidget& window)
{
    const int reportedFrame = window.frameGeometry().height() - window.height();
    const int frame = reportedFrame > 0 ? reportedFrame : twipsToPixels(kAssumedFrameTwips);
    const int client = std::max(twipsToPixels(kOuterHeightTwips) - frame, twipsToPixels(kVisibleClientTwips));
    if (window.minimumHeight() != client || window.maximumHeight() != client)
        window.setFixedHeight(client);
}

CornerPlacement placeFrameAtScreenCorner(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (!screen || window.frameGeometry().height() <= window.height())
        return CornerPlacement::NotFramedYet;
    const QPoint corner = screen->geometry().topLeft();
    if (window.frameGeometry().topLeft() == corner)
        return CornerPlacement::AtCorner;
    window.move(corner);
    return CornerPlacement::Moved;
}

InputControls placeInputs(QWidget* window)
{
    QWidget* frame = placeCaptionedFrame(window, "Frame1", "已知参数", twipsRect(120, 120, 2535, 2775));

    // Light controls first: the captions, then the units, lie beneath the
    // boxes.
    std::array<QLabel*, std::size(kInputRows)> captions{};
    std::array<QLabel*, std::size(kInputRows)> units{};
    for (std::size_t i = 0; i < captions.size(); ++i) {
        const InputRow& row = kInputRows[i];
        captions[i] = placeLabel(frame, arrayMemberName("Label1", row.caption), QString::fromUtf8(row.captionText), 120,
                                 row.top + kCaptionBelowBox, 1260, 180, kCaptionBlue);
    }
    for (std::size_t i = 0; i < units.size(); ++i) {
        const InputRow& row = kInputRows[i];
        if (row.unit >= 0)
            units[i] = placeLabel(frame, arrayMemberName("Label3", row.unit), QString::fromUtf8(row.unitText),
                                  row.unitLeft, row.top + kCaptionBelowBox, row.unitWidth, 180, kCaptionBlue);
    }

    std::array<QLineEdit*, kTextBoxes> boxes{};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        boxes[i] = placeTextBox(frame, kInputRows[i], i == kDutyRatioRow);
        // The ripple box has no unit label: its unit is in its text.
        const QString unit = units[i] ? units[i]->text() : i == kRippleRow ? QStringLiteral("%") : QString();
        nameAfterCaption(boxes[i], captions[i], unit);
    }
    InputControls inputs{boxes[0], boxes[1], boxes[2], boxes[3], boxes[4], boxes[5], nullptr, nullptr};
    // The duty ratio is a result: it is shown, not typed.
    inputs.dutyRatio->setReadOnly(true);

    const InputRow& modelRow = kInputRows[kModelRow];
    auto* models = new CoreComboBox(frame);
    models->setObjectName(QString::fromLatin1(modelRow.box));
    models->setGeometry(twipsRect(1440, modelRow.top, 975, 300));
    models->setEditText(QString::fromLatin1(modelRow.designText));
    setColour(models, QPalette::Text, kRed);
    labelWithCaption(models, captions[kModelRow]);
    // The text field in which a model can be typed.
    models->lineEdit()->setAccessibleName(models->accessibleName());
    inputs.models = models;

    // Above the ripple box, whose right edge it overlaps by one pixel.
    auto* spinner = new RippleScrollBar(frame);
    spinner->setObjectName(QStringLiteral("croWave"));
    spinner->setGeometry(twipsRect(2160, kInputRows[kRippleRow].top, 255, 255));
    spinner->setFocusPolicy(Qt::StrongFocus);
    // The arrows step the ripple in whole per cent.
    spinner->setAccessibleName(inputs.ripple->accessibleName());
    spinner->setAccessibleDescription(QStringLiteral("上箭头把电流纹波加大 1%，下箭头减小 1%"));
    inputs.rippleSpinner = spinner;
    return inputs;
}

ResultLabels placeResults(QWidget* window)
{
    const SystemColours system = SystemColours::from(QApplication::palette());
    QWidget* frame = placeCaptionedFrame(window, "Frame2", "制造参数", twipsRect(2760, 120, 1935, 2295));

    const char* const captions[] = {"滤波电感：", "绕组圈数：", "磁芯间隙：", "最佳线径：", "导线股数：", "死 负 载："};
    // The captions step by 340 twips, the results by 324.
    const double captionTops[] = {300, 640, 980, 1320, 1660, 2000};
    const double resultTops[] = {300, 624, 948, 1272, 1596, 1920};
    std::array<QLabel*, std::size(captions)> results{};
    for (int i = 0; i < static_cast<int>(results.size()); ++i) {
        QLabel* caption = placeLabel(frame, arrayMemberName("Label2", i), QString::fromUtf8(captions[i]), 120,
                                     captionTops[i], 900, 180, kCaptionBlue);
        QLabel* result = placeLabel(new ResultLabel(frame), arrayMemberName("lab_Pram", i), QString(), 1080,
                                    resultTops[i], 735, 255, kRed, false);
        result->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        result->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        result->setLineWidth(1);
        result->setIndent(2);
        result->setAutoFillBackground(true);
        setColour(result, QPalette::Window, system.highlightText);
        // A sunken edge that shows on all four sides against the light face.
        setColour(result, QPalette::Light, QApplication::palette().color(QPalette::Midlight));
        readWithCaption(result, caption);
        // A result carries its readout as a tooltip: the pointer must find it.
        result->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        results[static_cast<std::size_t>(i)] = result;
    }
    return {{results[0], results[1], results[2], results[3], results[4]}, results[5]};
}

void placeFormulaTips(QWidget* window)
{
    const SystemColours system = SystemColours::from(QApplication::palette());
    auto* tips = new FrameBox(window, QStringLiteral("Frame3"), QString(), twipsRect(4920, 2160, 2655, 735));
    struct Tip {
        double top, width;
        const char* text;
    };
    const Tip texts[] = {{120, 2340, "L=(U2m-Uo-Ud-U2s)*Ton/ΔIo"}, {320, 1530, "Ud:次级整流管压降"},
                         {520, 1440, "U2s:次级阻抗压降"}};
    for (int i = 0; i < static_cast<int>(std::size(texts)); ++i)
        placeLabel(tips, arrayMemberName("labTip", i), QString::fromUtf8(texts[i].text), 120, texts[i].top,
                   texts[i].width, 180, system.desktop);
}

QPushButton* placeViewToggle(QWidget* window)
{
    auto* toggle = new QPushButton(QStringLiteral("选择图示方式"), window);
    toggle->setObjectName(QStringLiteral("Check1"));
    toggle->setGeometry(twipsRect(2760, 2520, 1935, 375));
    toggle->setCheckable(true);
    // Enter in a text box must not press the toggle.
    toggle->setAutoDefault(false);
    toggle->setDefault(false);
    toggle->setAccessibleName(toggle->text());
    toggle->setAccessibleDescription(QStringLiteral("按下时显示磁芯和绕组，弹起时显示电压和电流的波形"));
    return toggle;
}

} // namespace lout
