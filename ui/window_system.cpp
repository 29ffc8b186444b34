#include "window_system.h"

#include <QGuiApplication>

namespace quarnis {

bool CanPlaceWindows()
{
    // "wayland", "wayland-egl", "wayland-brcm" ...
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace quarnis
