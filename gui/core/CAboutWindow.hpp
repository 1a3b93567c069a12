// The about window: a borderless picture, centred on the screen, that the editor shows from its information
// button and that hides itself again on a click or when it loses the focus.
#pragma once

#include "gui/core/CControlRoot.hpp"
#include "gui/core/CWindow.hpp"

namespace Brivant
{
namespace Basics
{
class CSystemString;
}

namespace GUI
{
namespace Graphics
{
class IImage;
}

namespace Windowing
{
class CAboutWindow : public CWindow
{
public:
    // Draws the picture and hides its window on a press of the left button.
    class CAboutRoot : public Controls::CControlRoot
    {
    public:
        explicit CAboutRoot(IWindow* parent);
        void handleLeftButtonDown(Events::CMouseEvent& event) override;
    };

    // The picture folder \ fileName, loaded by its extension. With it, the window is made at once, hidden,
    // layered with the alpha, at the picture's size in the middle of the screen; without it no window is
    // ever made.
    CAboutWindow(const ::Brivant::Basics::CSystemString& folder, const ::Brivant::Basics::CString& fileName,
                 double alpha);
    // The picture registered in the image manager as "AboutWindow".
    explicit CAboutWindow(double alpha);
    ~CAboutWindow() override;

    static ::Brivant::Basics::CClass& classRecord();
    const ::Brivant::Basics::CClass& getClass() const override;

    // Ignored without the picture, so that no empty window appears.
    void intialiseWindow(CWindowAttributes* attributes, bool showWindow) override;
    void lostFocus(IWindow* window) override;

private:
    // Takes the picture when it loaded and makes the hidden window for it; a picture it cannot use goes.
    void createForPicture(CAboutRoot& root, Graphics::IImage* picture, double alpha);

    bool m_hasPicture;
    ::Brivant::Basics::TInstanceCount<CAboutWindow> m_instanceCount;
};
} // namespace Windowing
} // namespace GUI
} // namespace Brivant
