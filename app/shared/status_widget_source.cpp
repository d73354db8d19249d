#include "shared/status_widget_source.hpp"

#include <iostream>
#include <stdexcept>

#include "document/status_decoder.hpp"
#include "host/platform/clock.hpp"
#include "host/platform/whole_file_read.hpp"
#include "widgets/status_widget.hpp"

namespace {

std::optional<zuvo::WidgetStatus> readStatusFile(const std::string& path) {
  const auto file = host::readWholeRegularFile(path, zuvo::StatusStore::kMaxFileSize);
  if (!file) {
    std::cerr << "error: " << path << ": cannot read\n";
    return std::nullopt;
  }
  auto decoded = zuvo::decodeStatus(file->bytes());
  if (!decoded.status) std::cerr << "error: " << path << ": " << decoded.error.where << ": " << decoded.error.why << "\n";
  return decoded.status;
}

}  // namespace

host::WidgetConfiguration statusWidgetDeclaration(const host::AnyWidgetBundle& bundle) {
  for (const auto& item : bundle.body())
    if (const auto* widget = std::get_if<host::WidgetConfiguration>(&item))
      if (widget->kind() == zuvo::kStatusWidgetKind) return *widget;
  throw std::logic_error("the bundle declares no status widget");
}

std::optional<host::View> statusWidgetContent(const host::WidgetConfiguration& widget, const StatusSource& source) {
  if (source.sample) return widget.placeholder({});
  if (source.statusFile.empty() && !source.empty) {
    auto timeline = widget.timeline({});
    return timeline.entries.empty() ? host::View() : timeline.entries.front().view;
  }
  // A status the host was handed: its own entry, run through the declaration's content step.
  const auto* configuration = widget.as<zuvo::StatusProvider>();
  if (!configuration) throw std::logic_error("the status widget is not fed by the status provider");
  auto status = source.empty ? zuvo::WidgetStatus::empty() : readStatusFile(source.statusFile);
  if (!status) return std::nullopt;
  return configuration->content(zuvo::StatusEntry{.date = host::systemNow(), .status = std::move(*status)});
}
