// The status-bar examples the README shows: the Waybar module as Waybar reads it, the classes its
// style sheet covers, and the README showing the very files the tests read.
#include <gtest/gtest.h>
#include <simdjson.h>

#include "test_files.hpp"

namespace {

std::string readSource(const std::string& relative) { return readFile(std::string(ZUVO_SOURCE_DIR) + "/" + relative); }

TEST(StatusBarExamples, WaybarModuleRunsWatchAndPressesTheControls) {
  const std::string config = readSource("examples/waybar/config.json");
  simdjson::dom::parser parser;
  simdjson::dom::object root, module;
  ASSERT_EQ(parser.parse(config).get(root), simdjson::SUCCESS);
  ASSERT_EQ(root["custom/zuvo"].get(module), simdjson::SUCCESS);
  auto text = [&](const char* key) {
    std::string_view value;
    return module[key].get(value) == simdjson::SUCCESS ? std::string(value) : std::string("(missing)");
  };
  EXPECT_EQ(text("exec"), "zuvo-widgets watch --format waybar");
  EXPECT_EQ(text("return-type"), "json");
  EXPECT_EQ(text("on-click"), "zuvo-widgets press activity --open");
  EXPECT_EQ(text("on-click-right"), "zuvo-widgets press new-vantle --open");
  bool escaped = false;  // agent names are shown as text, not as Pango markup
  EXPECT_EQ(module["escape"].get(escaped), simdjson::SUCCESS);
  EXPECT_TRUE(escaped);
  // Without polling: Waybar reads the stream and must not re-run it on an interval.
  EXPECT_EQ(module["interval"].error(), simdjson::NO_SUCH_FIELD);

  bool placed = false;
  for (const char* bar : {"modules-left", "modules-center", "modules-right"}) {
    simdjson::dom::array modules;
    if (root[bar].get(modules) != simdjson::SUCCESS) continue;
    for (auto name : modules) placed = placed || name.get_string().value_unsafe() == "custom/zuvo";
  }
  EXPECT_TRUE(placed);

  const std::string css = readSource("examples/waybar/style.css");
  for (const char* cls : {"attention", "inbox", "idle", "limit"})
    EXPECT_NE(css.find(std::string("#custom-zuvo.") + cls + " "), std::string::npos) << cls;

  const std::string readme = readSource("README.md");
  for (const char* example : {"examples/waybar/config.json", "examples/waybar/style.css", "examples/eww/eww.yuck"})
    EXPECT_NE(readme.find(readSource(example)), std::string::npos) << example << " is not shown as it stands";
}

}  // namespace
