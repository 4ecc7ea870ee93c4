// The window's column of panels (window units): its place, the grid of the starting parameters, and the
// colours the panels share. Panels of every layer place their controls by it.
#pragma once
#include "ui/color.h"
#include "ui/control_table.h"

namespace quorl::layout {

inline constexpr int kColumnLeft = 15480, kColumnWidth = 4320;

// The starting parameters: two pairs of caption and box per row, rows from the top of the column.
inline constexpr int kLeftCaption = 15480, kRightCaption = 17790;
inline constexpr int kLeftCaptionWidth = 1480, kRightCaptionWidth = 1240;
inline constexpr int kLeftBox = 16980, kRightBox = 19050, kBoxWidth = 735, kWideBox = 1500;
inline constexpr int kFirstRow = 390, kRowPitch = 390, kBoxHeight = 315;

inline constexpr int rowTop(int row) { return kFirstRow + row * kRowPitch; }
inline constexpr Place paramBox(int row, bool right) {
  return {right ? kRightBox : kLeftBox, rowTop(row), kBoxWidth, kBoxHeight};
}
inline constexpr Place paramCaption(int row, bool right) {
  return {right ? kRightCaption : kLeftCaption, rowTop(row) + 45, right ? kRightCaptionWidth : kLeftCaptionWidth, 270};
}

inline constexpr Color kPanelBack = rgb(18, 22, 34);
inline constexpr Color kCaptionFore = rgb(190, 205, 230);
inline constexpr Color kHeadingFore = rgb(255, 223, 128);
inline constexpr Color kBoxFore = rgb(230, 236, 255);
inline constexpr Color kBoxBack = rgb(0, 0, 0);
inline constexpr const char* kPanelFont = "DejaVu Sans";

}  // namespace quorl::layout
