// What every control is to its root, its panel and its owner: an id and a name, an area in its root's coordinates,
// a value, images and colours, enable flags, an action listener, named typed properties and a drawing operation.
// Mouse events reach a control with the position made local to its top left.
#pragma once

#include "foundation/basics/ICountedObject.hpp"
#include "gui/core/IDropFileListener.hpp"
#include "gui/core/IKeyboardListener.hpp"
#include "gui/core/IMouseListener.hpp"

namespace Brivant
{
namespace Basics
{
class CString;
}

namespace Collections
{
template <class T>
class TCountedPointerArray;
}

namespace IO
{
class CXMLNode;
}

namespace MathTools
{
class CDimension;
class CRect;
} // namespace MathTools

namespace GUI
{
namespace Basics
{
class CAlphaColour;
}

namespace Graphics
{
class CGraphics;
class IImage;
} // namespace Graphics

namespace Listeners
{
class IActionListener;
}

namespace Controls
{
class CControlDescriptor;
class IControlRoot;

class IControl : public virtual ::Brivant::Basics::ICountedObject,
                 public Listeners::IMouseListener,
                 public Listeners::IKeyboardListener,
                 public Listeners::IDropFileListener
{
public:
    // The root is not owned and must outlive the control; null throws CException.
    virtual void setControlRoot(IControlRoot* root) = 0;
    virtual IControlRoot* getControlRoot() const = 0;
    // The panel that holds the control, or null; not owned.
    virtual void setParentControl(IControl* parent) = 0;
    virtual IControl* getParentControl() const = 0;
    // Told of every user change; not owned, null for none.
    virtual void registerActionListener(Listeners::IActionListener* listener) = 0;

    virtual void setMouseEnabled(bool enabled) = 0;
    virtual void setDropFileEnabled(bool enabled) = 0;
    virtual void setKeyboardEnabled(bool enabled) = 0;
    virtual void setAuxiliaryOption(long option) = 0;
    // The root's hit tests read these.
    virtual bool isMouseEnabled() const = 0;
    virtual bool isDropFileEnabled() const = 0;
    virtual bool isKeyboardEnabled() const = 0;
    virtual bool queryAuxiliaryOption(long option) const = 0;
    virtual bool hasAuxiliaryFlag() const = 0;

    // The control's properties as "descriptor" elements of its layout element, and back.
    virtual bool writeToXmlNode(IO::CXMLNode* node) = 0;
    virtual bool readFromXmlNode(IO::CXMLNode* node) = 0;
    // Appends one descriptor per property, without values; each class appends its own after its base's.
    virtual void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) = 0;
    // Sets the property the descriptor names from its value; false for an unknown name or a missing value or
    // one of another class.
    virtual bool applyDescriptor(const CControlDescriptor& descriptor) = 0;
    // Gives the descriptor a new value holding the property's current state; false for an unknown name.
    virtual bool fillDescriptor(CControlDescriptor& descriptor) = 0;

    // -1 for none; also the timer id of timed controls.
    virtual long getControlId() const = 0;
    virtual void setControlId(long id) = 0;
    // The name itself, which layouts and findControlByName know the control by.
    virtual ::Brivant::Basics::CString& getControlName() = 0;
    virtual void setControlName(const ::Brivant::Basics::CString& name) = 0;
    // Setting a value from outside never reaches the action listener.
    virtual void setValue(double value) = 0;
    virtual double getValue() const = 0;

    // In the root's coordinates; the absolute area follows in window coordinates.
    virtual void setArea(const ::Brivant::MathTools::CRect& area) = 0;
    virtual const ::Brivant::MathTools::CRect& getArea() const = 0;
    virtual const ::Brivant::MathTools::CRect& getAbsoluteArea() const = 0;
    virtual const ::Brivant::MathTools::CDimension& getDimension() const = 0;
    // True for controls that hold controls of their own.
    virtual bool isContainer() const = 0;
    // The layout writers skip a control that is not saved.
    virtual bool isNotSaved() const = 0;
    virtual void setNotSaved(bool notSaved) = 0;

    // Asks the root to redraw the control's area; controls never paint on their own.
    virtual void update() = 0;
    // Draws in the control's own coordinates; the root has moved the drawing offset and set the clip.
    virtual void drawControl(Graphics::CGraphics& graphics) = 0;
    virtual void enable() = 0;
    virtual void disable() = 0;
    // Both counted; the disabled image is drawn instead of the face while the control is disabled.
    virtual void setPrimaryImage(Graphics::IImage* image) = 0;
    virtual void setDisabledImage(Graphics::IImage* image) = 0;
    // (0, 0, width, height): the rectangle the control draws in.
    virtual const ::Brivant::MathTools::CRect& getNormalisedArea() const = 0;
    virtual void setDefaultControlColours(const Basics::CAlphaColour& background,
                                          const Basics::CAlphaColour& frame) = 0;
    virtual void setDefaultDrawing(bool defaultDrawing) = 0;

    // The steps control classes draw their face with. Enabled: true, drawing nothing; disabled: the disabled
    // image when there is one, and false, so that the face is left out.
    virtual bool drawEnabledControl(Graphics::CGraphics& graphics) = 0;
    // The primary image over the normalised area; without one and with drawDefault, the background colour framed
    // in the frame colour.
    virtual void drawPrimaryImage(Graphics::CGraphics& graphics, bool drawDefault) = 0;
    // False, drawing nothing, without a primary image.
    virtual bool drawPrimaryImageIfPresent(Graphics::CGraphics& graphics) = 0;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
