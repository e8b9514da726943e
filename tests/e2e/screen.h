// What the user sees: pixels read from the screen, compared and saved.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A rectangle of pixels as COLORREF values (0x00BBGGRR), row by row from the top.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;

    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    void Set(int x, int y, COLORREF colour) { pixels[static_cast<size_t>(y) * width + x] = colour; }
    Image Crop(const RECT& area) const;
    bool operator==(const Image& other) const {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
    bool operator!=(const Image& other) const { return !(*this == other); }
};

// The pixels of a rectangle of the screen.
Image CaptureScreen(const RECT& screenArea);

// The pixels of a rectangle given in a window's client coordinates.
Image CaptureClient(HWND window, const RECT& clientArea);

// The whole client area of a window.
Image CaptureClient(HWND window);

// One pixel of a window's client area, read from the screen.
COLORREF ClientPixel(HWND window, int x, int y);

// Paints a rectangle of a window's client area in one colour, from outside,
// through the screen, until the screen shows it there (a repaint of the
// window that was still on its way may wipe it out first). False if it
// never showed.
bool PaintOver(HWND window, const RECT& clientArea, COLORREF colour);

// How many pixels of the image satisfy the test.
template <typename Test>
int CountPixels(const Image& image, Test test) {
    int count = 0;
    for (COLORREF pixel : image.pixels) count += test(pixel) ? 1 : 0;
    return count;
}

// Writes the image as a 24-bit BMP file.
bool SaveBmp(const Image& image, const std::string& path);

std::string ColourName(COLORREF colour);  // "0xBBGGRR"
