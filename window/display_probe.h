#pragma once

// Whether the window can be shown at all, asked before Qt picks its
// platform: Qt aborts when it finds no display, with advice that does not
// fit (to reinstall it).
namespace lout {

// True when a platform is named (QT_QPA_PLATFORM or -platform, other than
// xcb), a Wayland display is set, or the X display named (DISPLAY or
// -display) accepts a connection.
bool displayAvailable(int argc, const char* const* argv);

// The one line the program prints when there is none.
inline constexpr const char* kNoDisplayLine =
    "lout：没有图形显示，窗口无法打开；请在桌面中运行，或运行 xvfb-run -a lout "
    "(no display: run it as  xvfb-run -a lout)\n";

} // namespace lout
