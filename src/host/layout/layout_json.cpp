#include "host/layout/layout_json.hpp"

#include <type_traits>

namespace host {
namespace {

std::string_view weightName(FontWeight weight) {
  switch (weight) {
    case FontWeight::regular: return "regular";
    case FontWeight::medium: return "medium";
    case FontWeight::semibold: return "semibold";
    case FontWeight::bold: return "bold";
  }
  return "regular";
}

void writeFont(JsonWriter& out, const Font& font) {
  out.key("font").beginObject();
  out.key("size").value(font.size);
  out.key("weight").value(weightName(font.weight));
  out.key("design").value(font.design == FontDesign::rounded ? "rounded" : "default");
  out.endObject();
}

void writePayload(JsonWriter& out, const LayoutPayload& payload) {
  std::visit(
      [&](const auto& p) {
        using T = std::decay_t<decltype(p)>;
        if constexpr (std::is_same_v<T, TextRun>) {
          out.key("text").value(p.drawnText);
          writeFont(out, p.font);
          out.key("tabular").value(p.tabularDigits);
          out.key("color").value(p.color.hex());
          out.key("lineLimit");
          if (p.lineLimit) out.value(*p.lineLimit);
          else out.null();
          out.key("truncated").value(p.truncated);
          out.key("lineCount").value(p.lineCount);
        } else if constexpr (std::is_same_v<T, SymbolRun>) {
          out.key("name").value(p.name);
          writeFont(out, p.font);
          out.key("color").value(p.color.hex());
        } else if constexpr (std::is_same_v<T, ImageRun>) {
          out.key("name").value(p.name);
        } else if constexpr (std::is_same_v<T, RectangleFill>) {
          out.key("fill").value(p.fill.hex());
        } else if constexpr (std::is_same_v<T, CapsuleShape>) {
          if (p.fill) out.key("fill").value(p.fill->hex());
          if (p.stroke) out.key("stroke").value(p.stroke->hex()).key("lineWidth").value(p.lineWidth);
        } else if constexpr (std::is_same_v<T, LinkTarget>) {
          out.key("url").value(p.url.string());
        } else if constexpr (std::is_same_v<T, AccessibilityInfo>) {
          out.key("label");
          if (p.label) out.value(*p.label);
          else out.null();
          out.key("childrenHidden").value(p.childrenHidden());
        } else if constexpr (std::is_same_v<T, RowIdentity>) {
          out.key("id").value(p.id);
        }
      },
      payload);
}

void writeNode(JsonWriter& out, const LayoutTree& tree, std::size_t index) {
  const LayoutNode& node = tree.nodes[index];
  out.beginObject();
  out.key("kind").value(name(node.kind));
  out.key("frame").beginObject();
  out.key("x").value(node.frame.x).key("y").value(node.frame.y);
  out.key("width").value(node.frame.width).key("height").value(node.frame.height);
  out.endObject();
  writePayload(out, node.payload);
  if (node.subtreeEnd > index + 1) {
    out.key("children").beginArray();
    for (std::size_t child = index + 1; child < node.subtreeEnd; child = tree.nodes[child].subtreeEnd)
      writeNode(out, tree, child);
    out.endArray();
  }
  out.endObject();
}

}  // namespace

void writeLayoutMembers(JsonWriter& out, const LayoutTree& tree) {
  out.key("size").beginObject().key("width").value(tree.size.width).key("height").value(tree.size.height).endObject();
  out.key("widgetURL");
  if (tree.widgetURL) out.value(tree.widgetURL->string());
  else out.null();
  out.key("root");
  if (tree.nodes.empty()) out.null();
  else writeNode(out, tree, 0);
}

std::string layoutJson(const LayoutTree& tree) {
  JsonWriter out;
  out.beginObject();
  writeLayoutMembers(out, tree);
  out.endObject();
  return out.take();
}

}  // namespace host
