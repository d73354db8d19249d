#include "watch_answer.hpp"

#include <algorithm>

#include "host/platform/json_writer.hpp"
#include "presentation/texts/captions.hpp"
#include "presentation/texts/figures.hpp"
#include "timeline/timeline_encoder.hpp"

namespace {

using zuvo::AgentLimit;
using zuvo::WidgetStatus;

// The counts row on one line: "3 waiting on you", "5 new in Inbox", "Nothing waiting".
std::string countsText(const WidgetStatus& status, const host::StringCatalog& strings) {
  const auto texts = zuvo::attentionTexts(status.waiting, status.unread);
  const std::string caption = strings.format(texts.caption);
  return texts.figure ? strings.format(*texts.figure) + " " + caption : caption;
}

struct WaybarFields {
  std::string text;
  std::string tooltip;
  std::vector<std::string> classes;
  std::optional<std::int64_t> percentage;
};

WaybarFields waybarFields(const WidgetStatus& status, host::Instant now, const host::StringCatalog& strings) {
  WaybarFields fields;
  fields.text = countsText(status, strings);
  fields.tooltip = fields.text;
  fields.tooltip += std::string("\n") + zuvo::kKeptPrivateLabel + " " + zuvo::privacyFigure(status.weekScore);
  fields.tooltip += std::string("\n") + zuvo::kSpentOnAiLabel + " " + zuvo::spendFigure(status.weekSpend);
  fields.tooltip += "\n" + strings.format({zuvo::kLastSevenDaysKey});

  bool nearLimit = false;
  for (const AgentLimit& limit : status.limits.value_or(std::vector<AgentLimit>{})) {
    const auto window = limit.peakWindow(now);
    fields.tooltip += "\n" + limit.agent + ": " + strings.format(zuvo::agentRowTexts(limit.agent, window).usage);
    if (!window) continue;
    nearLimit = nearLimit || window->used >= zuvo::kUsageAttentionThreshold;
    if (const auto percent = zuvo::usagePercent(window->used))
      fields.percentage = std::max(fields.percentage.value_or(0), std::clamp<std::int64_t>(*percent, 0, 100));
  }

  switch (zuvo::attentionTexts(status.waiting, status.unread).row) {
    case zuvo::AttentionRow::waiting: fields.classes.push_back("attention"); break;
    case zuvo::AttentionRow::inbox: fields.classes.push_back("inbox"); break;
    case zuvo::AttentionRow::nothingWaiting: fields.classes.push_back("idle"); break;
  }
  if (nearLimit) fields.classes.push_back("limit");
  return fields;
}

std::string waybarLine(const WaybarFields& fields) {
  host::JsonWriter writer;
  writer.beginObject();
  writer.key("text").value(fields.text);
  writer.key("tooltip").value(fields.tooltip);
  writer.key("class").beginArray();
  for (const auto& name : fields.classes) writer.value(name);
  writer.endArray();
  if (fields.percentage) writer.key("percentage").value(*fields.percentage);
  writer.endObject();
  return writer.take();
}

// Which window each agent row shows: the status alone does not tell once a window has reset.
std::string shownWindows(const WidgetStatus& status, host::Instant now) {
  std::string key;
  for (const AgentLimit& limit : status.limits.value_or(std::vector<AgentLimit>{})) {
    const auto window = limit.peakWindow(now);
    const auto index = window ? std::find(limit.windows.begin(), limit.windows.end(), *window) - limit.windows.begin()
                              : -1;
    key += std::to_string(index) + ",";
  }
  return key;
}

// A line printed in one write must not hold a newline of its own.
std::string oneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  std::replace(text.begin(), text.end(), '\r', ' ');
  return text;
}

}  // namespace

WatchAnswer watchAnswer(WatchFormat format, const zuvo::StatusEntry& entry, host::Instant now,
                        const host::StringCatalog& strings) {
  const WidgetStatus& status = entry.status;
  switch (format) {
    case WatchFormat::json: {
      auto line = zuvo::encodeEntry(entry);
      return {std::move(line), zuvo::encodeEntry({.date = {}, .status = status}) + shownWindows(status, now)};
    }
    case WatchFormat::waybar: {
      auto line = waybarLine(waybarFields(status, now, strings));
      return {line, line};
    }
    case WatchFormat::text: {
      auto line = oneLine(waybarFields(status, now, strings).text);
      return {line, line};
    }
  }
  return {};
}
