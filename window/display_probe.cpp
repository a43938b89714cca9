#include "window/display_probe.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace lout {

namespace {

// The value of Qt's option `name` (-name value, --name value, -name=value).
const char* optionValue(int argc, const char* const* argv, const char* name)
{
    const std::string single = std::string("-") + name;
    const std::string dashed = "-" + single;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        for (const std::string& form : {single, dashed}) {
            if (argument == form && i + 1 < argc)
                return argv[i + 1];
            if (argument.rfind(form + "=", 0) == 0)
                return argv[i] + form.size() + 1;
        }
    }
    return nullptr;
}

const char* nonEmpty(const char* value)
{
    return value && *value ? value : nullptr;
}

// Tries the X display through libxcb, which Qt's X platform loads anyway.
// Without the library Qt's own answer stands.
bool xDisplayAnswers(const char* display)
{
    void* xcb = ::dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
    if (!xcb)
        return true;
    using Connect = void* (*)(const char*, int*);
    using HasError = int (*)(void*);
    using Disconnect = void (*)(void*);
    const auto connect = reinterpret_cast<Connect>(::dlsym(xcb, "xcb_connect"));
    const auto hasError = reinterpret_cast<HasError>(::dlsym(xcb, "xcb_connection_has_error"));
    const auto disconnect = reinterpret_cast<Disconnect>(::dlsym(xcb, "xcb_disconnect"));
    bool answers = true;
    if (connect && hasError && disconnect) {
        void* connection = connect(display, nullptr);
        answers = hasError(connection) == 0;
        disconnect(connection); // also frees a connection that failed
    }
    ::dlclose(xcb);
    return answers;
}

} // namespace

bool displayAvailable(int argc, const char* const* argv)
{
    const char* platform = nonEmpty(optionValue(argc, argv, "platform"));
    if (!platform)
        platform = nonEmpty(std::getenv("QT_QPA_PLATFORM"));
    const bool xNamed = platform && std::strncmp(platform, "xcb", 3) == 0;
    if (platform && !xNamed)
        return true;
    if (!xNamed && nonEmpty(std::getenv("WAYLAND_DISPLAY")))
        return true;
    const char* display = nonEmpty(optionValue(argc, argv, "display"));
    if (!display)
        display = nonEmpty(std::getenv("DISPLAY"));
    return display && xDisplayAnswers(display);
}

} // namespace lout
