#pragma once
// A widget's configuration of any provider type, as a widget bundle lists it. The host reads the
// gallery texts and families from it and draws through it: each drawing asks the provider for an
// entry and runs the content step on it. Where the host makes entries itself, it gets the typed
// configuration back with as<Provider>().
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/kit/static_configuration.hpp"
#include "host/kit/timeline.hpp"
#include "host/view/view.hpp"

namespace host {

// One entry of a timeline, already turned into its view by the content step.
struct DatedView {
  Instant date{};
  View view{};
};

class WidgetConfiguration {
 public:
  template <class Provider>
  WidgetConfiguration(StaticConfiguration<Provider> configuration)  // NOLINT: any configuration is one
      : model_(std::make_shared<const Model<Provider>>(std::move(configuration))) {}

  const std::string& kind() const { return model_->kind(); }
  const LocalizedKey& configurationDisplayName() const { return model_->configurationDisplayName(); }
  const LocalizedKey& description() const { return model_->description(); }
  const std::vector<WidgetFamily>& supportedFamilies() const { return model_->supportedFamilies(); }

  // The content step run on the provider's placeholder, snapshot or timeline entries.
  View placeholder(const TimelineProviderContext& context) const { return model_->placeholder(context); }
  View snapshot(const TimelineProviderContext& context) const { return model_->snapshot(context); }
  Timeline<DatedView> timeline(const TimelineProviderContext& context) const { return model_->timeline(context); }

  // The configuration itself when its provider is a Provider, else null.
  template <class Provider>
  const StaticConfiguration<Provider>* as() const {
    const auto* model = dynamic_cast<const Model<Provider>*>(model_.get());
    return model ? &model->configuration : nullptr;
  }

 private:
  struct Concept {
    virtual ~Concept() = default;
    virtual const std::string& kind() const = 0;
    virtual const LocalizedKey& configurationDisplayName() const = 0;
    virtual const LocalizedKey& description() const = 0;
    virtual const std::vector<WidgetFamily>& supportedFamilies() const = 0;
    virtual View placeholder(const TimelineProviderContext& context) const = 0;
    virtual View snapshot(const TimelineProviderContext& context) const = 0;
    virtual Timeline<DatedView> timeline(const TimelineProviderContext& context) const = 0;
  };
  template <class Provider>
  struct Model final : Concept {
    explicit Model(StaticConfiguration<Provider> c) : configuration(std::move(c)) {}
    const std::string& kind() const override { return configuration.kind(); }
    const LocalizedKey& configurationDisplayName() const override { return configuration.configurationDisplayName(); }
    const LocalizedKey& description() const override { return configuration.description(); }
    const std::vector<WidgetFamily>& supportedFamilies() const override { return configuration.supportedFamilies(); }
    View placeholder(const TimelineProviderContext& context) const override {
      return configuration.content(configuration.provider().placeholder(context));
    }
    View snapshot(const TimelineProviderContext& context) const override {
      std::optional<View> view;
      configuration.provider().getSnapshot(context, [&](Entry entry) { view = configuration.content(entry); });
      return view.value_or(View());
    }
    Timeline<DatedView> timeline(const TimelineProviderContext& context) const override {
      Timeline<DatedView> views;
      configuration.provider().getTimeline(context, [&](Timeline<Entry> entries) {
        for (const Entry& e : entries.entries) views.entries.push_back({e.date, configuration.content(e)});
        views.policy = entries.policy;
      });
      return views;
    }
    using Entry = EntryOf<Provider>;
    StaticConfiguration<Provider> configuration;
  };

  std::shared_ptr<const Concept> model_;
};

}  // namespace host
