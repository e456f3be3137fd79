#pragma once

// Template ids of the Fonts and Dimensions pages' controls.
namespace DimensionsId {
constexpr int kTopMargin = 1201;
constexpr int kSideMargin = 1202;
constexpr int kLabelWidth = 1203;
constexpr int kLabelHeight = 1204;
constexpr int kVerticalGutter = 1205;
constexpr int kHorizontalGutter = 1206;
constexpr int kNumberAcross = 1207;
constexpr int kNumberDown = 1208;
constexpr int kAcrossSpin = 1209;
constexpr int kDownSpin = 1210;
constexpr int kLabelName = 1211;
constexpr int kPreview = 1212;
constexpr int kLoad = 1213;
constexpr int kSave = 1214;
constexpr int kPrintTestSheet = 1215;
constexpr int kPicture = 1216;
constexpr int kChooseSheet = 1217;
} // namespace DimensionsId

namespace FontsId {
constexpr int kFace = 1231;
constexpr int kBold = 1232;
constexpr int kItalic = 1233;
constexpr int kMaxFontSize = 1234;
constexpr int kMaxFontSpin = 1235;
constexpr int kMargin = 1236;
constexpr int kMarginSpin = 1237;
constexpr int kAlignment = 1238;
constexpr int kColour = 1239;
constexpr int kSample = 1240;
constexpr int kScaleText = 1241;
constexpr int kBrowserLeft = 1242;
constexpr int kBrowserRight = 1243;
} // namespace FontsId

// Both pages share the size of the sheet's pages, in dialog units.
namespace PageTemplate {
constexpr int kWidth = 287;
constexpr int kHeight = 191;
} // namespace PageTemplate
