#include "resources/icons.h"

#include <gtest/gtest.h>
#include <wx/image.h>

#include <cstddef>
#include <iterator>
#include <string>
#include <utility>

namespace verbolt {

namespace {

struct NamedSize {
  std::string name;
  int size;
};

const NamedSize kResources[] = {
    {"ICON_A_APP", 32}, {"ICON_OPTIONS", 16}, {"ICON_PROCESS", 16},
    {"ICON_LIVE", 16},  {"ICON_CLEAR", 16},   {"ICON_INFO", 16},
    {"ICON_LIST", 16},  {"ICON_HELP", 14},    {"ICON_HELP2", 14},
};

// Counts the pixels that are fully see-through and fully solid.
std::pair<int, int> clearAndSolidPixels(const wxImage& image) {
  int clear = 0;
  int solid = 0;
  for (int y = 0; y < image.GetHeight(); ++y) {
    for (int x = 0; x < image.GetWidth(); ++x) {
      unsigned char alpha = image.GetAlpha(x, y);
      clear += alpha == 0;
      solid += alpha == 255;
    }
  }
  return {clear, solid};
}

TEST(IconBitmap, EveryResourceLoadsAtTheSizeTheWindowShowsIt) {
  for (const NamedSize& resource : kResources) {
    SCOPED_TRACE(resource.name);
    wxBitmap bitmap = iconBitmap(resource.name);
    ASSERT_TRUE(bitmap.IsOk());
    EXPECT_EQ(bitmap.GetWidth(), resource.size);
    EXPECT_EQ(bitmap.GetHeight(), resource.size);
  }
}

// Every picture is drawn on a transparent ground: a lost alpha channel or a
// blank drawing shows up as no see-through or no solid pixel.
TEST(IconBitmap, PicturesKeepTheirTransparency) {
  for (const NamedSize& resource : kResources) {
    SCOPED_TRACE(resource.name);
    wxImage image = iconBitmap(resource.name).ConvertToImage();
    ASSERT_TRUE(image.HasAlpha());
    auto [clear, solid] = clearAndSolidPixels(image);
    EXPECT_GT(clear, 0);
    EXPECT_GT(solid, 0);
  }
}

TEST(IconBitmap, HelpButtonLooksDifferentUnderThePointer) {
  wxImage rest = iconBitmap("ICON_HELP").ConvertToImage();
  wxImage hover = iconBitmap("ICON_HELP2").ConvertToImage();
  ASSERT_EQ(rest.GetSize(), hover.GetSize());
  const std::size_t bytes = static_cast<std::size_t>(rest.GetWidth()) * rest.GetHeight() * 3;
  EXPECT_NE(std::string(reinterpret_cast<const char*>(rest.GetData()), bytes),
            std::string(reinterpret_cast<const char*>(hover.GetData()), bytes));
}

TEST(IconBitmap, UnknownNamesGiveAnInvalidBitmap) {
  for (const std::string name : {"", "ICON_UNKNOWN", "icon_process", "ICON_PROCESS ", "ICON_A"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(iconBitmap(name).IsOk());
  }
}

TEST(AppIcons, BundleHoldsEverySizeOfTheApplicationIcon) {
  wxIconBundle bundle = appIcons();
  const int sizes[] = {16, 32, 48, 64, 128, 256};
  EXPECT_EQ(bundle.GetIconCount(), std::size(sizes));
  for (int size : sizes) {
    SCOPED_TRACE(size);
    wxIcon icon = bundle.GetIcon(wxSize(size, size), wxIconBundle::FALLBACK_NONE);
    ASSERT_TRUE(icon.IsOk());
    EXPECT_EQ(icon.GetWidth(), size);
    EXPECT_EQ(icon.GetHeight(), size);
  }
}

}  // namespace

}  // namespace verbolt
