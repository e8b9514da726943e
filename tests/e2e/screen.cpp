#include <algorithm>
#include <fstream>

#include "driver.h"

bool WaitUntil(const std::function<bool()>& ready, int timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    while (GetTickCount64() < deadline) {
        if (ready()) return true;
        Sleep(1);
    }
    return ready();
}

Image Image::Crop(const RECT& area) const {
    Image part{area.right - area.left, area.bottom - area.top, {}};
    for (int y = area.top; y < area.bottom; ++y) {
        const auto row = pixels.begin() + static_cast<ptrdiff_t>(y) * width;
        part.pixels.insert(part.pixels.end(), row + area.left, row + area.right);
    }
    return part;
}

Image Draw(int width, int height, const std::function<void(HDC)>& draw) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(dc, bitmap);
    draw(dc);
    GdiFlush();
    const auto* first = static_cast<const uint32_t*>(bits);
    Image image{width, height, std::vector<uint32_t>(first, first + width * height)};
    for (uint32_t& pixel : image.pixels) pixel &= 0xFFFFFF;
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return image;
}

Image CaptureScreen(const RECT& area) {
    return Draw(std::max(1L, area.right - area.left), std::max(1L, area.bottom - area.top),
                [&](HDC dc) {
                    HDC screen = GetDC(nullptr);
                    BitBlt(dc, 0, 0, area.right - area.left, area.bottom - area.top, screen,
                           area.left, area.top, SRCCOPY);
                    ReleaseDC(nullptr, screen);
                });
}

Image CaptureClient(HWND window, RECT area) {
    if (IsRectEmpty(&area)) GetClientRect(window, &area);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    return CaptureScreen(area);
}

bool PaintOver(HWND window, RECT area, uint32_t rgb) {
    const RECT corner{area.left, area.top, area.left + 1, area.top + 1};
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&area), 2);
    return WaitUntil([&] {
        HDC screen = GetDC(nullptr);
        HBRUSH brush = CreateSolidBrush(RGB(rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF));
        FillRect(screen, &area, brush);
        DeleteObject(brush);
        ReleaseDC(nullptr, screen);
        return WaitUntil([&] { return CaptureClient(window, corner).pixels[0] == rgb; }, 100);
    });
}

int CountPixels(const Image& image, uint32_t rgb) {
    return static_cast<int>(std::count(image.pixels.begin(), image.pixels.end(), rgb));
}

bool SaveBmp(const Image& image, const std::string& path) {
    const DWORD bytes = static_cast<DWORD>(image.pixels.size() * 4);
    const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    const BITMAPFILEHEADER file{0x4D42, offset + bytes, 0, 0, offset};
    const BITMAPINFOHEADER info{
        sizeof info, image.width, -image.height, 1, 32, BI_RGB, bytes, 0, 0, 0, 0};
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(image.pixels.data()), bytes);
    return static_cast<bool>(out);
}
