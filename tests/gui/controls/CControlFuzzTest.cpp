// Seeded random sequences of user events, hostile values, moves, redraws and layout round trips, played on every
// class the control factory knows, with the invariants every control keeps checked after each step.
// CONTROL_FUZZ_RUNS=N plays N sequences per class instead of the fixed set; CONTROL_FUZZ_SEED=S (with
// CONTROL_FUZZ_CLASS=name to pick one class) replays the sequence a failure printed; CONTROL_FUZZ_TRACE=1 prints
// each step as it is played.
#include "foundation/basics/CBool.hpp"
#include "foundation/basics/CClassManager.hpp"
#include "foundation/basics/CCountedObject.hpp"
#include "foundation/basics/CFloat.hpp"
#include "foundation/basics/CLong.hpp"
#include "foundation/collections/TAutomaticPointer.hpp"
#include "foundation/collections/TCountedPointerArray.hpp"
#include "foundation/exceptions/CException.hpp"
#include "foundation/io/CXMLNode.hpp"
#include "gui/controls/ControlFactory.hpp"
#include "gui/core/CControlDescriptor.hpp"
#include "gui/core/CControlPanel.hpp"
#include "gui/core/CCursor.hpp"
#include "gui/core/CFont.hpp"
#include "tests/gui/CGuiTestKit.hpp"
#include "tests/gui/core/CImportPatch.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace
{
using Brivant::Basics::CBool;
using Brivant::Basics::CFloat;
using Brivant::Basics::CLong;
using Brivant::Basics::CString;
using Brivant::Basics::ICountedObject;
using Brivant::Collections::TAutomaticPointer;
using Brivant::Collections::TCountedPointerArray;
using Brivant::GUI::Controls::CControlDescriptor;
using Brivant::GUI::Controls::CControlPanel;
using Brivant::GUI::Windowing::CCursor;
using namespace VolturaTests;

constexpr long kCanvasWidth = 260;
constexpr long kCanvasHeight = 460;
// Every control starts here in window coordinates, in the root or inside a panel at (10, 10).
constexpr long kOrigin = 20;
constexpr long kFixedRuns = 200;
constexpr unsigned kFixedSeed = 33000;
// No control paints this colour, so any pixel of it that changed was painted.
constexpr std::uint32_t kUntouched = 0x010203u;

// Classes that keep their value in 0..1 by design: they clamp it or refuse values outside.
const std::set<std::string> kUnitValue = {"CCenterSlider", "CLevelMeter", "CScrollBar", "CSlider"};
// Buttons that report a release only after a press reached them. The latching and momentary buttons, and the radio
// button made of latching buttons, report every release that reaches them, press or not, by design.
const std::set<std::string> kReportsAfterPress = {"CRepeatingButton", "CRolloverButton"};
// Classes that by design keep the lock after a release over their handle, puck, bar or area, for the hover look; the
// hover rule releases it when the pointer leaves, which the far move checks. The scroll bars inside the scrolling
// views are sliders.
const std::set<std::string> kHoverLock = {"CADSREditor",  "CModulatedSlider", "CModulatedXYPad", "CPresetBrowser",
                                          "CRangeSlider", "CScrollBar",       "CScrollPanel",    "CSlider",
                                          "CTableView",   "CTreeView",        "CXYPad"};
enum EStep
{
    kPress, kMove, kRelease, kDoubleClick, kWheel, kLeave, kKeyDown, kKeyUp,
    kSetValue, kSetArea, kEnable, kDisable, kRedraw, kLayout, kProperty, kStepKinds
};
const char* const kStepNames[kStepKinds] = {"press", "move", "release", "doubleClick", "wheel", "leave", "keyDown",
                                            "keyUp", "setValue", "setArea", "enable", "disable", "redraw", "layout",
                                            "property"};
const unsigned kStepWeights[kStepKinds] = {12, 16, 12, 4, 6, 3, 4, 3, 6, 4, 2, 2, 6, 2, 5};

const double kValues[] = {0.0, 1.0, 0.5, -1.0, 2.0, std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                          1e300, -1e300, std::numeric_limits<double>::denorm_min(), -1e-310};
const long kCounts[] = {-2147483647L - 1, 2147483647L, 99999999L, 65536L, -1L, 0L, 1L};
const float kFloats[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity(), 3e38f, -3e38f, -5.0f, 2.0f};
const char kKeys[] = {'a', 'Z', '1', ' ', '-', '.', '\r', '\b', '\t', 27, 127};
const double kNotches[] = {1.0, -1.0, 3.0, -3.0, 0.5, -120.0};

bool sameValue(double first, double second)
{
    return first == second || (std::isnan(first) && std::isnan(second));
}

std::string number(double value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%g", value);
    return text;
}

std::map<std::string, long> liveInstances()
{
    std::map<std::string, long> counts;
    Brivant::Basics::CClassManager& registry = Brivant::Basics::CClassManager::getManager();
    for (long index = 0; index < registry.getNumberOfClasses(); ++index)
        if (const Brivant::Basics::CClass* record = registry.getClassAt(index))
            counts[record->getClassName()] = record->getInstanceCount();
    return counts;
}

// The GDI objects the library has made and not yet deleted. Wine's GetGuiResources answers 0 whatever is alive, so
// while it lives this points the program's imports of the GDI calls that make and delete objects at counters.
class CGdiObjectCount
{
public:
    CGdiObjectCount()
    {
        s_count = this;
        track("GDI32.dll", "CreateCompatibleBitmap", createCompatibleBitmap, &m_createCompatibleBitmap);
        track("GDI32.dll", "CreateCompatibleDC", createCompatibleDC, &m_createCompatibleDC);
        track("GDI32.dll", "CreateDIBSection", createDIBSection, &m_createDIBSection);
        track("GDI32.dll", "CreateFontIndirectA", createFontIndirectA, &m_createFontIndirectA);
        track("GDI32.dll", "CreatePen", createPen, &m_createPen);
        track("GDI32.dll", "CreateRectRgn", createRectRgn, &m_createRectRgn);
        track("GDI32.dll", "CreateSolidBrush", createSolidBrush, &m_createSolidBrush);
        track("GDI32.dll", "DeleteObject", deleteObject, &m_deleteObject);
        track("GDI32.dll", "DeleteDC", deleteDC, &m_deleteDC);
        track("gdiplus.dll", "GdipCreateHBITMAPFromBitmap", createHBitmap, &m_createHBitmap);
    }
    ~CGdiObjectCount() { s_count = nullptr; }

    CGdiObjectCount(const CGdiObjectCount&) = delete;
    CGdiObjectCount& operator=(const CGdiObjectCount&) = delete;

    long live() const { return static_cast<long>(m_live.size()); }

private:
    template <class TFunction>
    void track(const char* library, const char* function, TFunction standIn, TFunction* original)
    {
        *original = reinterpret_cast<TFunction>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(library), function)));
        m_patches.emplace_back(new CImportPatch(library, function, reinterpret_cast<void*>(standIn)));
    }
    template <class THandle>
    static THandle made(THandle handle)
    {
        if (handle != nullptr)
            s_count->m_live.insert(handle);
        return handle;
    }
    static BOOL gone(void* handle, BOOL deleted)
    {
        if (deleted)
            s_count->m_live.erase(handle);
        return deleted;
    }

    static HBITMAP WINAPI createCompatibleBitmap(HDC dc, int width, int height)
    {
        return made(s_count->m_createCompatibleBitmap(dc, width, height));
    }
    static HDC WINAPI createCompatibleDC(HDC dc) { return made(s_count->m_createCompatibleDC(dc)); }
    static HBITMAP WINAPI createDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                                           DWORD offset)
    {
        return made(s_count->m_createDIBSection(dc, info, usage, bits, section, offset));
    }
    static HFONT WINAPI createFontIndirectA(const LOGFONTA* font) { return made(s_count->m_createFontIndirectA(font)); }
    static HPEN WINAPI createPen(int style, int width, COLORREF colour)
    {
        return made(s_count->m_createPen(style, width, colour));
    }
    static HRGN WINAPI createRectRgn(int left, int top, int right, int bottom)
    {
        return made(s_count->m_createRectRgn(left, top, right, bottom));
    }
    static HBRUSH WINAPI createSolidBrush(COLORREF colour) { return made(s_count->m_createSolidBrush(colour)); }
    static BOOL WINAPI deleteObject(HGDIOBJ object) { return gone(object, s_count->m_deleteObject(object)); }
    static BOOL WINAPI deleteDC(HDC dc) { return gone(dc, s_count->m_deleteDC(dc)); }
    static int WINAPI createHBitmap(void* bitmap, HBITMAP* made, DWORD background)
    {
        const int status = s_count->m_createHBitmap(bitmap, made, background);
        if (status == 0 && made != nullptr && *made != nullptr)
            s_count->m_live.insert(*made);
        return status;
    }

    static inline CGdiObjectCount* s_count = nullptr;
    std::set<void*> m_live;
    std::vector<std::unique_ptr<CImportPatch>> m_patches;
    decltype(&CreateCompatibleBitmap) m_createCompatibleBitmap = nullptr;
    decltype(&CreateCompatibleDC) m_createCompatibleDC = nullptr;
    decltype(&CreateDIBSection) m_createDIBSection = nullptr;
    decltype(&CreateFontIndirectA) m_createFontIndirectA = nullptr;
    decltype(&CreatePen) m_createPen = nullptr;
    decltype(&CreateRectRgn) m_createRectRgn = nullptr;
    decltype(&CreateSolidBrush) m_createSolidBrush = nullptr;
    decltype(&DeleteObject) m_deleteObject = nullptr;
    decltype(&DeleteDC) m_deleteDC = nullptr;
    int(WINAPI* m_createHBitmap)(void*, HBITMAP*, DWORD) = nullptr;
};

// An off-screen surface as the window paints: the whole area to update, GDI only, so that colours are exact.
class CFuzzCanvas
{
public:
    CFuzzCanvas() : m_surface(kCanvasWidth, kCanvasHeight), m_graphics(Brivant::GUI::Graphics::CGraphics::kGdiOnly)
    {
        m_graphics.initialise(&m_window, m_surface.context(), Brivant::MathTools::CDimension(kCanvasWidth,
                                                                                              kCanvasHeight));
    }
    ~CFuzzCanvas() { m_graphics.uninitialise(); }
    CFuzzCanvas(const CFuzzCanvas&) = delete;
    CFuzzCanvas& operator=(const CFuzzCanvas&) = delete;

    // Draws the root over an untouched surface; true when a pixel outside the area was painted (firstPainted).
    bool paintsOutside(IControlRoot& root, const CRect& area)
    {
        m_surface.fill(kUntouched);
        const CRect whole(0, 0, kCanvasWidth, kCanvasHeight);
        m_graphics.setUpdateArea(whole);
        m_graphics.setDrawingOffset(CPoint(0, 0));
        m_graphics.getClippingRegion().setClipRegion(whole);
        root.drawRootControl(m_graphics);
        GdiFlush();
        for (long y = 0; y < kCanvasHeight; ++y)
            for (long x = 0; x < kCanvasWidth; ++x)
            {
                const bool inside = x >= area.getLeft() && x < area.getLeft() + area.getWidth() &&
                                    y >= area.getTop() && y < area.getTop() + area.getHeight();
                if (!inside && (m_surface.at(x, y) & 0xFFFFFFu) != kUntouched)
                {
                    firstPainted = CPoint(x, y);
                    return true;
                }
            }
        return false;
    }

    CPoint firstPainted = CPoint(0, 0);

private:
    CDibSurface m_surface;
    HWND m_window = nullptr;
    Brivant::GUI::Graphics::CGraphics m_graphics;
};

// One sequence: a control of one class made by the factory, played with seeded steps until an invariant breaks.
class CFuzzSequence
{
public:
    CFuzzSequence(const std::string& className, unsigned seed, CFuzzCanvas& canvas, const CGdiObjectCount& gdi)
        : m_class(className), m_random(seed), m_canvas(canvas), m_gdi(gdi)
    {
    }

    // The first broken invariant's name, or "" when every step kept them all.
    std::string play()
    {
        const std::map<std::string, long> before = liveInstances();
        const long gdiBefore = m_gdi.live();
        playInBench();
        if (!m_broken.empty())
            return m_broken;
        std::string changed;
        for (const auto& record : liveInstances())
        {
            const auto known = before.find(record.first);
            const long expected = known != before.end() ? known->second : 0;
            if (record.second != expected)
                changed += record.first + " " + std::to_string(expected) + " -> " + std::to_string(record.second) + " ";
        }
        if (!changed.empty())
            breaks("instances", changed);
        if (std::labs(m_gdi.live() - gdiBefore) > 2)
            breaks("gdi", std::to_string(gdiBefore) + " -> " + std::to_string(m_gdi.live()));
        return m_broken;
    }

    std::string report() const
    {
        std::string text = m_class + (m_inPanel ? " in a panel" : "") + ": " + m_broken + " (" + m_detail +
                           ") after " + std::to_string(m_steps.size()) + " steps:";
        for (size_t index = 0; index < m_steps.size(); ++index)
            text += (index % 8 == 0 ? "\n  " : "; ") + m_steps[index];
        return text;
    }

    long stepsPlayed() const { return static_cast<long>(m_steps.size()); }

private:
    unsigned pick(unsigned count) { return static_cast<unsigned>(m_random() % count); }

    void playInBench()
    {
        CControlBench bench(kCanvasWidth, kCanvasHeight);
        m_bench = &bench;
        m_inPanel = pick(3) == 0;
        IControlRoot* home = &bench.root();
        if (m_inPanel)
        {
            m_panel = new CControlPanel(&bench.window(), &bench.root(), -1,
                                        CRect(10, 10, kCanvasWidth - 20, kCanvasHeight - 20), nullptr);
            bench.root().addControl(m_panel);
            home = m_panel;
        }
        TAutomaticPointer<IControl> holder;
        if (!Brivant::GUI::Controls::createControl(CString(m_class.c_str()), holder, home))
            return breaks("made", "the factory made nothing");
        m_control = holder.getPointer();
        const long offset = m_inPanel ? 10 : 0;
        m_control->setArea(CRect(kOrigin - offset, kOrigin - offset, m_control->getArea().getWidth(),
                                 m_control->getArea().getHeight()));
        m_control->registerActionListener(&m_listener);
        home->addControl(m_control);
        const unsigned steps = 20 + pick(181);
        for (unsigned step = 0; step < steps && m_broken.empty(); ++step)
            playStep();
        home->removeControl(m_control);
        // A control must not outlive its root, the panel.
        holder.setPointer(nullptr);
        if (m_panel != nullptr)
            bench.root().removeControl(m_panel);
        m_control = nullptr;
        m_panel = nullptr;
    }

    EStep pickStep()
    {
        unsigned total = 0;
        for (unsigned weight : kStepWeights)
            total += weight;
        unsigned chosen = pick(total);
        for (int kind = 0; kind < kStepKinds; ++kind)
        {
            if (chosen < kStepWeights[kind])
                return static_cast<EStep>(kind);
            chosen -= kStepWeights[kind];
        }
        return kMove;
    }

    // Inside the control, on one of its edges (right = left + width) or outside it, in window coordinates.
    CPoint pickPoint()
    {
        const CRect& area = m_control->getAbsoluteArea();
        const long width = std::max(1L, std::min(area.getWidth(), 2000L));
        const long height = std::max(1L, std::min(area.getHeight(), 2000L));
        const long x = area.getLeft() + static_cast<long>(pick(static_cast<unsigned>(width)));
        const long y = area.getTop() + static_cast<long>(pick(static_cast<unsigned>(height)));
        switch (pick(8))
        {
        case 0: return CPoint(area.getLeft(), y);
        case 1: return CPoint(area.getLeft() + area.getWidth(), y);
        case 2: return CPoint(x, area.getTop());
        case 3: return CPoint(x, area.getTop() + area.getHeight());
        case 4: return CPoint(static_cast<long>(pick(kCanvasWidth + 120)) - 60,
                              static_cast<long>(pick(kCanvasHeight + 120)) - 60);
        case 5: return CPoint(pick(2) == 0 ? -100000 : 100000, y);
        default: return CPoint(x, y);
        }
    }

    // The fine modifier is Shift; Ctrl and Alt pick other drags on some controls.
    int pickModifiers()
    {
        static const int choices[] = {kNoModifier, kNoModifier, kShift, kCtrl, kShift | kCtrl, kAlt};
        return choices[pick(6)];
    }

    bool lockedHere() const
    {
        return m_bench->root().getLockedControl() == m_control ||
               (m_panel != nullptr && m_panel->getLockedControl() == m_control);
    }

    // Whether a press at the point reaches the control through the root's routing.
    bool reaches(const CPoint& point) const
    {
        return lockedHere() || (inside(point) && m_control->isMouseEnabled());
    }

    bool inside(const CPoint& point) const
    {
        const CRect& area = m_control->getAbsoluteArea();
        return area.getWidth() >= 0 && area.getHeight() >= 0 && point.getX() >= area.getLeft() &&
               point.getX() <= area.getLeft() + area.getWidth() && point.getY() >= area.getTop() &&
               point.getY() <= area.getTop() + area.getHeight();
    }

    // Well away from the area, whichever way its size points, and so from any handle or puck a control keeps.
    bool wellAway(const CPoint& point) const
    {
        const CRect& area = m_control->getAbsoluteArea();
        const long right = area.getLeft() + area.getWidth(), bottom = area.getTop() + area.getHeight();
        const long margin = 1000;
        return point.getX() < std::min(area.getLeft(), right) - margin ||
               point.getX() > std::max(area.getLeft(), right) + margin ||
               point.getY() < std::min(area.getTop(), bottom) - margin ||
               point.getY() > std::max(area.getTop(), bottom) + margin;
    }

    bool given(double value) const
    {
        for (double candidate : m_given)
            if (sameValue(value, candidate))
                return true;
        return false;
    }

    void playStep()
    {
        const EStep kind = pickStep();
        if (std::getenv("CONTROL_FUZZ_TRACE") != nullptr)
            std::cerr << "  counted objects " << Brivant::Basics::CCountedObject::classRecord().getInstanceCount()
                      << (m_bench->root().isControlLocked() ? ", locked" : "") << std::endl;
        const size_t reportsBefore = m_listener.controls.size();
        const bool pressedBefore = m_pressed;
        try
        {
            playStepOfKind(kind);
        }
        catch (const Brivant::Exceptions::CException& exception)
        {
            // A repeating button whose id is 0 cannot start its timer: the window throws, by design.
            if (!(m_class == "CRepeatingButton" && m_control->getControlId() == 0 && kind == kPress))
                breaks("exception", std::string("CException ") + exception.getErrorReason().getString());
        }
        catch (const std::exception& exception)
        {
            breaks("exception", exception.what());
        }
        catch (...)
        {
            breaks("exception", "an unknown exception");
        }
        const double value = m_control->getValue();
        // The base control and several classes store a value from code unchecked, so only the value they were given
        // may be other than finite.
        if (!std::isfinite(value) && !given(value))
            breaks("value", number(value));
        if (kUnitValue.count(m_class) != 0 && !(value >= 0.0 && value <= 1.0))
            breaks("value", number(value) + " outside 0..1");
        const size_t reports = m_listener.controls.size() - reportsBefore;
        if (reports > 0 && kind >= kSetValue)
            breaks("report", "a report from code, not from the user");
        if (reports > 0 && kReportsAfterPress.count(m_class) != 0 && !(kind == kRelease && pressedBefore))
            breaks("report", "a report without a press on the button");
        const bool locked = m_bench->root().isControlLocked() || (m_panel != nullptr && m_panel->isControlLocked());
        // The text edit keeps its lock while it edits, but its edit box needs a native window, which the bench has
        // not, so here it keeps the rule of every other control.
        if (kind == kRelease && locked && kHoverLock.count(m_class) == 0)
            breaks("lock", "the root is still locked after the release");
        if (kind == kMove && m_farMove && !m_pressed && locked)
            breaks("lock", "the root is still locked with the pointer far away and no button held");
    }

    void playStepOfKind(EStep kind)
    {
        switch (kind)
        {
        case kPress:
        case kMove:
        case kRelease:
        case kDoubleClick:
        case kWheel:
        case kLeave: {
            static const long types[] = {CMouseEvent::kLeftButtonDown, CMouseEvent::kMouseMove,
                                         CMouseEvent::kLeftButtonUp,   CMouseEvent::kDoubleClick,
                                         CMouseEvent::kMouseWheel,     CMouseEvent::kMouseLeave};
            const CPoint point = pickPoint();
            const int modifiers = pickModifiers();
            const double notches = kind == kWheel ? kNotches[pick(6)] : 0.0;
            note(std::string(kStepNames[kind]) + " " + positionText(point) +
                 (modifiers != 0 ? " mods " + std::to_string(modifiers) : "") +
                 (kind == kWheel ? " " + number(notches) : ""));
            if (kind == kPress)
                m_pressed = reaches(point);
            m_bench->mouse(types[kind], point.getX(), point.getY(), modifiers, notches);
            if (kind == kRelease)
                m_pressed = false;
            m_farMove = wellAway(point);
            return;
        }
        case kKeyDown:
        case kKeyUp: {
            const char key = kKeys[pick(sizeof(kKeys))];
            note(std::string(kStepNames[kind]) + " " + std::to_string(static_cast<int>(key)));
            m_bench->key(kind == kKeyDown, key);
            return;
        }
        case kSetValue:
        {
            const double value = kValues[pick(sizeof(kValues) / sizeof(kValues[0]))];
            m_given.push_back(value);
            note("setValue " + number(value));
            return m_control->setValue(value);
        }
        case kSetArea:
            return setArea();
        case kEnable:
            note("enable");
            return m_control->enable();
        case kDisable:
            note("disable");
            return m_control->disable();
        case kRedraw:
            return redraw();
        case kLayout:
            return layout();
        default:
            return applyHostileProperty();
        }
    }

    void setArea()
    {
        const CRect& area = m_control->getArea();
        const long left = area.getLeft(), top = area.getTop();
        static const long sizes[] = {0, -30, 32768};
        CRect next = area;
        switch (pick(4))
        {
        case 0: break;
        case 1: next = CRect(left + static_cast<long>(pick(21)) - 10, top + static_cast<long>(pick(21)) - 10,
                             area.getWidth(), area.getHeight());
            break;
        case 2: next = CRect(left, top, sizes[pick(3)], sizes[pick(3)]); break;
        default: next = CRect(left, top, 10 + static_cast<long>(pick(200)), 10 + static_cast<long>(pick(200)));
        }
        note("setArea " + rectText(next));
        m_control->setArea(next);
    }

    void redraw()
    {
        note("redraw");
        const CRect& area = m_control->getAbsoluteArea();
        if (!m_canvas.paintsOutside(m_bench->root(), area))
            return;
        breaks("drawing", "painted " + positionText(m_canvas.firstPainted) + " outside " + rectText(area));
    }

    // What the control writes reads back into it.
    void layout()
    {
        note("layout");
        Brivant::IO::CXMLNode node(CString("control"), nullptr);
        if (!m_control->writeToXmlNode(&node) || m_control->readFromXmlNode(&node))
            return;
        std::string refused;
        for (long index = 0; index < node.getNumberOfChildNodes(); ++index)
        {
            CControlDescriptor descriptor;
            Brivant::IO::CXMLNode* element = node.getChildNode(index);
            if (!descriptor.readFromXmlNode(element) || !m_control->applyDescriptor(descriptor))
                refused += std::string(" ") + element->getAttributeValue(CString("name")).getString() + "=" +
                           element->getAttributeValue(CString("object")).getString();
        }
        breaks("layout", "the layout it wrote did not read back:" + refused);
    }

    ICountedObject* hostileValue(CControlDescriptor& descriptor, std::string& text)
    {
        // Now and then a value of another class, which every control must refuse.
        if (pick(8) == 0)
        {
            text = "a wrong class";
            return descriptor.getType() == CControlDescriptor::kInteger ? static_cast<ICountedObject*>(new CString("7"))
                                                                        : new CLong(7);
        }
        switch (descriptor.getType())
        {
        case CControlDescriptor::kRect: {
            // Rectangles are counted objects: made here, so that none outlives the sequence.
            const long rects[][4] = {{0, 0, 0, 0}, {-5, -5, -20, -20}, {20, 20, 32768, 32768},
                                     {-100000, -100000, 5, 5}, {20, 20, 1, 32768}};
            const long* chosen = rects[pick(5)];
            auto* rect = new CRect(chosen[0], chosen[1], chosen[2], chosen[3]);
            text = rectText(*rect);
            return rect;
        }
        case CControlDescriptor::kImage:
        case CControlDescriptor::kString: {
            static const std::string texts[] = {"", "no such image", std::string(5000, 'W'), "%s%n%li"};
            const std::string& chosen = texts[pick(4)];
            text = "\"" + chosen.substr(0, 16) + "\" of " + std::to_string(chosen.size());
            return new CString(chosen.c_str());
        }
        case CControlDescriptor::kColour:
            text = "colour -5,300,99999,-1";
            return new CAlphaColour(-5, 300, 99999, -1);
        case CControlDescriptor::kBoolean: {
            const bool flag = pick(2) == 0;
            text = flag ? "true" : "false";
            return new CBool(flag);
        }
        case CControlDescriptor::kInteger: {
            const long count = kCounts[pick(sizeof(kCounts) / sizeof(kCounts[0]))];
            text = std::to_string(count);
            return new CLong(count);
        }
        case CControlDescriptor::kFloat: {
            const float value = kFloats[pick(sizeof(kFloats) / sizeof(kFloats[0]))];
            // A value property (a knob's default, say) is a value from code too.
            m_given.push_back(value);
            text = number(value);
            return new CFloat(value);
        }
        case CControlDescriptor::kFont: {
            static const long sizes[] = {-5, 0, 99999};
            const long size = sizes[pick(3)];
            text = "font \"\" " + std::to_string(size);
            return new Brivant::GUI::Fonts::CFont(CString(""), size, true, true);
        }
        default:
            return nullptr;
        }
    }

    void applyHostileProperty()
    {
        TCountedPointerArray<CControlDescriptor> list;
        m_control->getDescriptors(list);
        if (list.getInsertIndex() == 0)
            return note("property of none");
        CControlDescriptor* descriptor = list.getElementAt(static_cast<long>(pick(static_cast<unsigned>(
            list.getInsertIndex()))));
        if (descriptor == nullptr)
            return note("property of none");
        m_control->fillDescriptor(*descriptor);
        std::string text;
        if (descriptor->getType() == CControlDescriptor::kSelection)
        {
            const long index = kCounts[pick(sizeof(kCounts) / sizeof(kCounts[0]))];
            text = "index " + std::to_string(index);
            descriptor->setSelectedIndex(index);
        }
        else
        {
            descriptor->setValue(hostileValue(*descriptor, text));
        }
        note(std::string("property \"") + descriptor->getDescriptorName().getString() + "\" " + text);
        m_control->applyDescriptor(*descriptor);
    }

    void note(const std::string& step)
    {
        m_steps.push_back(std::to_string(m_steps.size() + 1) + " " + step);
        if (std::getenv("CONTROL_FUZZ_TRACE") != nullptr)
            std::cerr << m_class << " " << m_steps.back() << std::endl;
    }

    void breaks(const std::string& invariant, const std::string& detail)
    {
        if (!m_broken.empty())
            return;
        m_broken = invariant;
        m_detail = detail;
    }

    std::string m_class;
    std::mt19937 m_random;
    CFuzzCanvas& m_canvas;
    const CGdiObjectCount& m_gdi;
    CControlBench* m_bench = nullptr;
    CControlPanel* m_panel = nullptr;
    IControl* m_control = nullptr;
    CRecordingActionListener m_listener;
    bool m_inPanel = false;
    bool m_pressed = false;
    bool m_farMove = false;
    // The values given from code; a control that stores them unchecked may hold one that is not finite.
    std::vector<double> m_given;
    std::vector<std::string> m_steps;
    std::string m_broken;
    std::string m_detail;
};

long environmentNumber(const char* name, long otherwise)
{
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtol(text, nullptr, 10) : otherwise;
}

TEST(CControlFuzz, everyFactoryClassKeepsItsInvariantsThroughSeededSequences)
{
    TCountedPointerArray<CString> names;
    Brivant::GUI::Controls::getControlClassNames(names);
    ASSERT_EQ(37, names.getInsertIndex());
    const long runs = environmentNumber("CONTROL_FUZZ_RUNS", kFixedRuns);
    const long replay = environmentNumber("CONTROL_FUZZ_SEED", -1);
    const char* only = std::getenv("CONTROL_FUZZ_CLASS");
    CGdiObjectCount gdi;
    CFuzzCanvas canvas;
    // The shared cursors are made on first use and live as long as the process.
    for (auto cursor : {&CCursor::arrowCursor, &CCursor::handCursor, &CCursor::waitCursor,
                        &CCursor::verticalResizeCursor, &CCursor::horizontalResizeCursor, &CCursor::textCursor,
                        &CCursor::diagonalResizeCursor, &CCursor::moveCursor})
        cursor();
    // The first sequences also make what the library keeps for the whole process (shared deletion policies, fonts),
    // for every class whichever are played, so that a replay sees what the full run saw.
    for (long index = 0; index < names.getInsertIndex(); ++index)
        for (unsigned warmUp = 1; warmUp <= 3; ++warmUp)
            CFuzzSequence(names.getElementAt(index)->getString(), kFixedSeed - warmUp, canvas, gdi).play();
    long sequences = 0, steps = 0;
    for (long index = 0; index < names.getInsertIndex(); ++index)
    {
        const std::string name = names.getElementAt(index)->getString();
        if (only != nullptr && *only != '\0' && name != only)
            continue;
        std::map<std::string, long> failures;
        for (long run = 0; run < (replay >= 0 ? 1 : runs); ++run)
        {
            const unsigned seed = replay >= 0 ? static_cast<unsigned>(replay)
                                              : kFixedSeed + static_cast<unsigned>(index * 1000003L + run);
            CFuzzSequence sequence(name, seed, canvas, gdi);
            const std::string broken = sequence.play();
            ++sequences;
            steps += sequence.stepsPlayed();
            if (!broken.empty() && failures["broke " + broken]++ == 0)
                ADD_FAILURE() << "CONTROL_FUZZ_CLASS=" << name << " CONTROL_FUZZ_SEED=" << seed << "\n"
                              << sequence.report();
        }
        for (const auto& failure : failures)
            std::cout << name << ": " << failure.second << " sequences " << failure.first << "\n";
    }
    std::cout << "control fuzz: " << sequences << " sequences, " << steps << " steps, " << gdi.live()
              << " GDI objects alive at the end\n";
}
} // namespace
