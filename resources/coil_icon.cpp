#include "resources/coil_icon.h"

#include <QSize>
#include <QString>

// The icon images are compiled into this library as a Qt resource; naming
// its initialiser keeps the linker from dropping it out of the static library.
static void initialiseCoilIconResource()
{
    Q_INIT_RESOURCE(lout_icons);
}

namespace lout {

QIcon coilIcon()
{
    initialiseCoilIconResource();
    QIcon icon;
    // The 16-pixel image is drawn separately, pixel by pixel: the smooth
    // drawing scaled down to 16 pixels blurs into a red smear.
    icon.addFile(QStringLiteral(":/lout/icons/lout-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/lout/icons/lout-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/lout/icons/lout-48.png"), QSize(48, 48));
    return icon;
}

} // namespace lout
