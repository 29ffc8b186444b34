// quarnis-picture-writer.so: the picture writing of quarnis-calc --plot, kept out of the
// program so that only --plot loads Qt. Exports quarnis_write_picture alone.

#include "picture_writer.h"
#include "picture/picture_file.h"

#include <QString>

#include <type_traits>

extern "C" __attribute__((visibility("default"))) bool quarnis_write_picture(
    const quarnis::PictureCanvas& canvas, const char* fileName, quarnis::PictureFormat format)
{
    return quarnis::writePicture(canvas, QString::fromLocal8Bit(fileName), format);
}

// The export has the type the program calls it by.
static_assert(std::is_same_v<decltype(quarnis_write_picture), quarnis::WritePictureFn>);
