#include "shared/status_widget_rendering.hpp"

#include "host/kit/widget_content_layout.hpp"
#include "shared/program_resources.hpp"

StatusWidgetRenderer::StatusWidgetRenderer()
    : strings_(programStringCatalog()), assets_(programResourceDirectory()), drawer_(assets_) {}

host::LayoutTree StatusWidgetRenderer::layout(const host::View& content, const host::WidgetEnvironment& environment,
                                              const host::Appearance& appearance) const {
  return host::layoutWidgetContent(content, environment, services(appearance));
}

bool StatusWidgetRenderer::renderToFile(const host::LayoutTree& tree, const std::filesystem::path& path, double scale,
                                        const host::Appearance& appearance, std::string* error) {
  return drawer_.renderToFile(tree, path, scale, error, {.appearance = appearance});
}
