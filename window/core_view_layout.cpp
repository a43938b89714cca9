// The formula tips and the core drawing, which share the right-hand column
// with the waveform diagram.
#include "window/lout.h"

#include "window/control_factory.h"
#include "window/frame_box.h"
#include "window/shape_control.h"
#include "window/system_colours.h"
#include "window/twips.h"
#include "window/winding_picture.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>

namespace lout {

void Lout::buildCoreView()
{
    const SystemColours system = SystemColours::from(QApplication::palette());

    auto* tips = new FrameBox(QString(), this);
    tips->setObjectName(QStringLiteral("Frame3"));
    tips->setGeometry(twipsRect(4920, 2160, 2655, 735));
    tips->setAutoFillBackground(true);
    c_.Frame3 = tips;
    struct Tip {
        double top, width;
        const char* text;
    };
    const Tip texts[] = {{120, 2340, "L=(U2m-Uo-Ud-U2s)*Ton/ΔIo"}, {320, 1530, "Ud:次级整流管压降"},
                         {520, 1440, "U2s:次级阻抗压降"}};
    for (int i = 0; i < 3; ++i) {
        c_.labTip.at(i) = placeLabel(tips, QStringLiteral("labTip(%1)").arg(i), QString::fromUtf8(texts[i].text),
                                     120, texts[i].top, texts[i].width, 180, system.desktop);
    }

    auto* core = new FrameBox(QString(), this);
    core->setObjectName(QStringLiteral("Frame4"));
    core->setGeometry(twipsRect(4920, 2880, 2655, 2775));
    core->setAutoFillBackground(true);
    core->hide();
    c_.Frame4 = core;

    const QColor lightBlue(128, 128, 255);
    const QColor white(255, 255, 255);
    struct Place {
        double left, top, width, height;
    };
    const Place shapes[] = {{120, 240, 2415, 375}, {120, 600, 375, 735}, {960, 600, 750, 735}, {2160, 600, 375, 735}};
    // The yoke lies on top of the legs it overlaps by a pixel.
    for (int i = 3; i >= 0; --i) {
        auto* shape = new ShapeControl(core, lightBlue, white);
        shape->setObjectName(QStringLiteral("Shape1(%1)").arg(i));
        shape->setGeometry(twipsRect(shapes[i].left, shapes[i].top, shapes[i].width, shapes[i].height));
        c_.Shape1.at(static_cast<std::size_t>(i)) = shape;
    }
    const double pictureLefts[] = {600, 1680};
    for (int i = 0; i < 2; ++i) {
        auto* picture = new WindingPicture(core);
        picture->setObjectName(QStringLiteral("PicBox(%1)").arg(i + 1));
        picture->setGeometry(twipsRect(pictureLefts[i], 720, 375, 1215));
        setColour(picture, QPalette::Base, system.windowBackground);
        setColour(picture, QPalette::Text, system.windowText);
        c_.windingPictures.at(static_cast<std::size_t>(i)) = picture;
    }
}

} // namespace lout
