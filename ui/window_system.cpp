#include "window_system.h"

#include <QGuiApplication>

namespace quarnis {

bool canPlaceWindows()
{
    // "wayland", "wayland-egl", "wayland-brcm" ...
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace quarnis
