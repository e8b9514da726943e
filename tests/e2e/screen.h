// Pixels as the user sees them: rectangles read from the screen or drawn in
// memory, compared, and saved as BMP files.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Pixels as 0x00RRGGBB, row by row from the top.
struct Image {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;

    Image Crop(const RECT& area) const;
    bool operator==(const Image& other) const {
        return width == other.width && pixels == other.pixels;
    }
    bool operator!=(const Image& other) const { return !(*this == other); }
};

constexpr uint32_t Rgb(COLORREF colour) {
    return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

// A 32-bit surface to draw on whose pixels can be read back.
struct Canvas {
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    Image Pixels() const;

    int width, height;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    uint32_t* bits = nullptr;
};

Image CaptureScreen(const RECT& area);
// A rectangle in the window's client coordinates; the whole client area by default.
Image CaptureClient(HWND window, RECT area = RECT{});

// Paints a rectangle of a window's client area through the screen, from
// outside, until the screen shows it (a repaint on its way may wipe it first).
bool PaintOver(HWND window, const RECT& area, uint32_t rgb);

int CountPixels(const Image& image, uint32_t rgb);
bool SaveBmp(const Image& image, const std::string& path);
