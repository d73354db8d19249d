#include "document/status_encoder.hpp"

namespace zuvo {
namespace {

void writeWindow(host::JsonWriter& writer, const AgentLimit::Window& window) {
  writer.beginObject();
  writer.key("name").value(window.name);
  writer.key("used").value(window.used);
  if (window.resetsAt) writer.key("resetsAt").value(window.resetsAt->secondsSinceReference);
  writer.endObject();
}

void writeAgent(host::JsonWriter& writer, const AgentLimit& agent) {
  writer.beginObject();
  writer.key("agent").value(agent.agent);
  writer.key("windows").beginArray();
  for (const auto& window : agent.windows) writeWindow(writer, window);
  writer.endArray();
  writer.key("updatedAt").value(agent.updatedAt.secondsSinceReference);
  writer.endObject();
}

}  // namespace

void writeStatus(host::JsonWriter& writer, const WidgetStatus& status) {
  writer.beginObject();
  writer.key("waiting").value(status.waiting);
  writer.key("unread").value(status.unread);
  if (status.weekScore) writer.key("weekScore").value(*status.weekScore);
  writer.key("weekSpend").value(status.weekSpend);
  if (status.limits) {
    writer.key("limits").beginArray();
    for (const auto& agent : *status.limits) writeAgent(writer, agent);
    writer.endArray();
  }
  writer.endObject();
}

std::string encodeStatus(const WidgetStatus& status) {
  host::JsonWriter writer;
  writeStatus(writer, status);
  return writer.take();
}

}  // namespace zuvo
