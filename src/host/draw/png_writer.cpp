#include "host/draw/png_writer.hpp"

#include "host/platform/whole_file_write.hpp"

#include <png.h>

#include <cstdint>
#include <cstring>

namespace host {
namespace {

bool fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

struct Sink {
  std::vector<unsigned char>* out;
  const char* error = nullptr;  // libpng's message when it gives up
};

void append(png_structp png, png_bytep data, png_size_t length) {
  auto* sink = static_cast<Sink*>(png_get_io_ptr(png));
  sink->out->insert(sink->out->end(), data, data + length);
}
void flush(png_structp) {}
void onError(png_structp png, png_const_charp message) {
  static_cast<Sink*>(png_get_error_ptr(png))->error = message;
  png_longjmp(png, 1);
}
void onWarning(png_structp, png_const_charp) {}

// Cairo's pixels are native-endian 32-bit words, alpha in the top byte, colour premultiplied.
void toRgb(const std::uint32_t* pixels, int width, unsigned char* out) {
  for (int x = 0; x < width; ++x, out += 3) {
    const std::uint32_t p = pixels[x];
    out[0] = static_cast<unsigned char>(p >> 16);
    out[1] = static_cast<unsigned char>(p >> 8);
    out[2] = static_cast<unsigned char>(p);
  }
}

// Straight colour from premultiplied, rounded to nearest as Cairo's writer rounds it; a fully
// transparent pixel is all zeros.
void toRgba(const std::uint32_t* pixels, int width, unsigned char* out) {
  for (int x = 0; x < width; ++x, out += 4) {
    const std::uint32_t p = pixels[x];
    const std::uint32_t a = p >> 24;
    if (a == 255) {
      out[0] = static_cast<unsigned char>(p >> 16);
      out[1] = static_cast<unsigned char>(p >> 8);
      out[2] = static_cast<unsigned char>(p);
      out[3] = 255;
    } else if (a == 0) {
      std::memset(out, 0, 4);
    } else {
      auto straight = [a](std::uint32_t c) { return static_cast<unsigned char>(((c & 0xFF) * 255 + a / 2) / a); };
      out[0] = straight(p >> 16);
      out[1] = straight(p >> 8);
      out[2] = straight(p);
      out[3] = static_cast<unsigned char>(a);
    }
  }
}

struct Image {
  const unsigned char* data;
  int width, height, stride;
  bool opaque;
};

// Only trivially destructible locals here: libpng leaves by longjmp on error.
bool encode(const Image& image, Sink& sink, unsigned char* row) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, onError, onWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return false;
  }
  png_set_write_fn(png, &sink, append, flush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
               image.opaque ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, 1);
  png_write_info(png, info);
  for (int y = 0; y < image.height; ++y) {
    const auto* pixels = reinterpret_cast<const std::uint32_t*>(image.data + static_cast<std::ptrdiff_t>(y) * image.stride);
    if (image.opaque) toRgb(pixels, image.width, row);
    else toRgba(pixels, image.width, row);
    png_write_row(png, row);
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

bool opaque(const unsigned char* data, int width, int height, int stride) {
  for (int y = 0; y < height; ++y) {
    const auto* pixels = reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    std::uint32_t all = 0xFF000000;
    for (int x = 0; x < width; ++x) all &= pixels[x];
    if (all < 0xFF000000) return false;
  }
  return true;
}

cairo_status_t appendCairo(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<std::vector<unsigned char>*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::optional<std::vector<unsigned char>> encodePng(cairo_surface_t* surface, std::string* error) {
  std::vector<unsigned char> out;
  cairo_surface_flush(surface);
  const cairo_format_t format = cairo_image_surface_get_format(surface);
  const int width = cairo_image_surface_get_width(surface), height = cairo_image_surface_get_height(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS || !data || width <= 0 || height <= 0) {
    fail(error, "no image to write");
    return std::nullopt;
  }
  if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24) {
    // Formats we never draw in: Cairo's writer knows them.
    const cairo_status_t status = cairo_surface_write_to_png_stream(surface, appendCairo, &out);
    if (status != CAIRO_STATUS_SUCCESS) {
      fail(error, cairo_status_to_string(status));
      return std::nullopt;
    }
    return out;
  }
  const int stride = cairo_image_surface_get_stride(surface);
  const Image image{data, width, height, stride,
                    format == CAIRO_FORMAT_RGB24 || opaque(data, width, height, stride)};
  std::vector<unsigned char> row(static_cast<std::size_t>(width) * 4);
  out.reserve(static_cast<std::size_t>(height) * static_cast<std::size_t>(width));
  Sink sink{&out};
  if (!encode(image, sink, row.data())) {
    fail(error, std::string("cannot encode PNG: ") + (sink.error ? sink.error : "out of memory"));
    return std::nullopt;
  }
  return out;
}

bool writePng(cairo_surface_t* surface, const std::filesystem::path& path, std::string* error) {
  std::string why;
  auto bytes = encodePng(surface, &why);
  if (!bytes) return fail(error, "cannot write " + path.string() + ": " + why);
  if (writeWholeFile(path, std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), &why))
    return true;
  return fail(error, "cannot write " + path.string() + ": " + why);
}

}  // namespace host
