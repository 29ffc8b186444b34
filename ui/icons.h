#pragma once
// The six 16 x 16 pictures of the calculator's buttons, drawn by the program:
// 0 down, 1 left, 2 red ball, 3 right, 4 up (blue triangles), 5 information sign.

#include <QIcon>
#include <QPixmap>

namespace quarnis {

enum class IconIndex { Down = 0, Left = 1, RedBall = 2, Right = 3, Up = 4, Information = 5 };

inline constexpr int kIconCount = 6;
inline constexpr int kIconSize = 16;

// The picture with a transparent background.
QPixmap iconPixmap(IconIndex index);
QIcon iconOf(IconIndex index);

} // namespace quarnis
