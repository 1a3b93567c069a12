// The base of every control: its state, the twelve properties every control has, the helpers controls draw their
// face with, and the descriptor form of the properties that layouts are written in. A control class overrides
// drawControl and the mouse operations it needs, and extends getDescriptors, applyDescriptor and fillDescriptor.
//
// What a control relies on: the root it was given outlives it; update() after every change of value or look;
// after a user change, update() and then the action listener's handleActionEvent; drags lock the control in its
// root until the release; timed controls use their root's window and their id as the timer id.
#pragma once

#include "foundation/basics/CClass.hpp"
#include "foundation/basics/CString.hpp"
#include "foundation/mathtools/CDimension.hpp"
#include "foundation/mathtools/CRect.hpp"
#include "gui/core/CAlphaColour.hpp"
#include "gui/core/IControl.hpp"

namespace Brivant
{
namespace GUI
{
namespace Controls
{
class CControl : public IControl
{
    BRIVANT_CLASS_RECORD(CControl, nullptr);

public:
    // The area is in the root's coordinates; a null root throws CException before the area is set.
    CControl(IControlRoot* root, long id, const ::Brivant::MathTools::CRect& area,
             Listeners::IActionListener* listener);
    // Releases both images.
    ~CControl() override;

    CControl(const CControl&) = delete;
    CControl& operator=(const CControl&) = delete;

    // Its own count: the dereference that leaves it below 1 deletes the control.
    void referenced() override;
    void dereference() override;
    long getReferenceCount() const override;
    // "Control", cut to fit and always terminated.
    void getObjectDescription(char* text, long size) const override;

    void setControlRoot(IControlRoot* root) override;
    IControlRoot* getControlRoot() const override { return m_root; }
    void setParentControl(IControl* parent) override { m_parent = parent; }
    IControl* getParentControl() const override { return m_parent; }
    void registerActionListener(Listeners::IActionListener* listener) override { m_actionListener = listener; }

    void setMouseEnabled(bool enabled) override { m_mouseEnabled = enabled; }
    void setDropFileEnabled(bool enabled) override { m_dropFileEnabled = enabled; }
    void setKeyboardEnabled(bool enabled) override { m_keyboardEnabled = enabled; }
    // Ignored.
    void setAuxiliaryOption(long option) override;
    bool isMouseEnabled() const override { return m_mouseEnabled; }
    bool isDropFileEnabled() const override { return m_dropFileEnabled; }
    bool isKeyboardEnabled() const override { return m_keyboardEnabled; }
    // False.
    bool queryAuxiliaryOption(long option) const override;
    bool hasAuxiliaryFlag() const override { return m_auxiliaryFlag; }

    // "number_of_descriptors" and one "descriptor" child per property. After the first descriptor that cannot be
    // written the later ones get an empty element; true only when every one was written.
    bool writeToXmlNode(IO::CXMLNode* node) override;
    // Applies every "descriptor" child in order; false when one does not read (at once), when one does not apply
    // (after the rest), or when their number differs from "number_of_descriptors".
    bool readFromXmlNode(IO::CXMLNode* node) override;
    void getDescriptors(Collections::TCountedPointerArray<CControlDescriptor>& list) override;
    bool applyDescriptor(const CControlDescriptor& descriptor) override;
    bool fillDescriptor(CControlDescriptor& descriptor) override;

    long getControlId() const override { return m_id; }
    void setControlId(long id) override { m_id = id; }
    ::Brivant::Basics::CString& getControlName() override { return m_name; }
    void setControlName(const ::Brivant::Basics::CString& name) override { m_name = name; }
    // Stored unchecked; controls with a range override it.
    void setValue(double value) override { m_value = value; }
    double getValue() const override { return m_value; }

    // Also moves the absolute area to where the root places the control in the window.
    void setArea(const ::Brivant::MathTools::CRect& area) override;
    const ::Brivant::MathTools::CRect& getArea() const override { return m_area; }
    // As of the last setArea.
    const ::Brivant::MathTools::CRect& getAbsoluteArea() const override { return m_absoluteArea; }
    const ::Brivant::MathTools::CDimension& getDimension() const override { return m_size; }
    bool isContainer() const override { return false; }
    bool isNotSaved() const override { return m_notSaved; }
    void setNotSaved(bool notSaved) override { m_notSaved = notSaved; }

    // The root redraws the absolute area.
    void update() override;
    // Nothing: every control class draws its own face.
    void drawControl(Graphics::CGraphics& graphics) override;
    void enable() override { m_enabled = true; }
    void disable() override { m_enabled = false; }
    void setPrimaryImage(Graphics::IImage* image) override;
    void setDisabledImage(Graphics::IImage* image) override;
    const ::Brivant::MathTools::CRect& getNormalisedArea() const override { return m_normalisedArea; }
    void setDefaultControlColours(const Basics::CAlphaColour& background, const Basics::CAlphaColour& frame) override;
    void setDefaultDrawing(bool defaultDrawing) override { m_defaultDrawing = defaultDrawing; }
    bool drawEnabledControl(Graphics::CGraphics& graphics) override;
    void drawPrimaryImage(Graphics::CGraphics& graphics, bool drawDefault) override;
    bool drawPrimaryImageIfPresent(Graphics::CGraphics& graphics) override;

    // Mouse and drop events do nothing; keys are not taken.
    void handleLeftButtonDown(Events::CMouseEvent& event) override;
    void handleLeftButtonUp(Events::CMouseEvent& event) override;
    void handleRightButtonDown(Events::CMouseEvent& event) override;
    void handleRightButtonUp(Events::CMouseEvent& event) override;
    void handleDoubleClick(Events::CMouseEvent& event) override;
    void handleMouseScroll(Events::CMouseEvent& event) override;
    void handleMouseMovement(Events::CMouseEvent& event) override;
    void handleMouseLeavingArea(Events::CMouseEvent& event) override;
    bool handleKeyDown(const Events::CKeyboardEvent& event) override;
    bool handleKeyUp(const Events::CKeyboardEvent& event) override;
    void handleFileDrop(const Events::CDropEvent& event) override;

    bool isEnabled() const { return m_enabled; }
    bool isDefaultDrawing() const { return m_defaultDrawing; }
    Graphics::IImage* getPrimaryImage() const { return m_primaryImage; }
    Graphics::IImage* getDisabledImage() const { return m_disabledImage; }
    const Basics::CAlphaColour& getBackgroundColour() const { return m_backgroundColour; }
    const Basics::CAlphaColour& getFrameColour() const { return m_frameColour; }
    Listeners::IActionListener* getActionListener() const { return m_actionListener; }

private:
    long m_referenceCount;
    Listeners::IActionListener* m_actionListener;
    IControlRoot* m_root;
    IControl* m_parent;
    bool m_mouseEnabled;
    bool m_keyboardEnabled;
    bool m_dropFileEnabled;
    bool m_auxiliaryFlag;
    bool m_enabled;
    bool m_defaultDrawing;
    bool m_notSaved;
    ::Brivant::Basics::CString m_name;
    long m_id;
    double m_value;
    ::Brivant::MathTools::CRect m_area;
    ::Brivant::MathTools::CDimension m_size;
    ::Brivant::MathTools::CRect m_absoluteArea;
    ::Brivant::MathTools::CRect m_normalisedArea;
    Graphics::IImage* m_primaryImage;
    Graphics::IImage* m_disabledImage;
    Basics::CAlphaColour m_frameColour;
    Basics::CAlphaColour m_backgroundColour;
};
} // namespace Controls
} // namespace GUI
} // namespace Brivant
