#pragma once
// What the window system lets a program do with its own top-level windows.

namespace quarnis {

// True where the program can put its windows at positions of its choosing (X11, the
// offscreen platform). Under Wayland the compositor places every window; a client can only
// name a window's parent (its transient parent), and the positions Qt reports there are
// the ones it was asked for, not where the window is.
bool canPlaceWindows();

} // namespace quarnis
