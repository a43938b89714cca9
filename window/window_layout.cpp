// The window itself and the two left-hand frames: inputs and results.
#include "window/lout.h"

#include "resources/coil_icon.h"
#include "window/control_factory.h"
#include "window/core_combo_box.h"
#include "window/frame_box.h"
#include "window/ripple_scroll_bar.h"
#include "window/system_colours.h"
#include "window/twips.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace lout {

namespace {

const QColor kCaptionBlue(0, 0, 192);
const QColor kRed(255, 0, 0);

QGroupBox* placeFrame(QWidget* window, const QString& name, const QString& caption, double left, double top,
                      double width, double height, const QColor& captionColour)
{
    auto* frame = new FrameBox(caption, window);
    frame->setObjectName(name);
    frame->setGeometry(twipsRect(left, top, width, height));
    // Frames are opaque: one lying on another hides it.
    frame->setAutoFillBackground(true);
    setColour(frame, QPalette::WindowText, captionColour);
    return frame;
}

QLineEdit* placeTextBox(QWidget* frame, const QString& name, const QString& text, double top)
{
    auto* box = new QLineEdit(text, frame);
    box->setObjectName(name);
    box->setGeometry(twipsRect(1440, top, 735, 270));
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    box->setTextMargins(0, 0, 0, 0);
    setColour(box, QPalette::Text, kRed);
    return box;
}

} // namespace

void Lout::buildWindow()
{
    setObjectName(QStringLiteral("Lout"));
    setWindowTitle(QStringLiteral("正激或桥式电路  Omberlin电感辅助计算"));
    setWindowIcon(coilIcon());
    // A fixed dialog frame with only a close button. A tool window is kept
    // out of the task bar by the window managers.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setSizeGripEnabled(false);
    setFixedSize(twipsToPixels(7755), twipsToPixels(5790));

    // Bottom of the stack first.
    buildInputs();
    buildResults();
    buildDiagram();
    buildCoreView();

    auto* toggle = new QPushButton(QStringLiteral("选择图示方式"), this);
    toggle->setObjectName(QStringLiteral("Check1"));
    toggle->setGeometry(twipsRect(2760, 2520, 1935, 375));
    toggle->setCheckable(true);
    // Enter in a text box must not press the toggle.
    toggle->setAutoDefault(false);
    toggle->setDefault(false);
    c_.Check1 = toggle;
}

void Lout::buildInputs()
{
    const SystemColours system = SystemColours::from(QApplication::palette());
    QGroupBox* frame = placeFrame(this, QStringLiteral("Frame1"), QStringLiteral("已知参数"), 120, 120, 2535, 2775,
                                  system.highlight);
    c_.Frame1 = frame;

    struct Caption {
        int index;
        double top;
        const char* text;
    };
    for (const Caption& caption : {Caption{5, 285, "次级输出电压："}, Caption{6, 645, "滤波输出电压："},
                                   Caption{0, 1005, "最大额定电流："}, Caption{1, 1365, "允许电流纹波："},
                                   Caption{2, 1725, "开关工作频率："}, Caption{3, 2085, "最大占空系数："},
                                   Caption{4, 2445, "准备选用磁芯："}}) {
        c_.Label1.at(caption.index) = placeLabel(frame, QStringLiteral("Label1(%1)").arg(caption.index),
                                                 QString::fromUtf8(caption.text), 120, caption.top, 1260, 180,
                                                 kCaptionBlue);
    }
    struct Unit {
        int index;
        double left, top, width;
        const char* text;
    };
    for (const Unit& unit : {Unit{13, 2235, 285, 90, "V"}, Unit{14, 2235, 645, 90, "V"}, Unit{12, 2205, 1005, 90, "A"},
                             Unit{11, 2205, 1725, 270, "kHz"}}) {
        c_.Label3.at(unit.index) = placeLabel(frame, QStringLiteral("Label3(%1)").arg(unit.index),
                                              QString::fromUtf8(unit.text), unit.left, unit.top, unit.width, 180,
                                              kCaptionBlue);
    }

    c_.txt_U_2m = placeTextBox(frame, QStringLiteral("txt_U_2m"), QStringLiteral("txt_U2m"), 240);
    c_.txt_Uout = placeTextBox(frame, QStringLiteral("txt_Uout"), QStringLiteral("txt_Uout"), 600);
    c_.txt_Iout = placeTextBox(frame, QStringLiteral("txt_Iout"), QStringLiteral("txt_Iout"), 960);
    c_.txt_Wave = placeTextBox(frame, QStringLiteral("txt_Wave"), QStringLiteral("txt_Wave"), 1320);
    c_.txt_Fosc = placeTextBox(frame, QStringLiteral("txt_Fosc"), QStringLiteral("txt_Fosc"), 1680);
    c_.txt_Dmax = placeTextBox(frame, QStringLiteral("txt_Dmax"), QStringLiteral("txt_Dmax"), 2040);
    // The duty ratio is a result: it is shown, not typed.
    c_.txt_Dmax->setReadOnly(true);

    auto* models = new CoreComboBox(frame);
    models->setObjectName(QStringLiteral("cmb_Core"));
    models->setGeometry(twipsRect(1440, 2400, 975, 300));
    models->setEditText(QStringLiteral("cmb_Core"));
    setColour(models, QPalette::Text, kRed);
    c_.cmb_Core = models;

    // Above txt_Wave, whose right edge it overlaps by one pixel.
    auto* ripple = new RippleScrollBar(frame);
    ripple->setObjectName(QStringLiteral("croWave"));
    ripple->setGeometry(twipsRect(2160, 1320, 255, 255));
    ripple->setFocusPolicy(Qt::StrongFocus);
    c_.croWave = ripple;
}

void Lout::buildResults()
{
    const SystemColours system = SystemColours::from(QApplication::palette());
    QGroupBox* frame = placeFrame(this, QStringLiteral("Frame2"), QStringLiteral("制造参数"), 2760, 120, 1935, 2295,
                                  system.highlight);
    c_.Frame2 = frame;

    const char* const captions[] = {"滤波电感：", "绕组圈数：", "磁芯间隙：", "最佳线径：", "导线股数：", "死 负 载："};
    const double captionTops[] = {300, 640, 980, 1320, 1660, 2000};
    const double resultTops[] = {300, 624, 948, 1272, 1596, 1920};
    for (int i = 0; i < 6; ++i) {
        c_.Label2.at(i) = placeLabel(frame, QStringLiteral("Label2(%1)").arg(i), QString::fromUtf8(captions[i]),
                                     120, captionTops[i], 900, 180, kCaptionBlue);
        QLabel* result = placeLabel(frame, QStringLiteral("lab_Pram(%1)").arg(i), QString(), 1080, resultTops[i],
                                    735, 255, kRed, false);
        result->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        result->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        result->setLineWidth(1);
        result->setIndent(2);
        result->setAutoFillBackground(true);
        setColour(result, QPalette::Window, system.highlightText);
        // A sunken edge that shows on all four sides against the light face.
        setColour(result, QPalette::Light, QApplication::palette().color(QPalette::Midlight));
        c_.lab_Pram.at(i) = result;
    }
}

} // namespace lout
