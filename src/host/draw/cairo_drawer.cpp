#include "host/draw/cairo_drawer.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>

#include <cairo-pdf.h>
#include <cairo-svg.h>

#include "host/draw/png_writer.hpp"
#include "host/draw/rounded_rectangle.hpp"
#include "host/platform/whole_file_write.hpp"

namespace host {
namespace {

// The largest image side Cairo accepts.
constexpr double kMaxPixels = 32767;

void setColor(cairo_t* cr, const Rgba& color) {
  cairo_set_source_rgba(cr, color.red, color.green, color.blue, color.alpha);
}

// A rectangle whose shorter side ends in half circles.
void capsulePath(cairo_t* cr, double x, double y, double width, double height) {
  roundedRectanglePath(cr, Rect{x, y, width, height}, std::min(width, height) / 2);
}

void drawCapsule(cairo_t* cr, const Rect& f, const CapsuleShape& shape) {
  if (f.width <= 0 || f.height <= 0) return;
  if (shape.fill) {
    capsulePath(cr, f.x, f.y, f.width, f.height);
    setColor(cr, *shape.fill);
    cairo_fill(cr);
  }
  if (!shape.stroke || shape.lineWidth <= 0) return;
  // The stroke lies inside the bounds: the band between the capsule and the capsule inset by the
  // line width. Offsetting a capsule gives a capsule, so this is exactly the stroke of the centre
  // line half a width inside, and Cairo fills it several times faster than it strokes arcs.
  setColor(cr, *shape.stroke);
  capsulePath(cr, f.x, f.y, f.width, f.height);
  const double lw = shape.lineWidth;
  if (f.width > 2 * lw && f.height > 2 * lw) capsulePath(cr, f.x + lw, f.y + lw, f.width - 2 * lw, f.height - 2 * lw);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
}

std::string lowerExtension(const std::filesystem::path& path) {
  std::string ext = path.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  return ext;
}

bool fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
  return false;
}

}  // namespace

void CairoDrawer::drawText(cairo_t* cr, const Rect& frame, const TextRun& run) {
  // The drawn text already carries any ellipsis. Re-wrapping it at its own frame width gives the
  // measured lines back (each of them fitted that width); one Pango unit of slack absorbs rounding.
  const double width = frame.width + 1.0 / PANGO_SCALE;
  PangoLayout* layout = text_.layout(run.drawnText, {run.font, run.tabularDigits}, width, run.lineLimit);
  setColor(cr, run.color);
  cairo_move_to(cr, frame.x, frame.y);
  pango_cairo_show_layout(cr, layout);
}

void CairoDrawer::draw(cairo_t* cr, const LayoutTree& tree, const DrawOptions& options) {
  cairo_save(cr);
  text_.updateForCairo(cr);
  for (const LayoutNode& node : tree.nodes) {
    const Rect& f = node.frame;
    if (const auto* rect = node.as<RectangleFill>()) {
      cairo_rectangle(cr, f.x, f.y, f.width, f.height);
      setColor(cr, rect->fill);
      cairo_fill(cr);
    } else if (const auto* capsule = node.as<CapsuleShape>()) {
      drawCapsule(cr, f, *capsule);
    } else if (const auto* text = node.as<TextRun>()) {
      drawText(cr, f, *text);
    } else if (const auto* symbol = node.as<SymbolRun>()) {
      assets_.drawSymbol(cr, symbol->name, f, symbol->color);  // an unknown name draws nothing
    } else if (const auto* image = node.as<ImageRun>()) {
      assets_.drawImage(cr, image->name, options.appearance, f);
    }
  }
  cairo_restore(cr);
}

CairoSurface CairoDrawer::renderImage(const LayoutTree& tree, double scale, std::string* error,
                                      const DrawOptions& options) {
  if (!(scale > 0) || !std::isfinite(scale)) {
    fail(error, "the scale must be a positive number");
    return nullptr;
  }
  const double width = std::max(1.0, std::ceil(tree.size.width * scale));
  const double height = std::max(1.0, std::ceil(tree.size.height * scale));
  if (!(width <= kMaxPixels && height <= kMaxPixels)) {
    fail(error, "the image would be too large");
    return nullptr;
  }
  CairoSurface surface(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(width), static_cast<int>(height)));
  cairo_t* cr = cairo_create(surface.get());
  cairo_scale(cr, scale, scale);
  draw(cr, tree, options);
  cairo_destroy(cr);
  cairo_surface_flush(surface.get());
  return surface;
}

namespace {

// Cairo's stream callback: every byte goes to the whole-or-nothing writer.
cairo_status_t writeToFile(void* closure, const unsigned char* data, unsigned int length) {
  return static_cast<WholeFileWriter*>(closure)->write(data, length) ? CAIRO_STATUS_SUCCESS
                                                                     : CAIRO_STATUS_WRITE_ERROR;
}

// Commits the file when Cairo wrote it all; otherwise the system's reason, or Cairo's.
bool finishFile(WholeFileWriter& file, cairo_status_t status, const std::filesystem::path& path,
                std::string* error) {
  if (status == CAIRO_STATUS_SUCCESS && file.commit()) return true;
  const std::string reason = !file.error().empty() ? file.error() : cairo_status_to_string(status);
  return fail(error, "cannot write " + path.string() + ": " + reason);
}

}  // namespace

bool CairoDrawer::renderToFile(const LayoutTree& tree, const std::filesystem::path& path, double scale,
                               std::string* error, const DrawOptions& options) {
  const std::string ext = lowerExtension(path);
  if (ext == ".png") {
    CairoSurface surface = renderImage(tree, scale, error, options);
    return surface && writePng(surface.get(), path, error);
  }
  if (ext != ".svg" && ext != ".pdf") return fail(error, "unknown image type \"" + ext + "\" (use .png, .svg or .pdf)");
  WholeFileWriter file(path);
  if (!file.error().empty()) return fail(error, "cannot write " + path.string() + ": " + file.error());
  const double width = std::max(1.0, tree.size.width), height = std::max(1.0, tree.size.height);
  CairoSurface surface(ext == ".svg" ? cairo_svg_surface_create_for_stream(writeToFile, &file, width, height)
                                     : cairo_pdf_surface_create_for_stream(writeToFile, &file, width, height));
  cairo_t* cr = cairo_create(surface.get());
  draw(cr, tree, options);
  cairo_destroy(cr);
  cairo_surface_finish(surface.get());  // writes the rest of the file
  return finishFile(file, cairo_surface_status(surface.get()), path, error);
}

}  // namespace host
