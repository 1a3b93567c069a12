// One mouse cursor handle: a system cursor, a cursor resource of a module, or an animated cursor built from a
// module's "ANICURSORS" resource. Only the animated cursors belong to the object; system and resource cursors
// are shared by the process and are never destroyed.
#pragma once

#include "foundation/basics/CCountedObject.hpp"

struct HICON__;
struct HINSTANCE__;

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
class CCursor : public ::Brivant::Basics::CCountedObject
{
    BRIVANT_CLASS_RECORD(CCursor, "CCountedObject");

public:
    enum ECursorType : long
    {
        kArrow = 0,
        kHand = 1,
        kWait = 2,
        kVerticalResize = 3,
        kHorizontalResize = 4,
        kText = 5,
        kDiagonalResize = 6,
        kMove = 7
    };

    // An unknown type gives the arrow.
    explicit CCursor(long cursorType);
    // A cursor resource of the module; the arrow when the module has none of that id.
    CCursor(HINSTANCE__* instance, long resourceId);
    ~CCursor() override;

    CCursor(const CCursor&) = delete;
    CCursor& operator=(const CCursor&) = delete;

    void setCursorType(long cursorType);
    // A failed load keeps the cursor there was: a null cursor would hide the pointer.
    void loadSystemCursor(HINSTANCE__* instance, long id);
    void loadAnimatedCursor(HINSTANCE__* instance, long resourceId);

    HICON__* getCursorHandle() const { return m_handle; }

    static void showCursor();
    static void hideCursor();

    // The process-wide cursors, built on first use and kept until the library unloads.
    static CCursor& arrowCursor();
    static CCursor& handCursor();
    static CCursor& waitCursor();
    static CCursor& verticalResizeCursor();
    static CCursor& horizontalResizeCursor();
    static CCursor& textCursor();
    static CCursor& diagonalResizeCursor();
    static CCursor& moveCursor();

private:
    // Destroys the old handle when it was this object's own.
    void replaceHandle(HICON__* handle, bool owned);

    HICON__* m_handle;
    bool m_ownsHandle;
};
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
