// The widget drawn against the pictures in reference/, within a tolerance for font rasterising.
// After an intended change of the look, refresh them and look at every picture before committing:
//   ZUVO_UPDATE_REFERENCES=1 ./zuvo-tests-presentation --gtest_filter='ReferenceImages.*'
#include <gtest/gtest.h>

#include <cairo.h>

#include <cstdlib>

#include "host/draw/cairo_drawer.hpp"
#include "host/draw/png_writer.hpp"
#include "widget_harness.hpp"

namespace zuvo {
namespace {

using host::Appearance, host::WidgetFamily;
using namespace zuvo::testing;

const std::filesystem::path kReferenceDir = std::filesystem::path(ZUVO_TESTS_SOURCE_DIR) / "presentation" / "reference";

struct Difference {
  double meanPerChannel = 0;  // of 255
  double shareFarOff = 0;     // of pixels with a channel more than 64 off
};

Difference compare(cairo_surface_t* a, cairo_surface_t* b) {
  const int width = cairo_image_surface_get_width(a), height = cairo_image_surface_get_height(a);
  double sum = 0, farOff = 0;
  for (int y = 0; y < height; ++y) {
    const auto* rowA = cairo_image_surface_get_data(a) + y * cairo_image_surface_get_stride(a);
    const auto* rowB = cairo_image_surface_get_data(b) + y * cairo_image_surface_get_stride(b);
    for (int x = 0; x < width * 4; x += 4) {
      int worst = 0;
      for (int c = 0; c < 4; ++c) {
        const int d = std::abs(rowA[x + c] - rowB[x + c]);
        sum += d;
        worst = std::max(worst, d);
      }
      farOff += worst > 64;
    }
  }
  return {sum / (4.0 * width * height), farOff / (double(width) * height)};
}

class ReferenceImages : public WidgetHarnessTest {};

TEST_F(ReferenceImages, SampleAndBusyInBothFamiliesAndAppearances) {
  WidgetStatus busySmall = busyStatus();
  busySmall.limits->resize(1);  // the small widget has room for the counts and one agent
  const struct { const char* name; WidgetStatus status; WidgetFamily family; } pictures[] = {
      {"sample-small", WidgetStatus::sample(), WidgetFamily::systemSmall},
      {"sample-medium", WidgetStatus::sample(), WidgetFamily::systemMedium},
      {"busy-small", busySmall, WidgetFamily::systemSmall},
      {"busy-medium", busyStatus(), WidgetFamily::systemMedium},
  };
  const bool update = std::getenv("ZUVO_UPDATE_REFERENCES") != nullptr;
  host::CairoDrawer drawer(harness.assets());
  for (const auto& picture : pictures)
    for (const auto& appearance : {Appearance::light(), Appearance::dark()}) {
      const auto path = kReferenceDir / (std::string(picture.name) + "-" + appearance.name() + ".png");
      SCOPED_TRACE(path.string());
      std::string error;
      const auto tree = harness.lay(viewOf(picture.status, picture.family), appearance);
      const auto image = drawer.renderImage(tree, 2.0, &error, {.appearance = appearance});
      ASSERT_TRUE(image) << error;
      if (update) {
        std::filesystem::create_directories(kReferenceDir);
        ASSERT_TRUE(host::writePng(image.get(), path, &error)) << error;
        continue;
      }
      const host::CairoSurface reference(cairo_image_surface_create_from_png(path.c_str()));
      ASSERT_EQ(cairo_surface_status(reference.get()), CAIRO_STATUS_SUCCESS) << "missing; see the command above";
      ASSERT_EQ(cairo_image_surface_get_width(reference.get()), cairo_image_surface_get_width(image.get()));
      ASSERT_EQ(cairo_image_surface_get_height(reference.get()), cairo_image_surface_get_height(image.get()));
      const auto difference = compare(image.get(), reference.get());
      EXPECT_LT(difference.meanPerChannel, 1.5);
      EXPECT_LT(difference.shareFarOff, 0.005);
    }
}

}  // namespace
}  // namespace zuvo
