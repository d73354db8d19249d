// Decoding throughput of the status document, side by side with simdjson's bare parse of the same
// bytes (the ceiling) and nlohmann::json parsing plus extracting the same fields (the usual
// choice), on a typical document and on ones with 100 and 10,000 agents.
#include <benchmark/benchmark.h>
#include <simdjson.h>

#include <nlohmann/json.hpp>
#include <string>

#include "document/status_decoder.hpp"

namespace {

std::string agentJson(int i) {
  const std::string n = std::to_string(i);
  return R"({"agent":"Agent )" + n + R"(","updatedAt":794059200.5,"windows":[)"
         R"({"name":"daily","used":0.42,"resetsAt":794077200},{"name":"weekly","used":0.18}]})";
}

// The example document with a second agent: 411 bytes, about what the application writes.
std::string typicalDocument() {
  return R"({
  "waiting": 3,
  "unread": 5,
  "weekScore": 0.9,
  "weekSpend": 12.5,
  "limits": [
    {"agent": "Scribe", "updatedAt": 794059200,
     "windows": [{"name": "daily", "used": 0.42, "resetsAt": 794077200}, {"name": "weekly", "used": 0.18}]},
    {"agent": "Ledger", "updatedAt": 794059260.25,
     "windows": [{"name": "5-hour", "used": 0.73, "resetsAt": 794070000}, {"name": "weekly", "used": 0.31}]}
  ]
})";
}

std::string documentWithAgents(int count) {
  std::string doc = R"({"waiting":3,"unread":5,"weekScore":0.9,"weekSpend":12.5,"limits":[)";
  for (int i = 0; i < count; ++i) doc += (i ? "," : "") + agentJson(i);
  return doc + "]}";
}

const std::string& document(int agents) {
  static const std::string typical = typicalDocument();
  static const std::string hundred = documentWithAgents(100);
  static const std::string tenThousand = documentWithAgents(10000);
  return agents == 0 ? typical : agents == 100 ? hundred : tenThousand;
}

void label(benchmark::State& state, const std::string& doc) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
  state.SetLabel(std::to_string(doc.size()) + " bytes");
}

void StrictDecode(benchmark::State& state) {
  const simdjson::padded_string doc(document(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    auto result = zuvo::decodeStatus(std::string_view(doc.data(), doc.size()), doc.size() + zuvo::kDecodePadding);
    if (!result.status) state.SkipWithError("did not decode");
    benchmark::DoNotOptimize(result);
  }
  label(state, document(static_cast<int>(state.range(0))));
}

// The validating walk, taken only by documents holding an integer literal too long for 64 bits.
void StrictDecodeByWalk(benchmark::State& state) {
  const std::string& base = document(static_cast<int>(state.range(0)));
  const simdjson::padded_string doc("{\"id\":123456789012345678901234567890," + base.substr(base.find('{') + 1));
  for (auto _ : state) {
    auto result = zuvo::decodeStatus(std::string_view(doc.data(), doc.size()), doc.size() + zuvo::kDecodePadding);
    if (!result.status) state.SkipWithError("did not decode");
    benchmark::DoNotOptimize(result);
  }
  label(state, base);
}

void SimdjsonBareParse(benchmark::State& state) {
  const simdjson::padded_string doc(document(static_cast<int>(state.range(0))));
  simdjson::dom::parser parser;
  for (auto _ : state) {
    simdjson::dom::element root;
    if (parser.parse(doc).get(root)) state.SkipWithError("did not parse");
    benchmark::DoNotOptimize(root);
  }
  label(state, document(static_cast<int>(state.range(0))));
}

zuvo::WidgetStatus extract(const nlohmann::json& j) {
  zuvo::WidgetStatus status;
  status.waiting = j.at("waiting").get<std::int64_t>();
  status.unread = j.at("unread").get<std::int64_t>();
  if (auto it = j.find("weekScore"); it != j.end() && !it->is_null()) status.weekScore = it->get<double>();
  status.weekSpend = j.at("weekSpend").get<double>();
  if (auto it = j.find("limits"); it != j.end() && !it->is_null()) {
    auto& limits = status.limits.emplace();
    for (const auto& a : *it) {
      zuvo::AgentLimit agent{.agent = a.at("agent").get<std::string>(),
                             .updatedAt = zuvo::Instant{a.at("updatedAt").get<double>()}};
      for (const auto& w : a.at("windows")) {
        zuvo::AgentLimit::Window window{.name = w.at("name").get<std::string>(), .used = w.at("used").get<double>()};
        if (auto r = w.find("resetsAt"); r != w.end() && !r->is_null()) window.resetsAt = zuvo::Instant{r->get<double>()};
        agent.windows.push_back(std::move(window));
      }
      limits.push_back(std::move(agent));
    }
  }
  return status;
}

void NlohmannParseAndExtract(benchmark::State& state) {
  const std::string& doc = document(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    auto status = extract(nlohmann::json::parse(doc));
    benchmark::DoNotOptimize(status);
  }
  label(state, doc);
}

// Arguments: 0 is the typical document, otherwise the number of agents.
#define ZUVO_DOCUMENTS ->Arg(0)->Arg(100)->Arg(10000)
BENCHMARK(StrictDecode) ZUVO_DOCUMENTS;
BENCHMARK(SimdjsonBareParse) ZUVO_DOCUMENTS;
BENCHMARK(NlohmannParseAndExtract) ZUVO_DOCUMENTS;
BENCHMARK(StrictDecodeByWalk) ZUVO_DOCUMENTS;

}  // namespace
