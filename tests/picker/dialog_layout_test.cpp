// The dialog as the views build it: pixels at 96 and 120 dots per inch, the
// tab order, captions and access keys.
#include "picker/dialog_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rxTheme {
namespace {

using C = ControlId;

TEST(DialogLayout, PixelsTabOrderAndCaptions) {
  EXPECT_EQ(ClientPixels(96), (PixelRect{0, 0, 698, 411}));
  EXPECT_EQ(ClientPixels(120), (PixelRect{0, 0, 873, 514}));
  // A child of the frame: its own place, and moved by the frame's.
  EXPECT_EQ(ControlPixels(C::kTvwThemes, 96), (PixelRect{8, 48, 193, 209}));
  EXPECT_EQ(ControlPixelsInDialog(C::kTvwThemes, 96), (PixelRect{16, 64, 193, 209}));
  EXPECT_EQ(ControlPixelsInDialog(C::kChkUseThemeOnPage, 120), (PixelRect{20, 20, 171, 21}));
  EXPECT_EQ(ControlPixelsInDialog(C::kCmdHelp, 96), (PixelRect{616, 376, 73, 25}));
  EXPECT_EQ(TwipsToPixels(7.5, 96), 1);  // half a pixel rounds up
  EXPECT_DOUBLE_EQ(PixelsToTwips(698, 96), 10470);

  std::vector<std::u16string> order;
  for (ControlId id : TabOrder()) order.emplace_back(PickerControl(id).name);
  EXPECT_EQ(order, (std::vector<std::u16string>{
                       u"chkUseThemeOnPage", u"lblAvailable", u"tvwThemes", u"chkVividColors",
                       u"chkActiveGraphics", u"chkBackgroundImage", u"chkUseCustom", u"cmdOK",
                       u"cmdCancel", u"cmdHelp", u"docPreview", u"frSelect", u"Label2"}));

  EXPECT_EQ(CaptionText(u"Available &Themes :"), u"Available Themes :");
  EXPECT_EQ(AccessKey(u"Available &Themes :"), u'T');
  EXPECT_EQ(CaptionText(u"Fish && &Chips&"), u"Fish & Chips");
  EXPECT_EQ(AccessKey(u"Fish && &Chips"), u'C');
  EXPECT_EQ(AccessKey(u"Help"), 0);

  const ControlSpec& label = PickerControl(C::kLblAvailable);
  EXPECT_EQ(FittedWidth(label, 90, 120), 120);  // grows to the right
  EXPECT_EQ(FittedWidth(label, 90, 60), 90);    // never shrinks
  EXPECT_EQ(FittedWidth(PickerControl(C::kCmdOK), 73, 120), 73);
}

}  // namespace
}  // namespace rxTheme
