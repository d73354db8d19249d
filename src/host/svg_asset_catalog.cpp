#include "host/svg_asset_catalog.hpp"

#include <librsvg/rsvg.h>

namespace host {

struct SvgAssetCatalog::Svg {
  RsvgHandle* handle = nullptr;  // null: missing or broken
  Size size{};
  std::mutex renderMutex;

  ~Svg() {
    if (handle) g_object_unref(handle);
  }

  void render(cairo_t* cr, const Rect& frame) {
    const RsvgRectangle viewport{frame.x, frame.y, frame.width, frame.height};
    std::lock_guard lock(renderMutex);
    // The artwork's own preserveAspectRatio (by default centred and fitted) places it in the viewport.
    rsvg_handle_render_document(handle, cr, &viewport, nullptr);
  }
};

namespace {

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
  static constexpr std::string_view kCandidates[] = {kAppearanceDark, kAppearanceLight};
  if (appearance.bestMatch(kCandidates) == kAppearanceDark) {
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
  svg->render(cr, frame);
  return true;
}

bool SvgAssetCatalog::drawSymbol(cairo_t* cr, std::string_view name, const Rect& frame, const Rgba& color) const {
  if (!isPlainName(name)) return false;
  Svg* svg = load("symbols/" + std::string(name) + ".svg");
  if (!svg) return false;
  // The artwork's coverage becomes a mask, painted through with the tint. Clipping first keeps the
  // intermediate group as small as the symbol instead of the whole surface.
  cairo_save(cr);
  cairo_rectangle(cr, frame.x, frame.y, frame.width, frame.height);
  cairo_clip(cr);
  cairo_push_group(cr);
  svg->render(cr, frame);
  cairo_pattern_t* shape = cairo_pop_group(cr);
  cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
  cairo_mask(cr, shape);
  cairo_pattern_destroy(shape);
  cairo_restore(cr);
  return true;
}

}  // namespace host
