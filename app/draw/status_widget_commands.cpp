// Subcommands that show the status widget to a person and to a test: render (pixels), layout (the
// laid-out tree as JSON) and tap (where a tap leads). All draw the status widget that the bundle
// declares, through its provider and content step (status_widget_source.hpp): by default as a
// timeline would (the status file of the shared container, the empty status on any failure), or
// from --status FILE, --sample or --empty.
#include <cstdlib>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "commands.hpp"
#include "host/layout/accessibility.hpp"
#include "host/layout/hit_test.hpp"
#include "host/platform/json_writer.hpp"
#include "host/layout/layout_json.hpp"
#include "host/locale/locale_environment.hpp"
#include "host/platform/url_opener.hpp"
#include "host/draw/cairo_drawer.hpp"
#include "host/view/widget_family.hpp"
#include "shared/status_widget_rendering.hpp"
#include "shared/status_widget_source.hpp"

namespace {


struct LaidOutWidget {
  host::WidgetEnvironment environment;
  host::Appearance appearance = host::Appearance::light();
  host::LayoutTree tree;
};

std::optional<LaidOutWidget> layOut(const WidgetOptions& options, const host::AnyWidgetBundle& bundle,
                                    const StatusWidgetRenderer& renderer) {
  host::overrideLocale(options.locale);
  auto content = statusWidgetContent(statusWidgetDeclaration(bundle), options.source);
  if (!content) return std::nullopt;
  LaidOutWidget widget{.environment = {.family = *host::widgetFamilyNamed(options.family),
                                       .renderingMode = *host::renderingModeNamed(options.renderingMode)},
                       .appearance = host::Appearance(options.appearance),
                       .tree = {}};
  widget.tree = renderer.layout(*content, widget.environment, widget.appearance);
  return widget;
}

int render(const WidgetOptions& options, const host::AnyWidgetBundle& bundle, double scale,
           const std::string& output) {
  StatusWidgetRenderer renderer;
  auto widget = layOut(options, bundle, renderer);
  if (!widget) return 2;
  std::string error;
  if (!renderer.renderToFile(widget->tree, output, scale, widget->appearance, &error)) {
    std::cerr << "error: render: " << error << "\n";
    return 1;
  }
  return 0;
}

int printLayout(const WidgetOptions& options, const host::AnyWidgetBundle& bundle) {
  StatusWidgetRenderer renderer;
  auto widget = layOut(options, bundle, renderer);
  if (!widget) return 2;
  host::JsonWriter out;
  out.beginObject().key("family").value(host::name(widget->environment.family));
  writeLayoutMembers(out, widget->tree);
  // What a screen reader reads, in reading order: what the live window's stand-ins must carry.
  out.key("accessibilityElements").beginArray();
  for (const auto& element : host::accessibleElements(widget->tree)) {
    out.beginObject().key("label").value(element.label).key("frame").beginObject();
    out.key("x").value(element.frame.x).key("y").value(element.frame.y);
    out.key("width").value(element.frame.width).key("height").value(element.frame.height).endObject();
    out.key("link");
    if (element.link)
      out.value(element.link->string());
    else
      out.null();
    out.endObject();
  }
  out.endArray();
  out.endObject();
  std::cout << out.str() << "\n";
  return 0;
}

std::optional<host::Point> parsePoint(const std::string& text) {
  std::istringstream in(text);
  host::Point point;
  char comma = 0;
  if (!(in >> point.x >> comma >> point.y) || comma != ',' || !(in >> std::ws).eof()) return std::nullopt;
  return point;
}

int tap(const WidgetOptions& options, const host::AnyWidgetBundle& bundle, const std::string& at, bool open) {
  StatusWidgetRenderer renderer;
  auto widget = layOut(options, bundle, renderer);
  if (!widget) return 2;
  host::Point point{widget->tree.size.width / 2, widget->tree.size.height / 2};
  if (!at.empty()) {
    const auto parsed = parsePoint(at);
    if (!parsed) {
      std::cerr << "error: --at takes X,Y in points from the widget's top-left, e.g. 40,150\n";
      return 2;
    }
    point = *parsed;
  }
  const auto url = host::hitTest(widget->tree, point);
  if (!url) return 1;
  std::cout << url->string() << "\n";
  if (open) {
    if (const auto failure = host::openOnDesktop(*url)) {
      std::cerr << "error: " << *failure << "\n";
      return 1;
    }
  }
  return 0;
}

}  // namespace

static_assert(kCommandLineDrawScale == host::kDefaultDrawScale);

void registerStatusWidgetCommands(const DrawCommands& commands, const DrawCommandOptions& options,
                                  const host::AnyWidgetBundle& bundle, int& exitCode) {
  commands.render->callback([&] {
    exitCode = render(options.render.widget, bundle, options.render.scale, options.render.output);
  });
  commands.layout->callback([&] { exitCode = printLayout(options.layout, bundle); });
  commands.tap->callback([&] { exitCode = tap(options.tap.widget, bundle, options.tap.at, options.tap.open); });
}
