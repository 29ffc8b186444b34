#pragma once
// The picture file formats and how a file's name tells them, without Qt: quarnis-calc checks
// a --plot name before it has loaded anything of Qt.
//
//   pictureFormatOfFileName("plots/egri.SVG") == PictureFormat::Svg
//   pictureFormatOfFileName("egri.gif") == std::nullopt

#include <optional>
#include <string_view>

namespace quarnis {

enum class PictureFormat { Png, Svg, Pdf };

// The format of a file suffix in UTF-8 ("png", "svg", "pdf"), in any case as Qt's
// case-insensitive comparison takes it; nothing for another.
std::optional<PictureFormat> pictureFormatOfSuffix(std::string_view suffix);

// The format named by the suffix of a file name in UTF-8: what follows the last '.' of the
// name's last part (after its last '/'), as QFileInfo::suffix() takes it; nothing when the
// suffix names no format or there is none.
std::optional<PictureFormat> pictureFormatOfFileName(std::string_view fileName);

} // namespace quarnis
