#pragma once

#include <QIcon>

namespace lout {

// The program's icon: a red helical coil (16, 32, 48 px and scalable).
QIcon coilIcon();

} // namespace lout
