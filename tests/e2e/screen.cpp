#include "screen.h"

#include <cstdint>
#include <cstdio>
#include <fstream>

#include "poll.h"

Image Image::Crop(const RECT& area) const {
    Image part;
    part.width = area.right - area.left;
    part.height = area.bottom - area.top;
    part.pixels.reserve(static_cast<size_t>(part.width) * part.height);
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) part.pixels.push_back(At(x, y));
    return part;
}

Image CaptureScreen(const RECT& screenArea) {
    Image image;
    image.width = screenArea.right - screenArea.left;
    image.height = screenArea.bottom - screenArea.top;
    if (image.width <= 0 || image.height <= 0) return Image{};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, image.width, image.height, screen, screenArea.left, screenArea.top,
           SRCCOPY);
    GdiFlush();
    const auto* row = static_cast<const uint32_t*>(bits);
    image.pixels.resize(static_cast<size_t>(image.width) * image.height);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const uint32_t bgra = row[i];  // 0xAARRGGBB in memory order B, G, R, A
        image.pixels[i] = RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
    }
    SelectObject(memory, previous);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

Image CaptureClient(HWND window, const RECT& clientArea) {
    POINT topLeft{clientArea.left, clientArea.top};
    ClientToScreen(window, &topLeft);
    const RECT onScreen{topLeft.x, topLeft.y, topLeft.x + (clientArea.right - clientArea.left),
                        topLeft.y + (clientArea.bottom - clientArea.top)};
    return CaptureScreen(onScreen);
}

Image CaptureClient(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return CaptureClient(window, client);
}

COLORREF ClientPixel(HWND window, int x, int y) {
    const Image one = CaptureClient(window, RECT{x, y, x + 1, y + 1});
    return one.pixels.empty() ? CLR_INVALID : one.pixels[0];
}

bool PaintOver(HWND window, const RECT& clientArea, COLORREF colour) {
    POINT corner{clientArea.left, clientArea.top};
    ClientToScreen(window, &corner);
    const RECT onScreen{corner.x, corner.y, corner.x + (clientArea.right - clientArea.left),
                        corner.y + (clientArea.bottom - clientArea.top)};
    return WaitUntil([&] {
        HDC screen = GetDC(nullptr);
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(screen, &onScreen, brush);
        DeleteObject(brush);
        ReleaseDC(nullptr, screen);
        return WaitUntil(
            [&] { return ClientPixel(window, clientArea.left, clientArea.top) == colour; }, 100);
    });
}

namespace {

void PutLe(std::vector<unsigned char>& out, uint32_t value, int bytes) {
    for (int k = 0; k < bytes; ++k) out.push_back(static_cast<unsigned char>(value >> (8 * k)));
}

}  // namespace

bool SaveBmp(const Image& image, const std::string& path) {
    const uint32_t rowBytes = (static_cast<uint32_t>(image.width) * 3 + 3) & ~3u;
    const uint32_t dataBytes = rowBytes * static_cast<uint32_t>(image.height);
    std::vector<unsigned char> file;
    file.reserve(54 + dataBytes);
    file.push_back('B');
    file.push_back('M');
    PutLe(file, 54 + dataBytes, 4);  // file size
    PutLe(file, 0, 4);               // reserved
    PutLe(file, 54, 4);              // offset of the pixels
    PutLe(file, 40, 4);              // BITMAPINFOHEADER
    PutLe(file, static_cast<uint32_t>(image.width), 4);
    PutLe(file, static_cast<uint32_t>(image.height), 4);  // bottom-up
    PutLe(file, 1, 2);                                    // planes
    PutLe(file, 24, 2);                                   // bits per pixel
    for (int k = 0; k < 6; ++k) PutLe(file, 0, 4);  // no compression, sizes and palette defaulted
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const COLORREF pixel = image.At(x, y);
            file.push_back(GetBValue(pixel));
            file.push_back(GetGValue(pixel));
            file.push_back(GetRValue(pixel));
        }
        for (uint32_t pad = static_cast<uint32_t>(image.width) * 3; pad < rowBytes; ++pad)
            file.push_back(0);
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}

std::string ColourName(COLORREF colour) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%06lX", static_cast<unsigned long>(colour & 0xFFFFFF));
    return text;
}
