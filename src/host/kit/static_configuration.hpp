#pragma once
// A widget's static configuration (no options for the user to edit): its kind, the timeline
// provider that feeds it, the content step that turns each entry into a view, and what the widget
// gallery shows of it.
//
//   StaticConfiguration("com.example.weather", WeatherProvider{},
//                       [](const WeatherEntry& e) { return WeatherView(e.forecast); })
//       .configurationDisplayName({"Weather"})
//       .description({"Today's forecast."})
//       .supportedFamilies({WidgetFamily::systemSmall});
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "host/view/localized_string.hpp"
#include "host/kit/timeline.hpp"
#include "host/view/view.hpp"
#include "host/view/widget_family.hpp"

namespace host {

// The entries a provider makes: what its placeholder returns.
template <class Provider>
using EntryOf = decltype(std::declval<const Provider&>().placeholder(TimelineProviderContext{}));

template <class Provider>
  requires TimelineProvider<Provider, EntryOf<Provider>>
class StaticConfiguration {
 public:
  using Entry = EntryOf<Provider>;
  using Content = std::function<View(const Entry&)>;

  StaticConfiguration(std::string kind, Provider provider, Content content)
      : kind_(std::move(kind)), provider_(std::move(provider)), content_(std::move(content)) {}

  // Modifiers: each returns a copy with the property set.
  StaticConfiguration configurationDisplayName(LocalizedKey name) const {
    auto copy = *this;
    copy.displayName_ = std::move(name);
    return copy;
  }
  StaticConfiguration description(LocalizedKey text) const {
    auto copy = *this;
    copy.description_ = std::move(text);
    return copy;
  }
  // The host offers the widget in these families only, in this order.
  StaticConfiguration supportedFamilies(std::vector<WidgetFamily> families) const {
    auto copy = *this;
    copy.families_ = std::move(families);
    return copy;
  }

  const std::string& kind() const { return kind_; }
  const Provider& provider() const { return provider_; }
  // Runs the content step, as the host does for each entry it is about to draw.
  View content(const Entry& entry) const { return content_(entry); }
  const LocalizedKey& configurationDisplayName() const { return displayName_; }
  const LocalizedKey& description() const { return description_; }
  const std::vector<WidgetFamily>& supportedFamilies() const { return families_; }

 private:
  std::string kind_;
  Provider provider_;
  Content content_;
  LocalizedKey displayName_{};
  LocalizedKey description_{};
  // Unless told otherwise the host offers every family it has.
  std::vector<WidgetFamily> families_{WidgetFamily::systemSmall, WidgetFamily::systemMedium,
                                      WidgetFamily::systemLarge};
};

}  // namespace host
