#pragma once
// The picture writer: the module quarnis-picture-writer.so, which writes a --plot picture
// through Qt, and its loading. quarnis-calc opens it only when it has a picture to write, so
// that evaluating and tabulating load no Qt library and start as fast as the engine allows.
//
//   std::string problem;
//   if (WritePictureFn* write = loadPictureWriter(problem))
//       write(canvas, "egri.svg", PictureFormat::Svg);

#include "picture/picture_format.h"
#include "plot/picture_canvas.h"

#include <string>

namespace quarnis {

// Writes the picture to the file (its name in the locale's encoding) in the format; false
// when the file cannot be written, and then none is left behind (an existing one keeps its
// content). The module is built with the program from the same sources, so the canvas may
// cross between them as it is.
using WritePictureFn
    = bool(const PictureCanvas& canvas, const char* fileName, PictureFormat format);

// The name the module exports its WritePictureFn under.
inline constexpr char kWritePictureSymbol[] = "quarnis_write_picture";

// Opens the module and gives its WritePictureFn; nothing when it cannot, with the reason in
// `problem`. The module lies beside the program in the build tree and in the private library
// directory once installed; see load_picture_writer.cpp.
WritePictureFn* loadPictureWriter(std::string& problem);

} // namespace quarnis
