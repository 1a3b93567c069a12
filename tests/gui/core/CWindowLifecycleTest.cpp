// CWindow's life: construction, the native window and its class, closing, destruction by the system or by a
// parent, the geometry kept in step with the native window, redraws, alpha, focus and the tool-tip value.
#include "gui/core/CWindow.hpp"

#include "foundation/exceptions/CException.hpp"
#include "foundation/host/CApplication.hpp"
#include "gui/core/CControlRoot.hpp"
#include "tests/foundation/basics/CCountChange.hpp"
#include "tests/gui/CGuiTestKit.hpp"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace
{
using Brivant::Basics::CString;
using Brivant::Exceptions::CException;
using Brivant::Host::CApplication;
using namespace VolturaTests;

std::string rectText(const RECT& rect)
{
    return std::to_string(rect.left) + "," + std::to_string(rect.top) + "," + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom);
}

std::string classNameOf(HWND handle)
{
    char name[256] = {};
    GetClassNameA(handle, name, sizeof(name));
    return name;
}

std::string expectedClassName(const char* windowName)
{
    return std::string("com.brivant.") + CApplication::getProductName()->getString() + "." + windowName;
}

// A plain window of this thread, as a host would give a plug-in.
class CHostWindow
{
public:
    explicit CHostWindow(DWORD style = WS_POPUP)
        : m_handle(CreateWindowExA(0, "STATIC", "host", style, 0, 0, 200, 150, nullptr, nullptr, nullptr, nullptr))
    {
    }
    ~CHostWindow()
    {
        if (IsWindow(m_handle))
            DestroyWindow(m_handle);
    }
    CHostWindow(const CHostWindow&) = delete;
    CHostWindow& operator=(const CHostWindow&) = delete;

    HWND handle() const { return m_handle; }

private:
    HWND m_handle;
};

TEST(CWindowConstruction, aNewWindowKeepsItsAreaAndHasNoNativeWindowYet)
{
    const CWindow window(CRect(30, 40, 320, 240));
    EXPECT_EQ(nullptr, *window.getWindowHandle());
    EXPECT_FALSE(window.isCreated());
    EXPECT_EQ("30,40", positionText(window.getWindowPosition()));
    EXPECT_EQ(320, window.getWindowSize().getWidth());
    EXPECT_EQ(240, window.getWindowSize().getHeight());
    EXPECT_EQ(CRect(30, 40, 320, 240), window.getWindowArea());
    EXPECT_STREQ("Application", window.getWindowAttributes()->getWindowName().getString());
    EXPECT_EQ(nullptr, window.getParentWindow());
    EXPECT_STREQ("CWindow", window.getClass().getClassName());
}

TEST(CWindowConstruction, mouseKeysAndDropsGoToTheWindowsOwnControlRoot)
{
    const CWindow window(CRect(0, 0, 100, 100));
    ASSERT_NE(nullptr, window.getControlRoot());
    EXPECT_TRUE(window.hasMouseListener());
    EXPECT_TRUE(window.hasKeyboardListener());
    EXPECT_TRUE(window.hasDropFileListener());
    const auto* root = dynamic_cast<const Brivant::GUI::Controls::CControlRoot*>(window.getControlRoot());
    ASSERT_NE(nullptr, root);
    EXPECT_EQ(static_cast<const IWindow*>(&window), root->getParentWindow());
}

TEST(CWindowReferences, theLastDereferenceDeletesTheWindow)
{
    const CCountChange windows(CWindow::classRecord());
    CWindow* window = new CWindow(CRect(0, 0, 10, 10));
    window->referenced();
    window->referenced();
    EXPECT_EQ(2, window->getReferenceCount());
    window->dereference();
    EXPECT_EQ(1, windows.live());
    window->dereference();
    EXPECT_EQ(0, windows.live());
    EXPECT_EQ(1, windows.total());
}

TEST(CWindowCreation, initialisingMakesAWindowOfTheFrameworkClassWithACopyOfTheAttributes)
{
    CWindow window(CRect(10, 20, 160, 120));
    CWindowAttributes attributes = hiddenAttributes("LifecycleProbe");
    window.intialiseWindow(&attributes, false);
    HWND handle = *window.getWindowHandle();
    ASSERT_NE(nullptr, handle);
    EXPECT_TRUE(window.isCreated());
    EXPECT_EQ(expectedClassName("LifecycleProbe"), classNameOf(handle));
    char title[64] = {};
    GetWindowTextA(handle, title, sizeof(title));
    EXPECT_STREQ("LifecycleProbe", title);
    EXPECT_FALSE(IsWindowVisible(handle));
    EXPECT_EQ(static_cast<LONG_PTR>(WS_POPUP), GetWindowLongPtrA(handle, GWL_STYLE) & WS_POPUP);

    attributes.setWindowName(CString("Changed"));
    EXPECT_STREQ("LifecycleProbe", window.getWindowAttributes()->getWindowName().getString());
}

TEST(CWindowCreation, nullAttributesOrASecondInitialiseMakeNoOtherWindow)
{
    CWindow window(CRect(0, 0, 100, 100));
    window.intialiseWindow(nullptr, false);
    EXPECT_EQ(nullptr, *window.getWindowHandle());

    CWindowAttributes attributes = hiddenAttributes("LifecycleOnce");
    window.intialiseWindow(&attributes, false);
    HWND first = *window.getWindowHandle();
    ASSERT_NE(nullptr, first);
    window.intialiseWindow(&attributes, false);
    EXPECT_EQ(first, *window.getWindowHandle());
}

TEST(CWindowCreation, showingOpensTheWindowAndADisabledAttributeDisablesIt)
{
    CForeignWindow host(sharedVisibleHost());
    CWindow shown(CRect(0, 0, 100, 100));
    shown.setParentWindow(&host);
    CWindowAttributes attributes = childAttributes("LifecycleShown");
    shown.intialiseWindow(&attributes, true);
    EXPECT_TRUE(IsWindowVisible(*shown.getWindowHandle()));
    EXPECT_TRUE(IsWindowEnabled(*shown.getWindowHandle()));

    CWindow disabled(CRect(0, 0, 100, 100));
    disabled.setParentWindow(&host);
    attributes.setEnabled(false);
    disabled.intialiseWindow(&attributes, false);
    EXPECT_FALSE(IsWindowEnabled(*disabled.getWindowHandle()));
    disabled.enableWindow();
    EXPECT_TRUE(IsWindowEnabled(*disabled.getWindowHandle()));
    disabled.disableWindow();
    EXPECT_FALSE(IsWindowEnabled(*disabled.getWindowHandle()));
}

TEST(CWindowCreation, aDropShadowRegistersTheClassWithItsStyleAndASecondWindowReusesTheClass)
{
    CWindowAttributes attributes = hiddenAttributes("LifecycleShadow");
    attributes.setDropShadow(true);
    CWindow first(CRect(0, 0, 50, 50));
    first.intialiseWindow(&attributes, false);
    ASSERT_NE(nullptr, *first.getWindowHandle());
    EXPECT_EQ(static_cast<ULONG_PTR>(CS_DBLCLKS | CS_DROPSHADOW),
              GetClassLongPtrA(*first.getWindowHandle(), GCL_STYLE));

    attributes.setDropShadow(false);
    CWindow second(CRect(0, 0, 50, 50));
    second.intialiseWindow(&attributes, false);
    ASSERT_NE(nullptr, *second.getWindowHandle());
    EXPECT_EQ(static_cast<ULONG_PTR>(CS_DBLCLKS | CS_DROPSHADOW),
              GetClassLongPtrA(*second.getWindowHandle(), GCL_STYLE));

    CWindow plain(CRect(0, 0, 50, 50));
    CWindowAttributes plainAttributes = hiddenAttributes("LifecyclePlain");
    plain.intialiseWindow(&plainAttributes, false);
    EXPECT_EQ(static_cast<ULONG_PTR>(CS_DBLCLKS), GetClassLongPtrA(*plain.getWindowHandle(), GCL_STYLE));
}

TEST(CWindowCreation, aFailedCreationThrowsTheSystemsReasonBelowTheInitialisingStep)
{
    CForeignWindow missingParent(reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x7FFF1234)));
    CWindow window(CRect(0, 0, 50, 50));
    window.setParentWindow(&missingParent);
    CWindowAttributes attributes = hiddenAttributes("LifecycleFailure");
    attributes.setWindowStyles(static_cast<long>(WS_CHILD), 0);
    try
    {
        window.intialiseWindow(&attributes, false);
        FAIL() << "no exception";
    }
    catch (const CException& failure)
    {
        const std::string reason = failure.getErrorReason().getString();
        const std::string start = "Caught an exception whilst initialising window. Further details below:\n\n";
        EXPECT_EQ(start, reason.substr(0, start.size()));
        EXPECT_GT(reason.size(), start.size());
        EXPECT_STREQ("void CWindow::intialiseWindow(CWindowAttributes *, const bool) ->\nCWindow::createWindow()",
                     failure.getFunctionName().getString());
    }
    EXPECT_EQ(nullptr, *window.getWindowHandle());
    EXPECT_FALSE(window.isCreated());
}

TEST(CWindowClosing, closingDestroysTheNativeWindowAndTheWindowCanBeOpenedAgain)
{
    CWindow window(CRect(0, 0, 100, 100));
    CWindowAttributes attributes = hiddenAttributes("LifecycleReopen");
    window.intialiseWindow(&attributes, false);
    HWND first = *window.getWindowHandle();
    window.closeWindow();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(nullptr, *window.getWindowHandle());
    EXPECT_FALSE(window.isCreated());

    window.intialiseWindow(&attributes, false);
    EXPECT_TRUE(IsWindow(*window.getWindowHandle()));
    EXPECT_TRUE(window.isCreated());
}

TEST(CWindowClosing, aListenerAnsweringFalseRefusesTheCloseMessage)
{
    CWindow window(CRect(0, 0, 100, 100));
    CRecordingWindowListener listener;
    window.setWindowChangeListener(&listener);
    CWindowAttributes attributes = hiddenAttributes("LifecycleRefuse");
    window.intialiseWindow(&attributes, false);
    HWND handle = *window.getWindowHandle();

    listener.allowClose = false;
    EXPECT_EQ(-1, SendMessageA(handle, WM_CLOSE, 0, 0));
    EXPECT_TRUE(IsWindow(handle));
    EXPECT_EQ(1, listener.count("closed"));

    listener.allowClose = true;
    SendMessageA(handle, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(nullptr, *window.getWindowHandle());
    EXPECT_FALSE(window.isCreated());
}

TEST(CWindowClosing, hidingHidesTheWindowAndTellsTheListenerItClosed)
{
    CForeignWindow host(sharedVisibleHost());
    CWindow window(CRect(0, 0, 100, 100));
    window.setParentWindow(&host);
    CRecordingWindowListener listener;
    window.setWindowChangeListener(&listener);
    CWindowAttributes attributes = childAttributes("LifecycleHide");
    window.intialiseWindow(&attributes, true);
    listener.calls.clear();
    window.hideWindow();
    EXPECT_FALSE(IsWindowVisible(*window.getWindowHandle()));
    EXPECT_EQ(1, listener.count("closed"));
    EXPECT_EQ(static_cast<IWindow*>(&window), listener.lastWindow);
    window.openWindow();
    EXPECT_TRUE(IsWindowVisible(*window.getWindowHandle()));
}

TEST(CWindowClosing, theApplicationsMainWindowEndsTheMessageLoopWhenItCloses)
{
    CWindow window(CRect(0, 0, 10, 10));
    MSG message;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
    {
    }
    EXPECT_TRUE(window.windowClosed(&window));
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));

    CApplication::setMainWindow(static_cast<IWindow*>(&window));
    EXPECT_TRUE(window.windowClosed(&window));
    CApplication::setMainWindow(nullptr);
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(CWindowDestruction, aParentDestroyedFirstLeavesTheChildWithoutAHandle)
{
    auto parent = std::make_unique<CWindow>(CRect(0, 0, 300, 200));
    CWindowAttributes parentAttributes = hiddenAttributes("LifecycleParent");
    parent->intialiseWindow(&parentAttributes, false);
    CWindow child(CRect(10, 10, 100, 80));
    CRecordingWindowListener listener;
    child.setWindowChangeListener(&listener);
    child.setParentWindow(parent.get());
    CWindowAttributes childAttributes = hiddenAttributes("LifecycleChild");
    childAttributes.setWindowStyles(static_cast<long>(WS_CHILD | WS_VISIBLE), 0);
    child.intialiseWindow(&childAttributes, false);
    HWND childHandle = *child.getWindowHandle();
    ASSERT_NE(nullptr, childHandle);
    EXPECT_EQ(*parent->getWindowHandle(), GetParent(childHandle));

    // As a host closing its own window.
    DestroyWindow(*parent->getWindowHandle());
    EXPECT_FALSE(IsWindow(childHandle));
    EXPECT_EQ(nullptr, *child.getWindowHandle());
    EXPECT_FALSE(child.isCreated());
    EXPECT_EQ(nullptr, *parent->getWindowHandle());
    EXPECT_FALSE(parent->isCreated());

    listener.calls.clear();
    child.redrawWindow();
    child.setWindowSize(CDimension(50, 50));
    child.setWindowPosition(CPoint(1, 1));
    child.hideWindow();
    child.closeWindow();
    child.destroyWindow();
    EXPECT_TRUE(listener.calls.empty());
    EXPECT_EQ(80, child.getWindowSize().getHeight());
    parent.reset();
}

TEST(CWindowDestruction, deletingAWindowDestroysItsNativeWindow)
{
    auto window = std::make_unique<CWindow>(CRect(0, 0, 100, 100));
    CWindowAttributes attributes = hiddenAttributes("LifecycleDelete");
    window->intialiseWindow(&attributes, false);
    HWND handle = *window->getWindowHandle();
    window.reset();
    EXPECT_FALSE(IsWindow(handle));
}

TEST(CWindowDestruction, aWindowStandingForSomeoneElsesWindowNeverChangesOrDestroysIt)
{
    CHostWindow host;
    RECT before = {};
    GetWindowRect(host.handle(), &before);
    {
        CForeignWindow wrapper(host.handle());
        wrapper.setWindowSize(CDimension(20, 20));
        wrapper.setWindowPosition(CPoint(50, 50));
        wrapper.setWindowAlpha(0.2);
        wrapper.closeWindow();
        wrapper.destroyWindow();
        EXPECT_EQ(host.handle(), *wrapper.getWindowHandle());
    }
    EXPECT_TRUE(IsWindow(host.handle()));
    RECT after = {};
    GetWindowRect(host.handle(), &after);
    EXPECT_EQ(rectText(before), rectText(after));
}

TEST(CWindowWithoutNativeWindow, operationsBeforeCreationTouchNothingAndTellNobody)
{
    CWindow window(CRect(5, 6, 70, 80));
    CRecordingWindowListener listener;
    window.setWindowChangeListener(&listener);
    window.openWindow();
    window.hideWindow();
    window.updateWindow();
    window.enableWindow();
    window.disableWindow();
    window.redrawWindow();
    window.redrawWindowArea(CRect(0, 0, 5, 5));
    window.setWindowPosition(CPoint(1, 2));
    window.setWindowSize(CDimension(3, 4));
    window.setWindowArea(CRect(1, 2, 3, 4));
    window.setWindowAlpha(0.25);
    window.trackMouseLeave();
    window.closeWindow();
    window.destroyWindow();
    EXPECT_TRUE(listener.calls.empty());
    EXPECT_EQ(CRect(5, 6, 70, 80), window.getWindowArea());
    EXPECT_DOUBLE_EQ(1.0, window.getWindowAttributes()->getAlpha());
    EXPECT_EQ(nullptr, *window.getWindowHandle());
}

TEST(CWindowGeometry, movingAndSizingMoveTheNativeWindowAndTellTheListener)
{
    CWindow window(CRect(0, 0, 100, 100));
    CRecordingWindowListener listener;
    CWindowAttributes attributes = hiddenAttributes("LifecycleGeometry");
    window.intialiseWindow(&attributes, false);
    window.setWindowChangeListener(&listener);
    HWND handle = *window.getWindowHandle();

    window.setWindowPosition(CPoint(40, 30));
    RECT rect = {};
    GetWindowRect(handle, &rect);
    EXPECT_EQ("40,30,140,130", rectText(rect));
    EXPECT_EQ("moved 40,30", listener.calls.back());
    EXPECT_EQ(static_cast<IWindow*>(&window), listener.lastWindow);

    window.setWindowSize(CDimension(150, 60));
    GetWindowRect(handle, &rect);
    EXPECT_EQ("40,30,190,90", rectText(rect));
    EXPECT_EQ("sized 150x60", listener.calls.back());

    listener.calls.clear();
    window.setWindowArea(CRect(5, 6, 70, 80));
    GetWindowRect(handle, &rect);
    EXPECT_EQ("5,6,75,86", rectText(rect));
    ASSERT_LE(2u, listener.calls.size());
    EXPECT_EQ("moved 5,6", listener.calls[listener.calls.size() - 2]);
    EXPECT_EQ("sized 70x80", listener.calls.back());
    EXPECT_EQ(CRect(5, 6, 70, 80), window.getWindowArea());
}

TEST(CWindowGeometry, moveAndSizeMessagesKeepPositionSizeAndAreaInStepAndPositionsAreSigned)
{
    CWindow window(CRect(0, 0, 100, 100));
    CRecordingWindowListener listener;
    CWindowAttributes attributes = hiddenAttributes("LifecycleMessages");
    window.intialiseWindow(&attributes, false);
    window.setWindowChangeListener(&listener);
    HWND handle = *window.getWindowHandle();

    SendMessageA(handle, WM_MOVE, 0, packedPosition(-12, 34));
    EXPECT_EQ("-12,34", positionText(window.getWindowPosition()));
    EXPECT_EQ("moved -12,34", listener.calls.back());
    SendMessageA(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(210, 97));
    EXPECT_EQ("sized 210x97", listener.calls.back());
    EXPECT_EQ(CRect(-12, 34, 210, 97), window.getWindowArea());
}

TEST(CWindowRedraw, redrawingTheWholeWindowInvalidatesItsClientAreaWhereverItStands)
{
    // As the editor: a child standing away from its parent's corner.
    CForeignWindow host(sharedVisibleHost());
    CWindow window(CRect(50, 40, 120, 90));
    window.setParentWindow(&host);
    CWindowAttributes attributes = childAttributes("LifecycleRedraw");
    window.intialiseWindow(&attributes, true);
    HWND handle = *window.getWindowHandle();
    ValidateRect(handle, nullptr);

    window.redrawWindow();
    RECT update = {};
    ASSERT_TRUE(GetUpdateRect(handle, &update, FALSE));
    EXPECT_EQ("0,0,120,90", rectText(update));

    ValidateRect(handle, nullptr);
    window.redrawWindowArea(CRect(10, 20, 30, 40));
    ASSERT_TRUE(GetUpdateRect(handle, &update, FALSE));
    EXPECT_EQ("10,20,40,60", rectText(update));
    ValidateRect(handle, nullptr);
}

TEST(CWindowAlpha, aLayeredWindowTakesTheAlphaHeldToTheRangeOfAByte)
{
    CWindow window(CRect(0, 0, 60, 60));
    CWindowAttributes attributes = hiddenAttributes("LifecycleAlpha");
    attributes.setStylePreset(3);
    attributes.setAlpha(0.5);
    window.intialiseWindow(&attributes, false);
    HWND handle = *window.getWindowHandle();
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(handle, nullptr, &alpha, &flags));
    EXPECT_EQ(127, alpha);
    EXPECT_EQ(static_cast<DWORD>(LWA_ALPHA), flags & LWA_ALPHA);

    window.setWindowAlpha(1.5);
    ASSERT_TRUE(GetLayeredWindowAttributes(handle, nullptr, &alpha, &flags));
    EXPECT_EQ(255, alpha);
    EXPECT_DOUBLE_EQ(1.5, window.getWindowAttributes()->getAlpha());
    window.setWindowAlpha(-0.5);
    ASSERT_TRUE(GetLayeredWindowAttributes(handle, nullptr, &alpha, &flags));
    EXPECT_EQ(0, alpha);
}

TEST(CWindowFocus, gainingAndLosingTheFocusTellTheFocusListener)
{
    CWindow window(CRect(0, 0, 60, 60));
    CRecordingWindowListener listener;
    window.setFocusListener(&listener);
    CWindowAttributes attributes = hiddenAttributes("LifecycleFocus");
    window.intialiseWindow(&attributes, false);
    SendMessageA(*window.getWindowHandle(), WM_SETFOCUS, 0, 0);
    SendMessageA(*window.getWindowHandle(), WM_KILLFOCUS, 0, 0);
    ASSERT_EQ(2u, listener.calls.size());
    EXPECT_EQ("gainedFocus", listener.calls[0]);
    EXPECT_EQ("lostFocus", listener.calls[1]);
    EXPECT_EQ(static_cast<IWindow*>(&window), listener.lastWindow);
}

TEST(CWindowToolTip, theToolTipValueReadsBackThroughBothGetters)
{
    CWindow window(CRect(0, 0, 10, 10));
    EXPECT_EQ(0, window.getToolTipValue());
    window.setToolTipValue(42);
    EXPECT_EQ(42, window.getToolTipValue());
    EXPECT_EQ(42, window.getToolTipValueAgain());
}

TEST(CWindowMessages, eraseAndTimerMessagesAreAnsweredWithoutTheDefault)
{
    CWindow window(CRect(0, 0, 40, 40));
    CWindowAttributes attributes = hiddenAttributes("LifecycleErase");
    window.intialiseWindow(&attributes, false);
    HWND handle = *window.getWindowHandle();
    HDC dc = GetDC(handle);
    EXPECT_EQ(1, SendMessageA(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0));
    ReleaseDC(handle, dc);
    EXPECT_EQ(0, SendMessageA(handle, WM_TIMER, 99, 0));
}

// A derived window answers its own message and hands every other one to the framework window's handler.
class CAnsweringWindow : public CWindow
{
public:
    CAnsweringWindow() : CWindow(CRect(0, 0, 40, 40)) {}
    std::intptr_t handleWindowEvents(HWND__* window, unsigned int message, std::uintptr_t wParam,
                                     std::intptr_t lParam) override
    {
        return message == WM_USER ? 42 : CWindow::handleWindowEvents(window, message, wParam, lParam);
    }
};

TEST(CWindowMessages, theHandlerAnswersThroughTheInterfaceAndLeavesTheRestToTheDefault)
{
    CAnsweringWindow derived;
    IWindow& window = derived;
    CWindowAttributes attributes = hiddenAttributes("LifecycleAnswering");
    window.intialiseWindow(&attributes, false);
    HWND handle = *window.getWindowHandle();
    EXPECT_EQ(42, SendMessageA(handle, WM_USER, 0, 0));
    EXPECT_EQ(1, window.handleWindowEvents(handle, WM_ERASEBKGND, 0, 0));
    // Only the default handling answers the title's length.
    EXPECT_EQ(18, window.handleWindowEvents(handle, WM_GETTEXTLENGTH, 0, 0));
    window.updateMousePosition(packedPosition(-3, 9));
    EXPECT_EQ("-3,9", positionText(window.getMousePointer().getPosition()));
}
} // namespace
