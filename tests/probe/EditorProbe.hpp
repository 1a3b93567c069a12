// What the editor probe library paints and how it can be told to misbehave; shared by the probe and its tests.
#pragma once

#include <windows.h>

namespace EditorProbe
{
enum EVariant
{
    kWorking,
    kNoEditor,     // the has-editor flag is clear
    kNoRect,       // effEditGetRect answers 0 and gives no rectangle
    kEmptyRect,    // the rectangle has no height
    kOpensNothing, // effEditOpen answers 0 and makes no window
    kClaimsToOpen  // effEditOpen answers 1 but makes no window
};

// The rectangle effEditGetRect gives: top, left and the size.
constexpr short kTop = 7;
constexpr short kLeft = 11;
constexpr int kWidth = 317;
constexpr int kHeight = 203;

// The editor fills its window with kFill and a square of kMarkSize at its top left with kMark.
constexpr COLORREF kFill = RGB(0x20, 0x80, 0xC0);
constexpr COLORREF kMark = RGB(0xE0, 0x40, 0x10);
constexpr int kMarkSize = 8;

// Recorded for a processReplacing call among the dispatcher's opcodes.
constexpr int kProcessCall = -1;

typedef void (*SetVariant)(int variant);
typedef int (*ReadCalls)(int* calls, int size);
typedef void (*ReadParentSize)(int* width, int* height);
} // namespace EditorProbe
