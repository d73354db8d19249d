#include "timeline/timeline_encoder.hpp"

#include "document/status_encoder.hpp"

namespace zuvo {
namespace {

void writeEntry(host::JsonWriter& writer, const StatusEntry& entry) {
  writer.beginObject();
  writer.key("date").value(entry.date.secondsSinceReference);
  writer.key("status");
  writeStatus(writer, entry.status);
  writer.endObject();
}

}  // namespace

std::string encodeEntry(const StatusEntry& entry) {
  host::JsonWriter writer;
  writeEntry(writer, entry);
  return writer.take();
}

std::string encodeTimeline(const host::Timeline<StatusEntry>& timeline) {
  host::JsonWriter writer;
  writer.beginObject();
  writer.key("entries").beginArray();
  for (const auto& entry : timeline.entries) writeEntry(writer, entry);
  writer.endArray();
  writer.key("policy").beginObject();
  writer.key("after").value(timeline.policy.reloadMoment().secondsSinceReference);
  writer.endObject();
  writer.endObject();
  return writer.take();
}

}  // namespace zuvo
