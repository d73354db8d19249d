#include "host/layout/layout_json.hpp"

#include <gtest/gtest.h>

#include "host/layout/layout.hpp"
#include "host/view/view.hpp"
#include "layout_fakes.hpp"

namespace host {
namespace {

using testing_fakes::Fixture;

const Color kRed = Color::fixed(Rgba::fromBytes(255, 0, 0));

View sample() {
  return VStack({.alignment = HorizontalAlignment::leading, .spacing = 2},
                {Link(*Url::parse("zuvo://pane/new"), Text("New…").foregroundStyle(kRed)),
                 CapsuleStrokeBorder(kRed.opacity(0.5), 1).frame(FixedFrame{.width = 20, .height = 4}),
                 HStack({.spacing = 0}, {SymbolImage("lock"), Image({.name = "wide"})})
                     .accessibilityLabel(LocalizedKey{"%@ locked", {std::string("Vantle")}})
                     .id("row \"1\"")})
      .font(Font::system(10, FontWeight::semibold, FontDesign::rounded))
      .lineLimit(1)
      .widgetURL(*Url::parse("zuvo://pane/activity"));
}

TEST(LayoutJson, WritesEveryNodeNestedWithWhatItShows) {
  Fixture f;
  f.assets.images = {{"wide", {8, 4}}};
  EXPECT_EQ(layoutJson(f.lay(sample(), Size{100, 100})),
            R"({"size":{"width":24,"height":30},"widgetURL":"zuvo://pane/activity","root":)"
            R"({"kind":"vstack","frame":{"x":0,"y":0,"width":24,"height":30},"children":[)"
            R"({"kind":"link","frame":{"x":0,"y":0,"width":24,"height":12},"url":"zuvo://pane/new","children":[)"
            R"({"kind":"text","frame":{"x":0,"y":0,"width":24,"height":12},"text":"New…",)"
            R"("font":{"size":10,"weight":"semibold","design":"rounded"},"tabular":false,"color":"#FF0000",)"
            R"("lineLimit":1,"truncated":false,"lineCount":1}]},)"
            R"({"kind":"frame","frame":{"x":0,"y":14,"width":20,"height":4},"children":[)"
            R"({"kind":"capsule","frame":{"x":0,"y":14,"width":20,"height":4},"stroke":"#FF000080","lineWidth":1}]},)"
            R"({"kind":"identity","frame":{"x":0,"y":20,"width":18,"height":10},"id":"row \"1\"","children":[)"
            R"({"kind":"accessibility","frame":{"x":0,"y":20,"width":18,"height":10},"label":"Vantle locked",)"
            R"("childrenHidden":true,"children":[)"
            R"({"kind":"hstack","frame":{"x":0,"y":20,"width":18,"height":10},"children":[)"
            R"({"kind":"symbol","frame":{"x":0,"y":20,"width":10,"height":10},"name":"lock",)"
            R"("font":{"size":10,"weight":"semibold","design":"rounded"},"color":"#1D1D1F"},)"
            R"({"kind":"image","frame":{"x":10,"y":23,"width":8,"height":4},"name":"wide"}]}]}]}]}})");
}

}  // namespace
}  // namespace host
