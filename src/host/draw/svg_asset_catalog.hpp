#pragma once
// Image assets and symbol artwork from SVG files, drawn with librsvg:
//   <resources>/images/<name>.svg     named images; <name>~dark.svg, when present, in dark appearances
//   <resources>/symbols/<name>.svg    symbols: single-colour shapes on a square canvas, tinted when drawn
// Each file is parsed once, on first use, and kept for the life of the catalog; a missing or broken
// file is remembered as missing. On image surfaces each artwork is rasterised once per pixel size
// and reused, placed on whole device pixels (at most half a pixel from its frame); on vector
// surfaces (SVG, PDF) it stays vector. Safe to share between threads: lookups go through one mutex
// and each SVG renders under its own (a librsvg handle is not safe to render concurrently).
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include <cairo.h>

#include "host/view/appearance.hpp"
#include "host/layout/asset_catalog.hpp"
#include "host/view/color.hpp"
#include "host/view/geometry.hpp"

namespace host {

class SvgAssetCatalog final : public AssetCatalog {
 public:
  // With no directory every name is unknown.
  explicit SvgAssetCatalog(std::optional<std::filesystem::path> resourceDir);
  ~SvgAssetCatalog() override;

  // The SVG's intrinsic size (its width and height, else its view box).
  std::optional<Size> imageSize(std::string_view name) const override;

  // Draws the image aspect-fit and centred in `frame`. False, drawing nothing, for an unknown name.
  bool drawImage(cairo_t* cr, std::string_view name, const Appearance& appearance, const Rect& frame) const;
  // Draws the symbol's shape aspect-fit in `frame`, painted with `color` whatever the artwork's own
  // colours. False, drawing nothing, for an unknown name.
  bool drawSymbol(cairo_t* cr, std::string_view name, const Rect& frame, const Rgba& color) const;

 private:
  struct Svg;
  // The parsed file, or null when it is missing or does not parse.
  Svg* load(const std::string& relativePath) const;
  Svg* image(std::string_view name, const Appearance& appearance) const;

  std::optional<std::filesystem::path> dir_;
  mutable std::mutex mutex_;
  mutable std::map<std::string, std::unique_ptr<Svg>, std::less<>> files_;
};

}  // namespace host
