// The live host's decisions that need no display: stand-ins for accessibility elements, the
// widget's clickable shape, corner placement, the window type per window manager and backend
// choice, the appearance fallback chain and the portal's reply, and autostart entries.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "host/live/appearance_choice.hpp"
#include "host/live/autostart.hpp"
#include "host/live/placement.hpp"
#include "host/live/stand_ins.hpp"
#include "host/live/x11_desktop_layer.hpp"
#include "test_files.hpp"

namespace host {
namespace {

LayoutNode node(LayoutKind kind, std::size_t parent, std::size_t end, Rect frame, LayoutPayload payload = {}) {
  return {.kind = kind, .parent = parent, .depth = parent == kNoParent ? 0 : 1, .subtreeEnd = end, .frame = frame,
          .payload = std::move(payload)};
}

TEST(LiveStandIns, LinkedElementsBecomeButtonsTheRestLabelsInReadingOrder) {
  LayoutTree tree{.size = {200, 100}, .widgetURL = Url::parse("app://home"), .nodes = {}};
  tree.nodes = {
      node(LayoutKind::vstack, kNoParent, 4, {0, 0, 200, 100}),
      node(LayoutKind::text, 0, 2, {10, 10, 80, 20}, TextRun{.text = "Hello", .drawnText = "Hello"}),
      node(LayoutKind::link, 0, 4, {10, 50, 60, 30}, LinkTarget{*Url::parse("app://go")}),
      node(LayoutKind::text, 2, 4, {15, 55, 50, 20}, TextRun{.text = "Go", .drawnText = "Go"}),
  };
  tree.nodes[3].depth = 2;
  const auto plan = standIns(tree);
  ASSERT_EQ(plan.size(), 2u);
  EXPECT_EQ(plan[0], (StandIn{.kind = StandIn::Kind::label, .label = "Hello", .frame = {10, 10, 80, 20}}));
  EXPECT_EQ(plan[1].kind, StandIn::Kind::button);
  EXPECT_EQ(plan[1].label, "Go");
  EXPECT_EQ(plan[1].link, Url::parse("app://go"));  // the link it lies in, not the widget's URL
  EXPECT_TRUE(standIns(LayoutTree{}).empty());
}

TEST(LiveStandIns, TheClickableShapeLeavesTheCornersOut) {
  // Inside, on a straight edge, inside the arc; the transparent corners and outside; a radius beyond
  // half the side is a circle.
  const struct { double radius; Point point; bool inside; } cases[] = {
      {20, {85, 85}, true}, {20, {0, 85}, true}, {20, {6, 6}, true}, {20, {1, 1}, false}, {20, {169, 168}, false},
      {20, {-1, 85}, false}, {20, {170, 85}, false}, {500, {85, 1}, true}, {500, {20, 20}, false}};
  for (const auto& c : cases)
    EXPECT_EQ(insideRoundedRectangle({170, 170}, c.radius, c.point), c.inside) << c.point.x << "," << c.point.y;
}

TEST(LivePlacement, CornersKeepTheMarginFromBothEdgesOfTheWorkArea) {
  const Rect area{100, 30, 1000, 700};  // a second monitor beside a first, below a top panel
  const Size size{364, 170};
  EXPECT_EQ(cornerOrigin(area, size, ScreenCorner::topLeft, 24), (Point{124, 54}));
  EXPECT_EQ(cornerOrigin(area, size, ScreenCorner::topRight, 24), (Point{1100 - 24 - 364, 54}));
  EXPECT_EQ(cornerOrigin(area, size, ScreenCorner::bottomLeft, 0), (Point{100, 730 - 170}));
  EXPECT_EQ(cornerOrigin(area, size, ScreenCorner::bottomRight, 10), (Point{1100 - 10 - 364, 730 - 10 - 170}));
  // Larger than the area: kept on it from the top-left.
  EXPECT_EQ(cornerOrigin({0, 0, 300, 100}, size, ScreenCorner::bottomRight, 24), (Point{0, 0}));
  // Widgets sharing a corner stand in a row along the edge, away from the corner, a margin apart.
  const double earlier[] = {364, 170};
  EXPECT_EQ(cornerRowOrigin(area, {170, 170}, ScreenCorner::topRight, 24, earlier),
            (Point{1100 - 24 - 170 - (364 + 24) - (170 + 24), 54}));
  EXPECT_EQ(cornerRowOrigin(area, size, ScreenCorner::bottomLeft, 24, {earlier, 1}),
            (Point{124 + 364 + 24, 730 - 24 - 170}));
  EXPECT_EQ(cornerRowOrigin(area, size, ScreenCorner::bottomLeft, 24, {}),
            cornerOrigin(area, size, ScreenCorner::bottomLeft, 24));
  for (const char* text : {"top-left", "top-right", "bottom-left", "bottom-right"})
    EXPECT_EQ(name(*screenCornerNamed(text)), text);
  EXPECT_FALSE(screenCornerNamed("top"));
}

TEST(LivePlacement, MonitorByConnectorPrimaryOrIndex) {
  const std::vector<std::string> xwayland{"XWAYLAND0", "XWAYLAND1", ""};  // the last has no connector name
  const std::vector<std::string> none;
  const struct { const std::vector<std::string>& connectors; std::size_t primary; const char* request;
                 std::optional<std::size_t> chosen; } cases[] = {
      {xwayland, 1, "", 1}, {xwayland, 1, "primary", 1}, {xwayland, 1, "XWAYLAND0", 0}, {xwayland, 0, "2", 2},
      {xwayland, 1, "0", 0}, {xwayland, 7, "", 2},  // a primary past the end: the last
      {xwayland, 0, "HDMI-1", std::nullopt}, {xwayland, 0, "3", std::nullopt}, {xwayland, 0, "-1", std::nullopt},
      {xwayland, 0, "1 ", std::nullopt}, {xwayland, 0, "xwayland0", std::nullopt},
      {xwayland, 0, "99999999999999999999999", std::nullopt}, {none, 0, "", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(chooseMonitor(c.connectors, c.primary, c.request), c.chosen) << c.request;
  // The message names every monitor by index and name, on one line whatever the names hold.
  EXPECT_EQ(noSuchMonitor("HDMI-1\n", xwayland, 1),
            "no monitor \"HDMI-1?\" (there are 0 XWAYLAND0, 1 XWAYLAND1 (primary), 2)");
  EXPECT_EQ(noSuchMonitor("0", none, 0), "no monitor \"0\" (there are none)");
}

TEST(LivePlacement, BackendAndPlacementByDisplay) {
  using Env = DisplayEnvironment;
  EXPECT_EQ(preferredBackend(Env{.x11 = true}), "x11");
  EXPECT_EQ(preferredBackend(Env{.x11 = true, .wayland = true}), "x11");  // XWayland: the only way below
  EXPECT_EQ(preferredBackend(Env{.x11 = true, .wayland = true, .layerShell = true}), "wayland");
  EXPECT_EQ(preferredBackend(Env{.wayland = true}), std::nullopt);
  EXPECT_EQ(preferredBackend(Env{.x11 = true, .requestedBackend = "wayland"}), std::nullopt);  // the user's choice
  EXPECT_EQ(placementFor(true, true), Placement::x11DesktopLayer);
  EXPECT_EQ(placementFor(false, true), Placement::layerShell);
  EXPECT_EQ(placementFor(false, false), Placement::plainWindow);
}

TEST(LivePlacement, TheWindowTypeThatKeepsTheWidgetVisibleWhenTheDesktopIsShown) {
  const struct { const char* manager; DesktopLayerStyle style; } cases[] = {
      {"Mutter", {"DOCK"}}, {"GNOME Shell", {"DOCK"}}, {"KWin", {"DOCK", true}}, {"Openbox", {"SPLASH"}},
      {"Xfwm4", {"NORMAL"}}, {"", {"NORMAL"}}, {"i3", {"NORMAL"}}};
  for (const auto& c : cases) EXPECT_EQ(desktopLayerStyle(c.manager), c.style) << c.manager;
}

TEST(LiveAppearance, ThePortalDecidesThenGtkThemeThenTheToolkitSettings) {
  const ToolkitThemeSettings darkSettings{.preferDark = true, .themeName = "Adwaita-dark"};
  // An answer overrides the rest, and 0 (no preference) is light.
  const struct { std::optional<std::uint32_t> portal; const char* gtkTheme; ToolkitThemeSettings settings; bool dark; } cases[] = {
      {1, "", {}, true}, {2, "Adwaita:dark", darkSettings, false}, {0, "Adwaita:dark", darkSettings, false},
      {{}, "Adwaita:dark", {}, true}, {{}, "Adwaita-dark:light", {}, false}, {{}, "", {.preferDark = true}, true},
      {{}, "", {.themeName = "Arc-dark"}, true}, {{}, "", {.themeName = "darkness"}, false}, {{}, "", {}, false}};
  for (const auto& c : cases) EXPECT_EQ(chooseAppearance(c.portal, c.gtkTheme, c.settings).isDark(), c.dark) << c.gtkTheme;
}

TEST(LiveAppearance, ThePortalReplyUnwrapsOnceOrTwice) {
  auto read = [](GVariant* reply) {
    g_variant_ref_sink(reply);
    auto scheme = portalColorScheme(reply);
    g_variant_unref(reply);
    return scheme;
  };
  EXPECT_EQ(read(g_variant_new("(v)", g_variant_new_variant(g_variant_new_uint32(1)))), 1u);  // (<<u>>)
  EXPECT_EQ(read(g_variant_new("(v)", g_variant_new_uint32(2))), 2u);                         // (<u>)
  EXPECT_EQ(read(g_variant_new_variant(g_variant_new_uint32(0))), 0u);  // a SettingChanged value
  EXPECT_EQ(read(g_variant_new("(v)", g_variant_new_string("dark"))), std::nullopt);
  EXPECT_EQ(read(g_variant_new("(s)", "1")), std::nullopt);
  EXPECT_EQ(portalColorScheme(nullptr), std::nullopt);
}

TEST(LiveAutostart, ExecQuotesReservedCharactersAndDoublesPercent) {
  EXPECT_EQ(desktopExecValue({"/usr/bin/w", "show", "--margin", "24"}), "/usr/bin/w show --margin 24");
  EXPECT_EQ(desktopExecValue({"/opt/my app/w", "100%"}), "\"/opt/my app/w\" 100%%");
  // Inside quotes '"', '`', '$' and '\' take a backslash; the string value doubles every backslash.
  EXPECT_EQ(desktopExecValue({"/w", "a\"b`c$d\\e"}), "/w \"a\\\\\"b\\\\`c\\\\$d\\\\\\\\e\"");
  EXPECT_EQ(desktopExecValue({"/w", ""}), "/w \"\"");
  EXPECT_EQ(desktopExecValue({"/w", "line\nbreak"}), std::nullopt);
}

class LiveAutostartFiles : public ::testing::Test {
 protected:
  const TemporaryDirectory temporary_;
  const std::filesystem::path& root_ = temporary_.path;
  AutostartEntry entry_{.fileName = "w-small.desktop", .name = "W", .comment = "", .command = {"/bin/w", "show"},
                        .owner = "w"};
};

TEST_F(LiveAutostartFiles, InstallsReplacesItsOwnAndRemovesIt) {
  const auto directory = root_ / "autostart";  // made on the way
  ASSERT_EQ(installAutostart(directory, entry_), std::nullopt);
  EXPECT_NE(readFile(directory / entry_.fileName).find("\nExec=/bin/w show\n"), std::string::npos);
  entry_.command.push_back("--family");
  ASSERT_EQ(installAutostart(directory, entry_), std::nullopt);
  EXPECT_NE(readFile(directory / entry_.fileName).find("\nExec=/bin/w show --family\n"), std::string::npos);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory), {}), 1);  // no temporary left
  EXPECT_NE(removeAutostart(directory, entry_.fileName, "someone-else"), std::nullopt);
  EXPECT_EQ(removeAutostart(directory, entry_.fileName, "w"), std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(directory / entry_.fileName));
  EXPECT_EQ(removeAutostart(directory, entry_.fileName, "w"), std::nullopt);  // already gone
}

TEST_F(LiveAutostartFiles, NeverTouchesAnEntryItDidNotWrite) {
  const std::string theirs = "[Desktop Entry]\nType=Application\nName=Theirs\nExec=theirs\n";
  std::ofstream(root_ / entry_.fileName) << theirs;
  EXPECT_NE(installAutostart(root_, entry_), std::nullopt);
  EXPECT_NE(removeAutostart(root_, entry_.fileName, "w"), std::nullopt);
  EXPECT_EQ(readFile(root_ / entry_.fileName), theirs);
  // Nor a FIFO or a folder of that name: they are not entries it wrote, and reading must not block.
  std::filesystem::remove(root_ / entry_.fileName);
  ASSERT_EQ(mkfifo((root_ / entry_.fileName).c_str(), 0600), 0);
  EXPECT_NE(installAutostart(root_, entry_), std::nullopt);
  EXPECT_NE(removeAutostart(root_, entry_.fileName, "w"), std::nullopt);
}

}  // namespace
}  // namespace host
