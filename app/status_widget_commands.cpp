// Subcommands that show the status widget to a person and to a test: render (pixels), layout (the
// laid-out tree as JSON) and tap (where a tap leads). All draw the status widget that the bundle
// declares, through its provider and content step (status_widget_source.hpp): by default as a
// timeline would (the status file of the shared container, the empty status on any failure), or
// from --status FILE, --sample or --empty.
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "commands.hpp"
#include "host/layout/accessibility.hpp"
#include "host/layout/hit_test.hpp"
#include "host/platform/json_writer.hpp"
#include "host/layout/layout_json.hpp"
#include "host/platform/url_opener.hpp"
#include "host/view/widget_family.hpp"
#include "status_widget_rendering.hpp"
#include "status_widget_source.hpp"

namespace {

struct WidgetOptions {
  std::string statusFile;
  bool sample = false;
  bool empty = false;
  std::string family = "small";
  std::string appearance = "light";
  std::string renderingMode = "full-color";
  std::string locale;
};

// The families offered are those the widget declares.
void addWidgetOptions(CLI::App& command, WidgetOptions& options, const host::WidgetConfiguration& widget) {
  auto* file = command.add_option("--status", options.statusFile, "Draw this status file instead of the stored one");
  auto* sample = command.add_flag("--sample", options.sample, "Draw the sample status of placeholders and previews");
  auto* empty = command.add_flag("--empty", options.empty, "Draw the empty status");
  file->excludes(sample)->excludes(empty);
  sample->excludes(empty);
  std::vector<std::string> families;
  for (host::WidgetFamily family : widget.supportedFamilies()) families.emplace_back(host::name(family));
  command.add_option("--family", options.family, "Widget size")
      ->check(CLI::IsMember(families))
      ->capture_default_str();
  command.add_option("--appearance", options.appearance, "Desktop appearance")
      ->check(CLI::IsMember({"light", "dark"}))
      ->capture_default_str();
  command.add_option("--rendering-mode", options.renderingMode, "How the host renders colours")
      ->check(CLI::IsMember({"full-color", "accented", "vibrant"}))
      ->capture_default_str();
  command.add_option("--locale", options.locale,
                     "Locale for figures and captions (e.g. de_DE.UTF-8), in place of the environment's");
}

// The figures read the locale, and the captions the language, afresh from the environment each time
// they are formed; overriding every variable they read makes the whole run follow one locale.
void applyLocale(const std::string& locale) {
  if (locale.empty()) return;
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LC_MONETARY", "LC_MESSAGES", "LANG", "LANGUAGE"})
    setenv(variable, locale.c_str(), 1);
}

struct LaidOutWidget {
  host::WidgetEnvironment environment;
  host::Appearance appearance = host::Appearance::light();
  host::LayoutTree tree;
};

std::optional<LaidOutWidget> layOut(const WidgetOptions& options, const host::AnyWidgetBundle& bundle,
                                    const StatusWidgetRenderer& renderer) {
  applyLocale(options.locale);
  auto content = statusWidgetContent(statusWidgetDeclaration(bundle),
                                     {.statusFile = options.statusFile, .sample = options.sample, .empty = options.empty});
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
    std::cerr << "error: " << output << ": " << error << "\n";
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

void registerStatusWidgetCommands(CLI::App& app, const host::AnyWidgetBundle& bundle, int& exitCode) {
  const host::WidgetConfiguration widget = statusWidgetDeclaration(bundle);
  {
    auto* command = app.add_subcommand("render", "Draw the status widget to a PNG, SVG or PDF file");
    auto options = std::make_shared<WidgetOptions>();
    auto scale = std::make_shared<double>(host::kDefaultDrawScale);
    auto output = std::make_shared<std::string>();
    addWidgetOptions(*command, *options, widget);
    command->add_option("--scale", *scale, "Pixels per point of a PNG")->check(drawScale())->capture_default_str();
    command->add_option("-o,--output", *output, "Output file: .png, .svg or .pdf")->required();
    command->callback([=, &bundle, &exitCode] { exitCode = render(*options, bundle, *scale, *output); });
  }
  {
    auto* command = app.add_subcommand("layout", "Print the laid-out status widget as JSON");
    auto options = std::make_shared<WidgetOptions>();
    addWidgetOptions(*command, *options, widget);
    command->callback([=, &bundle, &exitCode] { exitCode = printLayout(*options, bundle); });
  }
  {
    auto* command = app.add_subcommand(
        "tap", "Print the URL a tap on the status widget opens (exit 1 when it opens nothing)");
    auto options = std::make_shared<WidgetOptions>();
    auto at = std::make_shared<std::string>();
    auto open = std::make_shared<bool>(false);
    addWidgetOptions(*command, *options, widget);
    command->add_option("--at", *at, "Where to tap: X,Y in points from the top-left (default: the centre)");
    command->add_flag("--open", *open, "Also hand the URL to the desktop (xdg-open)");
    command->callback([=, &bundle, &exitCode] { exitCode = tap(*options, bundle, *at, *open); });
  }
}
