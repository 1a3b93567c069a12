// The container of a window's controls (or of a panel's), as its window and its controls see it: it holds the
// controls, routes every mouse, key and drop event to one of them, keeps the locked and the modal control, draws
// them, and passes their redraw requests on to the window.
#pragma once

#include "foundation/mathtools/CPoint.hpp"
#include "gui/core/IDropFileListener.hpp"
#include "gui/core/IKeyboardListener.hpp"
#include "gui/core/IMouseListener.hpp"

namespace Brivant
{
namespace Basics
{
class CClass;
class CString;
class CSystemString;
} // namespace Basics

namespace Collections
{
template <class T>
class TTreeNode;
}

namespace MathTools
{
class CRect;
}

namespace GUI
{
namespace Graphics
{
class CGraphics;
class IImage;
} // namespace Graphics

namespace Listeners
{
class IActionListener;
}

namespace Windowing
{
class IWindow;
}

namespace Controls
{
class IControl;

class IControlRoot : public Listeners::IMouseListener,
                     public Listeners::IDropFileListener,
                     public Listeners::IKeyboardListener
{
public:
    // While locked, a control receives every mouse event wherever the pointer is; the root holds a reference.
    virtual void lockControl(IControl* control) = 0;
    virtual void unlockControl() = 0;
    virtual bool isControlLocked() const = 0;
    virtual IControl* getLockedControl() const = 0;
    // While set, the modal control is the only one that receives the mouse, and it is drawn last. Null is ignored.
    virtual void setModalControl(IControl* control) = 0;
    virtual void clearModalControl() = 0;
    virtual IControl* getModalControl() const = 0;

    // Where redraws go; not owned. Null throws CException.
    virtual void setParentWindow(Windowing::IWindow* window) = 0;
    virtual Windowing::IWindow* getParentWindow() const = 0;
    // The window position of the root's origin: (0, 0) for a window's root.
    virtual ::Brivant::MathTools::CPoint getWindowOffset() const = 0;

    // Hit tests in the root's coordinates, edges included; the first control in list order wins.
    virtual IControl* getControlAtPoint(const ::Brivant::MathTools::CPoint& point) const = 0;
    // A panel descends into the panels it holds.
    virtual IControl* getInnermostControlAtPoint(const ::Brivant::MathTools::CPoint& point) const = 0;
    virtual IControl* getMouseEnabledControlAtPoint(const ::Brivant::MathTools::CPoint& point) const = 0;
    virtual IControl* getDropFileEnabledControlAtPoint(const ::Brivant::MathTools::CPoint& point) const = 0;
    virtual IControl* getKeyboardEnabledControlAtPoint(const ::Brivant::MathTools::CPoint& point) const = 0;
    // The first control of that exact name, looking inside plain control panels too; null when there is none.
    virtual IControl* findControlByName(const ::Brivant::Basics::CString& name) const = 0;

    // Appended once and referenced; null is ignored.
    virtual void addControl(IControl* control) = 0;
    // Leaves an empty entry in the list. The root stops routing to the control at once: it is no longer locked,
    // modal or the last mouse target.
    virtual void removeControl(IControl* control) = 0;
    virtual void clearControls() = 0;
    // By position in the list, or else the first control with that id; null when there is none.
    virtual IControl* getControl(long indexOrId, bool byIndex) const = 0;
    // -1 when the control is not held.
    virtual long getControlIndex(IControl* control) const = 0;
    // Entries of the list, empty ones included: loops run to this and skip null entries.
    virtual long getControlArraySize() const = 0;
    virtual long getInsertIndex() const = 0;
    virtual bool hasControl(IControl* control) const = 0;
    // The control that received the last routed mouse event; keys fall back to it.
    virtual IControl* getMouseTargetControl() const = 0;

    // Draws the background image and the controls within the graphics context's update area (window
    // coordinates).
    virtual void drawRootControl(Graphics::CGraphics& graphics) = 0;
    virtual void updateControlAt(long indexOrId, bool byIndex) = 0;
    // Redraws the control's absolute area.
    virtual void updateControl(IControl* control) = 0;
    // An area in the root's coordinates.
    virtual void updateArea(const ::Brivant::MathTools::CRect& area) = 0;
    // The screen point just below the control's lower left corner, one pixel to the left.
    virtual void getPopupPosition(IControl* control, ::Brivant::MathTools::CPoint& position) const = 0;
    // Adds the control's origin, and those of the panels around it, to position.
    virtual void getControlWindowPosition(IControl* control, ::Brivant::MathTools::CPoint& position) const = 0;
    // Counted; drawn under the controls.
    virtual void setBackgroundImage(Graphics::IImage* image) = 0;

    // Control layouts: a "controls" element in an XML file.
    virtual bool loadFromXmlFile(const ::Brivant::Basics::CSystemString& path) = 0;
    virtual bool saveToXmlFile(const ::Brivant::Basics::CSystemString& path) = 0;
    // One child node per control, holding it, with the children of plain control panels below theirs; answers
    // the list's size.
    virtual long buildControlTree(Collections::TTreeNode<IControl>& node) = 0;
    virtual void setRootOption(bool option) = 0;
    // The control of that name when its class is exactly type: it gets the id and the listener and is answered;
    // otherwise null.
    virtual IControl* bindControl(const ::Brivant::Basics::CString& name, long newId,
                                  Listeners::IActionListener* listener, const ::Brivant::Basics::CClass& type) = 0;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
