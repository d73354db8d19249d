#include "host/kit/widget_canvas.hpp"

#include <gtest/gtest.h>

#include "host/view/view.hpp"
#include "layout_fakes.hpp"

namespace host {
namespace {

using testing_fakes::Fixture;

TEST(WidgetCanvas, ContentSitsInsideTheMarginsOverTheContainerBackground) {
  const Color background = Color::dynamic([](const Appearance& a) {
    return a == Appearance::dark() ? Rgba::fromBytes(0, 0, 0) : Rgba::fromBytes(255, 255, 255);
  });
  struct Row { WidgetFamily family; Size widget; };
  for (const Row& row : {Row{WidgetFamily::systemSmall, {170, 170}}, Row{WidgetFamily::systemLarge, {364, 382}}}) {
    Fixture f;
    Rect content{16, 16, row.widget.width - 32, row.widget.height - 32};
    View filling = Text("ab").frame(FlexibleFrame{.maxWidth = kInfinity, .maxHeight = kInfinity});
    LayoutTree tree = layoutWidget(filling, row.family, background, f.services(Appearance::dark()));
    EXPECT_EQ(widgetSize(row.family), row.widget);
    EXPECT_EQ(tree.size, row.widget);
    ASSERT_GE(tree.nodes.size(), 5u);
    EXPECT_EQ(tree.nodes[0].kind, LayoutKind::background);
    EXPECT_EQ(tree.nodes[0].frame, (Rect{0, 0, row.widget.width, row.widget.height}));
    EXPECT_EQ(tree.nodes[1].as<RectangleFill>()->fill.hex(), "#000000");
    EXPECT_EQ(tree.nodes[1].frame, tree.nodes[0].frame);
    EXPECT_EQ(tree.nodes[4].frame, content) << "a flexible frame takes the whole content area";

    // Content that chooses a smaller size is centred in the content area.
    LayoutTree small = layoutWidget(Text("ab").font(Font::system(10)), row.family, background, f.services());
    EXPECT_EQ(small.nodes.back().frame,
              (Rect{16 + (content.width - 12) / 2, 16 + (content.height - 12) / 2, 12, 12}));
    EXPECT_EQ(small.nodes[1].as<RectangleFill>()->fill.hex(), "#FFFFFF");
  }
}

}  // namespace
}  // namespace host
