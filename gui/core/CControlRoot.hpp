// The owning list of a window's controls and their event router. Every mouse event goes to the modal control
// (only when the point is on it), else to the locked control (wherever the point is), else to the first control in
// list order under the point that takes the mouse, with the position made local to it; keys go to the modal, the
// locked or the last mouse target; drops to the first drop-enabled control under the point. The root holds each
// receiver by a reference while its handler runs, so a control may remove itself from inside any handler; a
// removed control is at once no longer locked, modal or the last target. Controls are drawn in list order (later
// ones over earlier ones), the modal control last, each clipped to its area with the drawing offset at its origin.
#pragma once

#include "foundation/basics/CClass.hpp"
#include "foundation/collections/TAutomaticPointer.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/mathtools/CPoint.hpp"
#include "gui/core/CMouseEvent.hpp"
#include "gui/core/IControl.hpp"
#include "gui/core/IControlRoot.hpp"

namespace Brivant
{
namespace IO
{
class CXMLAttribute;
class CXMLNode;
} // namespace IO

namespace GUI
{
namespace Controls
{
class CControlRoot : public IControlRoot
{
public:
    // Mouse events handed to controls refer to the window's own mouse. A null window throws CException.
    explicit CControlRoot(Windowing::IWindow* parent);
    // Lets go of the locked, modal and last-target controls first, then of the list and the background image.
    ~CControlRoot() override;

    CControlRoot(const CControlRoot&) = delete;
    CControlRoot& operator=(const CControlRoot&) = delete;

    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    void handleRightButtonDown(Events::CMouseEvent& event) override;
    void handleRightButtonUp(Events::CMouseEvent& event) override;
    void handleDoubleClick(Events::CMouseEvent& event) override;
    void handleMouseScroll(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;
    void handleMouseLeavingArea(Events::CMouseEvent& event) override;
    // A key the modal control receives answers false whatever the control answers; with no receiver, false.
    bool handleKeyDown(const Events::CKeyboardEvent& event) override;
    bool handleKeyUp(const Events::CKeyboardEvent& event) override;
    // A drop-enabled modal control under the point gets the event as it came; any other target gets a copy with
    // the point made local to it.
    void handleFileDrop(const Events::CDropEvent& event) override;

    void lockControl(IControl* control) override;
    void unlockControl() override;
    bool isControlLocked() const override;
    IControl* getLockedControl() const override;
    void setModalControl(IControl* control) override;
    void clearModalControl() override;
    IControl* getModalControl() const override;

    void setParentWindow(Windowing::IWindow* window) override;
    Windowing::IWindow* getParentWindow() const override { return m_parentWindow; }
    ::Brivant::MathTools::CPoint getWindowOffset() const override;

    IControl* getControlAtPoint(const ::Brivant::MathTools::CPoint& point) const override;
    IControl* getInnermostControlAtPoint(const ::Brivant::MathTools::CPoint& point) const override;
    IControl* getMouseEnabledControlAtPoint(const ::Brivant::MathTools::CPoint& point) const override;
    IControl* getDropFileEnabledControlAtPoint(const ::Brivant::MathTools::CPoint& point) const override;
    IControl* getKeyboardEnabledControlAtPoint(const ::Brivant::MathTools::CPoint& point) const override;
    IControl* findControlByName(const ::Brivant::Basics::CString& name) const override;

    void addControl(IControl* control) override;
    void removeControl(IControl* control) override;
    void clearControls() override;
    IControl* getControl(long indexOrId, bool byIndex) const override;
    long getControlIndex(IControl* control) const override;
    long getControlArraySize() const override;
    long getInsertIndex() const override;
    bool hasControl(IControl* control) const override;
    IControl* getMouseTargetControl() const override;

    void drawRootControl(Graphics::CGraphics& graphics) override;
    void updateControlAt(long indexOrId, bool byIndex) override;
    void updateControl(IControl* control) override;
    void updateArea(const ::Brivant::MathTools::CRect& area) override;
    // In screen coordinates, just below the control's lower left corner, one pixel to the left; the window's
    // client area is placed as the desktop helper's content area places it.
    void getPopupPosition(IControl* control, ::Brivant::MathTools::CPoint& position) const override;
    void getControlWindowPosition(IControl* control, ::Brivant::MathTools::CPoint& position) const override;
    void setBackgroundImage(Graphics::IImage* image) override;
    Graphics::IImage* getBackgroundImage() const { return m_backgroundImage; }

    // The layout of the controls as a "controls" element: one "control" element per saved control, with its
    // class name as "type", and "number_of_controls". Not virtual: a panel, which is a control too, writes
    // itself differently under the same name, and its root part still writes this form.
    bool writeToXmlNode(IO::CXMLNode* node);
    // Replaces the controls with those of a "controls" element, made by the control factory. Only the elements
    // really present are read, however many "number_of_controls" claims. On false (an unknown class name, a
    // control that does not read) the root keeps the controls it had.
    bool readFromXmlNode(IO::CXMLNode* node);
    bool loadFromXmlFile(const ::Brivant::Basics::CSystemString& path) override;
    bool saveToXmlFile(const ::Brivant::Basics::CSystemString& path) override;
    long buildControlTree(Collections::TTreeNode<IControl>& node) override;
    void setRootOption(bool option) override { m_rootOption = option; }
    bool getRootOption() const { return m_rootOption; }
    IControl* bindControl(const ::Brivant::Basics::CString& name, long newId, Listeners::IActionListener* listener,
                          const ::Brivant::Basics::CClass& type) override;

protected:
    // For roots that route on their own: the target of a mouse event as the routing picks it, or null; the
    // event's position is kept as the root position.
    IControl* findMouseEventTarget(Events::CMouseEvent& event);
    // Puts the root position back into the event handed to controls and remembers the target for keys, unless
    // its handler removed it from the list.
    void rememberMouseTarget(IControl* target);
    // The event handed to controls; its position is local to the receiver while a handler runs.
    Events::CMouseEvent& getRootMouseEvent() { return m_rootEvent; }
    // Closes the holes removals leave in the list, keeping the controls' order.
    void packControls() { m_controls.reorderArray(true); }
    // The list itself, empty entries included.
    const Collections::TCountedPointerArray<IControl>& getControlList() const { return m_controls; }

    // Edges included: right = left + width, bottom = top + height.
    static bool contains(const ::Brivant::MathTools::CRect& area, const ::Brivant::MathTools::CPoint& point);
    // Rectangles that only touch meet too.
    static bool meets(const ::Brivant::MathTools::CRect& first, const ::Brivant::MathTools::CRect& second);
    // The common part; width or height 0 where the two do not meet.
    static ::Brivant::MathTools::CRect clippedTo(const ::Brivant::MathTools::CRect& first,
                                                 const ::Brivant::MathTools::CRect& second);
    // The update area as a control at area sees it, in its own coordinates.
    static ::Brivant::MathTools::CRect localUpdateArea(const ::Brivant::MathTools::CRect& update,
                                                       const ::Brivant::MathTools::CRect& area);
    // The number an element claims, held to 0 .. the number really present.
    static long readCount(const IO::CXMLAttribute& attribute, long present);

private:
    using TMouseHandler = void (Listeners::IMouseListener::*)(Events::CMouseEvent&);
    using TKeyHandler = bool (Listeners::IKeyboardListener::*)(const Events::CKeyboardEvent&);

    void routeMouseEvent(Events::CMouseEvent& event, TMouseHandler handler);
    bool routeKeyEvent(const Events::CKeyboardEvent& event, TKeyHandler handler);
    // The first control under the point whose flag the test reads.
    IControl* findControlAtPoint(const ::Brivant::MathTools::CPoint& point, bool (IControl::*accepts)() const) const;
    void drawOneControl(Graphics::CGraphics& graphics, IControl* control, const ::Brivant::MathTools::CRect& update,
                        const ::Brivant::MathTools::CRect& savedClip, const ::Brivant::MathTools::CPoint& offset);

    Collections::TAutomaticPointer<IControl> m_modalControl;
    Collections::TCountedPointerArray<IControl> m_controls;
    Collections::TAutomaticPointer<IControl> m_lockedControl;
    Collections::TAutomaticPointer<IControl> m_mouseTarget;
    Graphics::IImage* m_backgroundImage;
    Windowing::IWindow* m_parentWindow;
    Events::CMouseEvent m_rootEvent;
    ::Brivant::MathTools::CPoint m_storedPoint;
    bool m_rootOption;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
