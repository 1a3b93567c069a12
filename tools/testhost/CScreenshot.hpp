// Saves what a window shows in its client area, child windows included, as a PNG file.
#pragma once

#include <string>

struct HWND__;

class CScreenshot
{
public:
    CScreenshot() = delete;

    // Copies the client area from the window's own device context into a bitmap and encodes it with GDI+'s PNG
    // encoder. False with a message when the window has no area, GDI+ has no PNG encoder or the file cannot be
    // written.
    static bool saveClientArea(HWND__* window, const std::string& path, std::string& error);
};
