#include "gui/core/CAboutWindow.hpp"

#include "foundation/basics/CSystemString.hpp"
#include "foundation/exceptions/CException.hpp"
#include "foundation/host/CDisplayInformation.hpp"
#include "foundation/host/CTrace.hpp"
#include "gui/core/CImageManager.hpp"
#include "gui/core/CWindowAttributes.hpp"
#include "gui/core/IImage.hpp"

#include <windows.h>

namespace Brivant
{
namespace GUI
{
namespace Windowing
{
using ::Brivant::Basics::CClass;
using ::Brivant::Basics::CString;
using ::Brivant::Basics::CSystemString;
using ::Brivant::Exceptions::CException;
using ::Brivant::MathTools::CDimension;
using ::Brivant::MathTools::CRect;
using Graphics::CImageManager;
using Graphics::IImage;

namespace
{
[[maybe_unused]] const CClass& s_record = CAboutWindow::classRecord();

const char kRegisteredPictureName[] = "AboutWindow";
} // namespace

CAboutWindow::CAboutRoot::CAboutRoot(IWindow* parent) : Controls::CControlRoot(parent) {}

void CAboutWindow::CAboutRoot::handleLeftButtonDown(Events::CMouseEvent& /*event*/)
{
    if (IWindow* window = getParentWindow())
        window->hideWindow();
}

CClass& CAboutWindow::classRecord()
{
    static CClass record("CAboutWindow", "CWindow");
    return record;
}

const CClass& CAboutWindow::getClass() const { return classRecord(); }

CAboutWindow::CAboutWindow(const CSystemString& folder, const CString& fileName, double alpha)
    : CWindow(CRect(0, 0, 100, 100)), m_hasPicture(false)
{
    auto* root = new CAboutRoot(this);
    setControlRoot(root);
    createForPicture(*root, CImageManager::createImage(folder, fileName), alpha);
}

CAboutWindow::CAboutWindow(double alpha) : CWindow(CRect(0, 0, 100, 100)), m_hasPicture(false)
{
    auto* root = new CAboutRoot(this);
    setControlRoot(root);
    createForPicture(*root, CImageManager::getImage(CString(kRegisteredPictureName)), alpha);
}

CAboutWindow::~CAboutWindow() = default;

void CAboutWindow::createForPicture(CAboutRoot& root, IImage* picture, double alpha)
{
    if (picture == nullptr)
        return;
    // Held for the check, so that a picture nobody else holds goes when it is of no use.
    picture->referenced();
    if (picture->hasImageLoaded())
    {
        root.setBackgroundImage(picture);
        m_hasPicture = true;
    }
    picture->dereference();
    if (!m_hasPicture)
        return;

    CWindowAttributes attributes(*getWindowAttributes());
    attributes.setWindowStyles(static_cast<long>(WS_POPUP),
                               static_cast<long>(WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOPMOST));
    attributes.setAlpha(alpha);
    try
    {
        CWindow::intialiseWindow(&attributes, false);
    }
    catch (const CException& failure)
    {
        // The effect is built with its editor: an about box the system will not make must not stop it loading.
        Host::CTrace::trace("CAboutWindow: no window for the picture: %s", failure.getErrorReason().getString());
        m_hasPicture = false;
        return;
    }
    const CDimension size = picture->getImageSize();
    const long left = Host::CDisplayInformation::getScreenWidth() / 2 - size.getWidth() / 2;
    const long top = Host::CDisplayInformation::getScreenHeight() / 2 - size.getHeight() / 2;
    setWindowArea(CRect(left, top, size.getWidth(), size.getHeight()));
}

void CAboutWindow::intialiseWindow(CWindowAttributes* attributes, bool showWindow)
{
    if (m_hasPicture)
        CWindow::intialiseWindow(attributes, showWindow);
}

void CAboutWindow::lostFocus(IWindow* /*window*/) { hideWindow(); }
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
