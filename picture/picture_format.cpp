#include "picture_format.h"

namespace quarnis {

namespace {

    // Whether `suffix` spells `word` (lower-case ASCII letters) in any case. Case is folded
    // as Unicode folds it, which turns one letter outside ASCII into an ASCII one: the long
    // s (U+017F, UTF-8 C5 BF) into 's'.
    bool spells(std::string_view suffix, std::string_view word)
    {
        for (const char letter : word) {
            if (letter == 's' && suffix.starts_with("\xC5\xBF")) {
                suffix.remove_prefix(2);
                continue;
            }
            if (suffix.empty() || (suffix.front() | 0x20) != letter)
                return false;
            suffix.remove_prefix(1);
        }
        return suffix.empty();
    }

} // namespace

std::optional<PictureFormat> pictureFormatOfSuffix(std::string_view suffix)
{
    if (spells(suffix, "png"))
        return PictureFormat::Png;
    if (spells(suffix, "svg"))
        return PictureFormat::Svg;
    if (spells(suffix, "pdf"))
        return PictureFormat::Pdf;
    return std::nullopt;
}

std::optional<PictureFormat> pictureFormatOfFileName(std::string_view fileName)
{
    const std::string_view name = fileName.substr(fileName.find_last_of('/') + 1);
    const std::size_t dot = name.find_last_of('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    return pictureFormatOfSuffix(name.substr(dot + 1));
}

} // namespace quarnis
