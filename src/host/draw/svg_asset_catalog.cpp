#include "host/draw/svg_asset_catalog.hpp"

#include <librsvg/rsvg.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

namespace host {
namespace {

// Where a frame lands on an image surface whose transformation only scales and moves: whole
// pixels, so a raster drawn once can be reused. Null when the target is a vector surface, or the
// transformation rotates or skews, or the frame covers no pixel.
struct PixelBox {
  int x = 0, y = 0, width = 0, height = 0;
};

std::optional<PixelBox> pixelBox(cairo_t* cr, const Rect& frame) {
  if (cairo_surface_get_type(cairo_get_target(cr)) != CAIRO_SURFACE_TYPE_IMAGE) return std::nullopt;
  cairo_matrix_t m;
  cairo_get_matrix(cr, &m);
  if (m.xy != 0 || m.yx != 0 || m.xx <= 0 || m.yy <= 0) return std::nullopt;
  double x0 = frame.x, y0 = frame.y, x1 = frame.maxX(), y1 = frame.maxY();
  cairo_user_to_device(cr, &x0, &y0);
  cairo_user_to_device(cr, &x1, &y1);
  const PixelBox box{static_cast<int>(std::lround(x0)), static_cast<int>(std::lround(y0)),
                     static_cast<int>(std::lround(x1 - x0)), static_cast<int>(std::lround(y1 - y0))};
  if (box.width <= 0 || box.height <= 0 || box.width > 4096 || box.height > 4096) return std::nullopt;
  return box;
}


// Names are plain file names; anything that could reach outside the folder is unknown.
bool isPlainName(std::string_view name) {
  return !name.empty() && name.find('/') == std::string_view::npos && name.find('\\') == std::string_view::npos &&
         name != "." && name != ".." && name.find('\0') == std::string_view::npos;
}

Size intrinsicSize(RsvgHandle* handle) {
  double width = 0, height = 0;
  if (rsvg_handle_get_intrinsic_size_in_pixels(handle, &width, &height)) return {width, height};
  gboolean hasViewBox = FALSE;
  RsvgRectangle viewBox{};
  rsvg_handle_get_intrinsic_dimensions(handle, nullptr, nullptr, nullptr, nullptr, &hasViewBox, &viewBox);
  return hasViewBox ? Size{viewBox.width, viewBox.height} : Size{};
}

}  // namespace

struct SvgAssetCatalog::Svg {
  RsvgHandle* handle = nullptr;  // null: missing or broken
  Size size{};
  std::mutex mutex;              // guards the handle while it renders, and the rasters
  std::map<std::pair<int, int>, cairo_surface_t*> rasters;  // by pixel width and height

  ~Svg() {
    for (auto& [size, raster] : rasters) cairo_surface_destroy(raster);
    if (handle) g_object_unref(handle);
  }

  // The artwork's own preserveAspectRatio (by default centred and fitted) places it in the frame.
  void renderVector(cairo_t* cr, const Rect& frame) {
    const RsvgRectangle viewport{frame.x, frame.y, frame.width, frame.height};
    std::lock_guard lock(mutex);
    rsvg_handle_render_document(handle, cr, &viewport, nullptr);
  }

  // The artwork's own shapes with every fill and stroke that paints set to `color` (and the fill
  // that shapes without one inherit), for vector targets: Cairo 1.16 never releases a surface used
  // as a source or mask on an SVG surface, so a tinted symbol there is drawn without one.
  void renderTinted(cairo_t* cr, const Rect& frame, const Rgba& color) {
    auto channel = [](double c) { return static_cast<int>(std::lround(std::clamp(c, 0.0, 1.0) * 255)); };
    char rgba[64];
    std::snprintf(rgba, sizeof rgba, "rgba(%d,%d,%d,%.4f)", channel(color.red), channel(color.green),
                  channel(color.blue), std::clamp(color.alpha, 0.0, 1.0));
    const std::string css = std::string("svg { fill: ") + rgba + "; }\n[fill]:not([fill=\"none\"]) { fill: " + rgba +
                            " !important; }\n[stroke]:not([stroke=\"none\"]) { stroke: " + rgba + " !important; }\n";
    const RsvgRectangle viewport{frame.x, frame.y, frame.width, frame.height};
    std::lock_guard lock(mutex);
    const auto* bytes = reinterpret_cast<const guint8*>(css.data());
    if (rsvg_handle_set_stylesheet(handle, bytes, css.size(), nullptr))
      rsvg_handle_render_document(handle, cr, &viewport, nullptr);
    rsvg_handle_set_stylesheet(handle, reinterpret_cast<const guint8*>(""), 0, nullptr);  // its own colours again
  }

  // The artwork rendered once at this pixel size; kept, as widgets redraw at the same sizes.
  cairo_surface_t* raster(int width, int height) {
    std::lock_guard lock(mutex);
    auto found = rasters.find({width, height});
    if (found == rasters.end()) {
      if (rasters.size() >= kMaxRasters) {  // sizes keep changing: start over rather than grow
        for (auto& [size, raster] : rasters) cairo_surface_destroy(raster);
        rasters.clear();
      }
      cairo_surface_t* art = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
      cairo_t* cr = cairo_create(art);
      const RsvgRectangle viewport{0, 0, static_cast<double>(width), static_cast<double>(height)};
      rsvg_handle_render_document(handle, cr, &viewport, nullptr);
      cairo_destroy(cr);
      cairo_surface_flush(art);
      found = rasters.emplace(std::pair{width, height}, art).first;
    }
    return cairo_surface_reference(found->second);
  }
  static constexpr std::size_t kMaxRasters = 64;

  // Paints the artwork into the frame, or, given a tint, paints the tint where the artwork covers.
  void draw(cairo_t* cr, const Rect& frame, const std::optional<Rgba>& tint) {
    // An empty frame shows nothing; librsvg would otherwise fall back to the artwork's own size.
    if (!(frame.width > 0 && frame.height > 0)) return;
    if (auto box = pixelBox(cr, frame)) {
      cairo_surface_t* art = raster(box->width, box->height);
      cairo_save(cr);
      cairo_identity_matrix(cr);
      if (tint) {
        cairo_set_source_rgba(cr, tint->red, tint->green, tint->blue, tint->alpha);
        cairo_mask_surface(cr, art, box->x, box->y);
      } else {
        cairo_set_source_surface(cr, art, box->x, box->y);
        cairo_paint(cr);
      }
      cairo_restore(cr);
      cairo_surface_destroy(art);
      return;
    }
    if (tint) renderTinted(cr, frame, *tint);
    else renderVector(cr, frame);
  }
};

SvgAssetCatalog::SvgAssetCatalog(std::optional<std::filesystem::path> resourceDir) : dir_(std::move(resourceDir)) {}

SvgAssetCatalog::~SvgAssetCatalog() = default;

SvgAssetCatalog::Svg* SvgAssetCatalog::load(const std::string& relativePath) const {
  std::lock_guard lock(mutex_);
  if (auto found = files_.find(relativePath); found != files_.end()) return found->second.get();
  auto svg = std::make_unique<Svg>();
  if (dir_) {
    const std::string path = (*dir_ / relativePath).string();
    if (RsvgHandle* handle = rsvg_handle_new_from_file(path.c_str(), nullptr)) {
      svg->size = intrinsicSize(handle);
      if (svg->size.width > 0 && svg->size.height > 0) svg->handle = handle;
      else g_object_unref(handle);
    }
  }
  Svg* out = svg->handle ? svg.get() : nullptr;
  files_.emplace(relativePath, std::move(svg));
  return out;
}

SvgAssetCatalog::Svg* SvgAssetCatalog::image(std::string_view name, const Appearance& appearance) const {
  if (!isPlainName(name)) return nullptr;
  const std::string base = "images/" + std::string(name);
  if (appearance.isDark()) {
    if (Svg* dark = load(base + "~dark.svg")) return dark;
  }
  return load(base + ".svg");
}

std::optional<Size> SvgAssetCatalog::imageSize(std::string_view name) const {
  Svg* svg = image(name, Appearance::light());
  if (!svg) return std::nullopt;
  return svg->size;
}

bool SvgAssetCatalog::drawImage(cairo_t* cr, std::string_view name, const Appearance& appearance,
                                const Rect& frame) const {
  Svg* svg = image(name, appearance);
  if (!svg) return false;
  svg->draw(cr, frame, std::nullopt);
  return true;
}

bool SvgAssetCatalog::drawSymbol(cairo_t* cr, std::string_view name, const Rect& frame, const Rgba& color) const {
  if (!isPlainName(name)) return false;
  Svg* svg = load("symbols/" + std::string(name) + ".svg");
  if (!svg) return false;
  svg->draw(cr, frame, color);
  return true;
}

}  // namespace host
