// gallery: one sheet of everything the extension offers the desktop, as the host draws it. The
// status widget in both families, in full colour and one tinted mode, on a light and a dark desk,
// and the two controls as their buttons; each tile captioned. Every tile is laid out on its own in
// its desk's appearance, then drawn into its slot of the sheet, which is itself a host view.
#include <cairo.h>

#include <cmath>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "commands.hpp"
#include "host/draw/cairo_drawer.hpp"
#include "host/draw/png_writer.hpp"
#include "host/draw/rounded_rectangle.hpp"
#include "host/kit/control_button_view.hpp"
#include "host/layout/layout.hpp"
#include "host/kit/widget_canvas.hpp"
#include "host/kit/widget_content_layout.hpp"
#include "shared/status_widget_rendering.hpp"
#include "shared/status_widget_source.hpp"

namespace {

using host::Color;
using host::Font;
using host::FontWeight;
using host::Rgba;
using host::View;

// A desk the tiles stand on, with the colours of its texts.
struct Desk {
  std::string title;
  host::Appearance appearance;
  Rgba backdrop, heading, caption, detail;
};

const std::vector<Desk>& desks() {
  static const std::vector<Desk> list{
      {"Light", host::Appearance::light(), Rgba::fromBytes(0xE4, 0xE6, 0xEB), Rgba::fromBytes(0x1D, 0x1D, 0x1F),
       Rgba::fromBytes(0x3A, 0x3C, 0x42), Rgba::fromBytes(0x6E, 0x71, 0x78)},
      {"Dark", host::Appearance::dark(), Rgba::fromBytes(0x22, 0x23, 0x27), Rgba::fromBytes(0xF5, 0xF5, 0xF7),
       Rgba::fromBytes(0xD8, 0xDA, 0xDF), Rgba::fromBytes(0x98, 0x9B, 0xA3)},
  };
  return list;
}

std::string modeCaption(host::WidgetRenderingMode mode) {
  switch (mode) {
    case host::WidgetRenderingMode::fullColor: return "Full colour";
    case host::WidgetRenderingMode::accented: return "Accented";
    case host::WidgetRenderingMode::vibrant: return "Vibrant";
  }
  return "";
}
std::string familyCaption(host::WidgetFamily family) {
  std::string name(host::name(family));
  name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
  return name;
}

// One tile: a tree laid out on its own, drawn into the sheet's slot of the same name.
struct Tile {
  host::LayoutTree tree;
  host::Appearance appearance;
  bool isWidget = false;
};

class GallerySheet {
 public:
  int draw(const GalleryOptions& options, const host::AnyWidgetBundle& bundle);

 private:
  host::LayoutServices services(const host::Appearance& appearance) const { return renderer_.services(appearance); }
  static View slot(const std::string& name, host::Size size) {
    return host::Rectangle(Color::fixed({0, 0, 0, 0})).frame(host::FixedFrame{.width = size.width, .height = size.height}).id(name);
  }
  static View caption(std::string text, Rgba color, double size = 11, FontWeight weight = FontWeight::medium) {
    return host::Text(std::move(text)).font(Font::system(size, weight)).foregroundStyle(Color::fixed(color)).lineLimit(1);
  }
  View desk(const Desk& desk, const host::WidgetConfiguration& widget, const View& content,
            const std::vector<host::WidgetRenderingMode>& modes,
            const std::vector<host::StaticControlConfiguration>& controls);
  void drawTile(cairo_t* cr, const host::Rect& frame, const Tile& tile);

  StatusWidgetRenderer renderer_;
  std::map<std::string, Tile> tiles_;
};

View GallerySheet::desk(const Desk& desk, const host::WidgetConfiguration& widget, const View& content,
                        const std::vector<host::WidgetRenderingMode>& modes,
                        const std::vector<host::StaticControlConfiguration>& controls) {
  std::vector<View> rows{caption(desk.title, desk.heading, 15, FontWeight::semibold)};
  for (host::WidgetRenderingMode mode : modes) {
    std::vector<View> row;
    for (host::WidgetFamily family : widget.supportedFamilies()) {
      std::string name = "widget/" + desk.title + "/" + std::string(host::name(mode)) + "/" + std::string(host::name(family));
      tiles_.insert_or_assign(name, Tile{host::layoutWidgetContent(content, {family, mode}, services(desk.appearance)),
                                         desk.appearance, true});
      row.push_back(host::VStack({.alignment = host::HorizontalAlignment::leading, .spacing = 8},
                                 {slot(name, host::widgetSize(family)),
                                  caption(familyCaption(family) + " · " + modeCaption(mode), desk.caption)}));
    }
    rows.push_back(host::HStack({.alignment = host::VerticalAlignment::top, .spacing = 24}, std::move(row)));
  }

  std::vector<View> buttons;
  for (const auto& control : controls) {
    host::ControlWidgetButton button = control.content();
    std::string name = "control/" + desk.title + "/" + control.kind();
    host::LayoutTree tree = host::layout(host::controlButtonView(button), host::ProposedSize{}, services(desk.appearance));
    host::Size size = tree.size;
    tiles_.insert_or_assign(name, Tile{std::move(tree), desk.appearance, false});
    auto opens = button.action().perform().opensIntent();
    buttons.push_back(host::VStack(
        {.alignment = host::HorizontalAlignment::leading, .spacing = 6},
        {slot(name, size),
         host::VStack({.alignment = host::HorizontalAlignment::leading, .spacing = 2},
                      {caption(renderer_.strings().format(control.displayName()) + " control", desk.caption),
                       caption(opens ? "opens " + opens->url().string() : "opens nothing", desk.detail, 10,
                               FontWeight::regular)})}));
  }
  rows.push_back(host::HStack({.alignment = host::VerticalAlignment::top, .spacing = 32}, std::move(buttons)));

  return host::VStack({.alignment = host::HorizontalAlignment::leading, .spacing = 22}, std::move(rows))
      .padding(host::EdgeInsets{.top = 24, .leading = 32, .bottom = 32, .trailing = 32})
      .background(Color::fixed(desk.backdrop));
}

void GallerySheet::drawTile(cairo_t* cr, const host::Rect& frame, const Tile& tile) {
  cairo_save(cr);
  if (tile.isWidget) {
    // A soft shadow under the widget's rounded shape, then the widget clipped to it.
    for (int spread = 4; spread >= 1; --spread) {
      host::Rect shadow{frame.x - spread, frame.y - spread + 2, frame.width + 2 * spread, frame.height + 2 * spread};
      host::roundedRectanglePath(cr, shadow, host::kWidgetCornerRadius + spread);
      cairo_set_source_rgba(cr, 0, 0, 0, 0.035);
      cairo_fill(cr);
    }
    host::roundedRectanglePath(cr, frame, host::kWidgetCornerRadius);
    cairo_clip(cr);
  }
  cairo_translate(cr, frame.x, frame.y);
  renderer_.drawer().draw(cr, tile.tree, {.appearance = tile.appearance});
  cairo_restore(cr);
}

int GallerySheet::draw(const GalleryOptions& options, const host::AnyWidgetBundle& bundle) {
  host::WidgetConfiguration widget = statusWidgetDeclaration(bundle);
  auto content = statusWidgetContent(widget, options.source);
  if (!content) return 2;
  std::vector<host::StaticControlConfiguration> controls;
  for (const auto& item : bundle.body())
    if (const auto* control = std::get_if<host::StaticControlConfiguration>(&item)) controls.push_back(*control);
  std::vector<host::WidgetRenderingMode> modes{host::WidgetRenderingMode::fullColor,
                                               *host::renderingModeNamed(options.otherMode)};

  std::string source = options.source.sample  ? "the sample status"
                       : options.source.empty ? "the empty status"
                       : options.source.statusFile.empty() ? "the stored status file of the shared container"
                                                           : std::filesystem::path(options.source.statusFile).filename().string();
  const Desk& light = desks()[0];
  View header = host::VStack({.alignment = host::HorizontalAlignment::leading, .spacing = 4},
                             {caption(renderer_.strings().format(widget.configurationDisplayName()) + " widgets", light.heading,
                                      22, FontWeight::bold),
                              caption(renderer_.strings().format(widget.description()), light.caption, 12, FontWeight::regular),
                              caption("Status: " + source, light.detail, 11, FontWeight::regular)})
                    .padding(host::EdgeInsets{.top = 26, .leading = 32, .bottom = 22, .trailing = 32})
                    .frame(host::FlexibleFrame{.maxWidth = host::kInfinity, .alignment = host::Alignment::leading()})
                    .background(Color::fixed(Rgba::fromBytes(0xFA, 0xFA, 0xFB)));
  std::vector<View> deskViews;
  for (const Desk& d : desks()) deskViews.push_back(desk(d, widget, *content, modes, controls));
  View row = host::HStack({.alignment = host::VerticalAlignment::top, .spacing = 0}, std::move(deskViews));
  View sheet = host::VStack({.alignment = host::HorizontalAlignment::leading, .spacing = 0}, {header, row});
  // The desks set the sheet's width; the header then spans it, its one-line captions cut to fit.
  double width = host::layout(row, host::ProposedSize{}, services(light.appearance)).size.width;
  host::LayoutTree tree = host::layout(sheet, host::ProposedSize{width, std::nullopt}, services(light.appearance));

  host::CairoSurface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32,
                                                        static_cast<int>(std::ceil(tree.size.width * options.scale)),
                                                        static_cast<int>(std::ceil(tree.size.height * options.scale))));
  cairo_t* cr = cairo_create(surface.get());
  cairo_scale(cr, options.scale, options.scale);
  renderer_.drawer().draw(cr, tree, {.appearance = light.appearance});
  for (const auto& node : tree.nodes)
    if (const auto* identity = node.as<host::RowIdentity>())
      if (auto tile = tiles_.find(identity->id); tile != tiles_.end()) drawTile(cr, node.frame, tile->second);
  cairo_destroy(cr);

  std::string error;
  if (!host::writePng(surface.get(), options.output, &error)) {
    std::cerr << "error: gallery: " << error << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

void registerGalleryCommand(const DrawCommands& commands, const DrawCommandOptions& options,
                            const host::AnyWidgetBundle& bundle, int& exitCode) {
  commands.gallery->callback([&] { exitCode = GallerySheet().draw(options.gallery, bundle); });
}
