#pragma once
// Where everything of the tool window lies, in client pixels: the controls of the template
// (moved there when the window is made; the template's own layout is replaced), the two list
// boxes and the item-count line. The window's code and its tests read the layout from here.

#include <windows.h>

#include "resources/resource_ids.h"

namespace todo::layout {

// A control's place: its left and top edges and its size.
struct Place {
  int id;
  int left;
  int top;
  int width;
  int height;
};

// In the order they are placed.
inline constexpr Place kControls[] = {
    {IDC_MODE_LIST, 15, 15, 35, 20},     {IDC_MODE_ITEM, 50, 15, 35, 20},
    {IDC_TEXT, 15, 40, 240, 30},         {IDC_DATE, 165, 15, 90, 18},
    {IDC_NO_DATE, 95, 15, 65, 18},       {IDC_ADD_TOP, 15, 80, 32, 32},
    {IDC_ADD_BOTTOM, 52, 80, 32, 32},    {IDC_UP, 89, 80, 32, 32},
    {IDC_DOWN, 126, 80, 32, 32},         {IDC_DELETE, 163, 80, 32, 32},
    {IDC_CLEAR, 200, 80, 32, 32},        {IDC_LIST_GROUP, 15, 122, 240, 450},
    {IDC_ITEM_GROUP, 270, 20, 480, 540},
};

// The list boxes and the item-count line: left, top, right and bottom edges.
inline constexpr RECT kListBox = {25, 142, 245, 562};
inline constexpr RECT kItemBox = {280, 40, 740, 550};
inline constexpr RECT kItemCountLine = {280, 562, 740, 577};

}  // namespace todo::layout
