#pragma once
// A widget bundle: what one extension offers the host, widgets and controls, in the order the
// host shows them. The extension's process entry hands its bundle type to widgetBundleMain; the
// host then asks the bundle for its body whenever it needs the declarations.
//
//   struct MyWidgets {
//     WidgetBundleBody body() const { return {WeatherWidget{}.body(), RefreshControl{}.body()}; }
//   };
//   int main(int argc, char** argv) { return host::widgetBundleMain<MyWidgets>(argc, argv); }
#include <concepts>
#include <functional>
#include <variant>
#include <vector>

#include "host/kit/control_configuration.hpp"
#include "host/kit/widget_configuration.hpp"

namespace host {

using WidgetBundleItem = std::variant<WidgetConfiguration, StaticControlConfiguration>;
using WidgetBundleBody = std::vector<WidgetBundleItem>;

template <class T>
concept WidgetBundle = std::default_initializable<T> && requires(const T& bundle) {
  { bundle.body() } -> std::same_as<WidgetBundleBody>;
};

// A bundle of any type, as the host keeps it: each call of body() builds the declarations afresh.
class AnyWidgetBundle {
 public:
  template <WidgetBundle Bundle>
  static AnyWidgetBundle of() {
    return AnyWidgetBundle([] { return Bundle{}.body(); });
  }
  explicit AnyWidgetBundle(std::function<WidgetBundleBody()> body) : body_(std::move(body)) {}

  WidgetBundleBody body() const { return body_(); }

 private:
  std::function<WidgetBundleBody()> body_;
};

// The host's own run, given the bundle it hosts; returns the process's exit status. The host
// program defines it.
int runWidgetHost(const AnyWidgetBundle& bundle, int argc, char** argv);

// The extension's main entry: hands control, and the bundle, to the host.
template <WidgetBundle Bundle>
int widgetBundleMain(int argc, char** argv) {
  return runWidgetHost(AnyWidgetBundle::of<Bundle>(), argc, argv);
}

}  // namespace host
