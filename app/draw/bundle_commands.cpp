// describe: the bundle's declarations as the host reads them. press: a control's button press.
#include <iostream>
#include <string>
#include <vector>

#include "commands.hpp"
#include "host/platform/json_writer.hpp"
#include "host/platform/url_opener.hpp"
#include "shared/program_resources.hpp"
#include "shared/status_widget_source.hpp"
#include "widgets/extension_identity.hpp"

namespace {

// A control is named on the command line by the last part of its kind ("new-vantle").
std::string controlName(const std::string& kind) { return kind.substr(kind.rfind('.') + 1); }

void writeWidget(host::JsonWriter& out, const host::WidgetConfiguration& widget, const host::StringCatalog& strings) {
  out.beginObject().key("type").value("widget").key("kind").value(widget.kind());
  out.key("displayName").value(strings.format(widget.configurationDisplayName()));
  out.key("description").value(strings.format(widget.description()));
  out.key("families").beginArray();
  for (host::WidgetFamily family : widget.supportedFamilies()) out.value(host::name(family));
  out.endArray().endObject();
}

void writeControl(host::JsonWriter& out, const host::StaticControlConfiguration& control,
                  const host::StringCatalog& strings) {
  out.beginObject().key("type").value("control").key("kind").value(control.kind());
  out.key("displayName").value(strings.format(control.displayName()));
  out.key("description").value(strings.format(control.description()));
  host::ControlLabel label = control.content().label();
  out.key("button").beginObject();
  out.key("title").value(strings.format(label.title)).key("symbol").value(label.systemImage);
  out.endObject().endObject();
}

std::string describe(const host::WidgetBundleBody& body, const host::StringCatalog& strings) {
  host::JsonWriter out;
  out.beginObject();
  out.key("extension").value(zuvo::kExtensionIdentifier);
  out.key("applicationGroup").value(zuvo::kApplicationGroup);
  out.key("widgets").beginArray();
  for (const auto& item : body) {
    if (const auto* widget = std::get_if<host::WidgetConfiguration>(&item)) writeWidget(out, *widget, strings);
    else writeControl(out, std::get<host::StaticControlConfiguration>(item), strings);
  }
  out.endArray().endObject();
  return out.take();
}

std::vector<host::StaticControlConfiguration> controlsOf(const host::WidgetBundleBody& body) {
  std::vector<host::StaticControlConfiguration> controls;
  for (const auto& item : body)
    if (const auto* control = std::get_if<host::StaticControlConfiguration>(&item)) controls.push_back(*control);
  return controls;
}

// Runs the button's intent, prints the URL its result asks the host to open, and opens it when
// asked to.
int press(const host::AnyWidgetBundle& bundle, const PressOptions& options) {
  for (const auto& control : controlsOf(bundle.body())) {
    if (controlName(control.kind()) != options.control && control.kind() != options.control) continue;
    host::IntentResult result = control.content().action().perform();
    if (!result.opensIntent()) return 0;
    const host::Url& url = result.opensIntent()->url();
    std::cout << url.string() << '\n' << std::flush;
    if (!options.open) return 0;
    if (auto error = host::openOnDesktop(url)) {
      std::cerr << "zuvo-widgets press: could not open " << url.string() << ": " << *error << '\n';
      return 1;
    }
    return 0;
  }
  std::cerr << "zuvo-widgets press: no control named " << options.control << '\n';
  return 2;
}

}  // namespace

DrawChoices bundleChoices(const host::AnyWidgetBundle& bundle) {
  DrawChoices choices;
  const host::WidgetConfiguration widget = statusWidgetDeclaration(bundle);
  for (host::WidgetFamily family : widget.supportedFamilies())
    choices.families.emplace_back(host::name(family));
  for (const auto& control : controlsOf(bundle.body())) choices.controls.push_back(controlName(control.kind()));
  return choices;
}

void registerBundleCommands(const DrawCommands& commands, const DrawCommandOptions& options,
                            const host::AnyWidgetBundle& bundle, int& exitCode) {
  commands.describe->callback([&bundle] { std::cout << describe(bundle.body(), *programStringCatalog()) << '\n'; });
  commands.press->callback([&] { exitCode = press(bundle, options.press); });
}
