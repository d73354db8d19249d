#pragma once
// Writing drawn images as PNG, set for speed: rows unfiltered and zlib's fastest level. Our
// pictures are flat fills, text and a few gradients, which deflate finds as repeats without a
// filter's help: encoding is several times faster than Cairo's writer (every filter tried per row,
// level 6) and the files come out about the same size (-7% for a widget, +30% for the gallery).
// The pixels are Cairo's: an opaque image is written as RGB, any other as
// straight (not premultiplied) RGBA, unpremultiplied with the same rounding as Cairo's own writer.
//
//   std::string error;
//   if (!writePng(surface.get(), "widget.png", &error)) std::cerr << "error: " << error << "\n";
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <cairo.h>

namespace host {

// The PNG file of an image surface, in memory; nullopt with `error` set when it cannot be encoded.
std::optional<std::vector<unsigned char>> encodePng(cairo_surface_t* surface, std::string* error);

// Writes an image surface as PNG, whole or not at all (see WholeFileWriter). False with `error`
// set when writing fails.
bool writePng(cairo_surface_t* surface, const std::filesystem::path& path, std::string* error);

}  // namespace host
