// The PNG writer: the pixels Cairo's own writer gives, for every premultiplied value, and files
// that appear whole or not at all.
#include "host/draw/png_writer.hpp"

#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "host/draw/cairo_drawer.hpp"
#include "test_files.hpp"

namespace host {
namespace {

namespace fs = std::filesystem;

struct Decoded { bool alpha = false; int width = 0, height = 0; std::vector<unsigned char> rgba; };  // rgba straight, 8 bits

Decoded decode(const std::vector<unsigned char>& png) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  EXPECT_TRUE(png_image_begin_read_from_memory(&image, png.data(), png.size())) << image.message;
  Decoded out{(image.format & PNG_FORMAT_FLAG_ALPHA) != 0, static_cast<int>(image.width),
              static_cast<int>(image.height), {}};
  image.format = PNG_FORMAT_RGBA;
  out.rgba.resize(PNG_IMAGE_SIZE(image));
  EXPECT_TRUE(png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) << image.message;
  return out;
}

std::vector<unsigned char> cairoPng(cairo_surface_t* surface) {
  std::vector<unsigned char> png;
  auto append = [](void* closure, const unsigned char* data, unsigned int length) {
    auto* out = static_cast<std::vector<unsigned char>*>(closure);
    out->insert(out->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
  };
  EXPECT_EQ(cairo_surface_write_to_png_stream(surface, append, &png), CAIRO_STATUS_SUCCESS);
  return png;
}

// A surface whose pixel (x, y) is the 32-bit word pixel(x, y).
template <class Pixel>
CairoSurface surfaceOf(int width, int height, Pixel pixel) {
  CairoSurface s(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  cairo_surface_flush(s.get());
  unsigned char* data = cairo_image_surface_get_data(s.get());
  const int stride = cairo_image_surface_get_stride(s.get());
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) reinterpret_cast<std::uint32_t*>(data + y * stride)[x] = pixel(x, y);
  cairo_surface_mark_dirty(s.get());
  return s;
}

void expectSameAsCairo(cairo_surface_t* surface, bool alpha) {
  const auto ours = encodePng(surface, nullptr);
  ASSERT_TRUE(ours);
  const Decoded mine = decode(*ours), theirs = decode(cairoPng(surface));
  EXPECT_EQ(mine.alpha, alpha);
  EXPECT_EQ(theirs.alpha, alpha);
  EXPECT_EQ(std::pair(mine.width, mine.height), std::pair(theirs.width, theirs.height));
  ASSERT_EQ(mine.rgba.size(), theirs.rgba.size());
  for (std::size_t i = 0; i < mine.rgba.size(); ++i)
    if (mine.rgba[i] != theirs.rgba[i]) {
      ADD_FAILURE() << "pixel " << i / 4 << " channel " << i % 4 << ": " << int(mine.rgba[i]) << " against "
                    << int(theirs.rgba[i]);
      return;
    }
}

TEST(PngWriter, EveryPremultipliedValueUnpremultipliesAsCairosWriterDoes) {
  // Column: a colour value, row: an alpha; the other channels vary so that no two columns agree.
  // Values above their alpha are not valid premultiplied colour, and are still written alike.
  CairoSurface s = surfaceOf(256, 256, [](int c, int a) {
    return std::uint32_t(a) << 24 | std::uint32_t(c) << 16 | std::uint32_t(c * 7 % 256) << 8 | std::uint32_t((a - c / 2) & 0xFF);
  });
  expectSameAsCairo(s.get(), true);
}

TEST(PngWriter, OpaqueImagesAreWrittenWithoutAlpha) {
  CairoSurface s = surfaceOf(301, 7, [](int x, int y) {
    return 0xFF000000u | std::uint32_t(x * 13 + y) % 256 << 16 | std::uint32_t(x) % 256 << 8 | std::uint32_t(y * 31) % 256;
  });
  expectSameAsCairo(s.get(), false);
  CairoSurface rgb(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 5, 3));
  expectSameAsCairo(rgb.get(), false);
}

TEST(PngWriter, FilesAppearWholeOrNotAtAll) {
  const TemporaryDirectory temporary;
  const fs::path& dir = temporary.path;
  CairoSurface s = surfaceOf(40, 30, [](int x, int y) { return 0x80000000u | std::uint32_t(x + y) << 8; });
  std::string error;

  const fs::path file = dir / "w.png";
  std::ofstream(file) << "an older picture";
  ASSERT_TRUE(writePng(s.get(), file, &error)) << error;
  std::ifstream in(file, std::ios::binary);
  const std::vector<unsigned char> written{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(written, *encodePng(s.get(), nullptr));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);  // nothing left beside it

  // A pipe without a reader fails at once rather than waiting for one.
  const fs::path fifo = dir / "pipe.png";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(writePng(s.get(), fifo, &error));
  EXPECT_NE(error.find("pipe.png"), std::string::npos);
}

}  // namespace
}  // namespace host
