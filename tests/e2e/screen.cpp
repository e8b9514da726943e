#include "screen.h"

#include <algorithm>
#include <fstream>

#include "check.h"

Image Image::Crop(const RECT& area) const {
    Image part;
    part.width = area.right - area.left;
    part.height = area.bottom - area.top;
    for (int y = area.top; y < area.bottom; ++y) {
        const auto row = pixels.begin() + static_cast<ptrdiff_t>(y) * width;
        part.pixels.insert(part.pixels.end(), row + area.left, row + area.right);
    }
    return part;
}

Canvas::Canvas(int w, int h) : width(w), height(h) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};  // top-down
    HDC screen = GetDC(nullptr);
    dc = CreateCompatibleDC(screen);
    void* memory = nullptr;
    bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
    bits = static_cast<uint32_t*>(memory);
    previous = SelectObject(dc, bitmap);
    ReleaseDC(nullptr, screen);
}

Canvas::~Canvas() {
    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

Image Canvas::Pixels() const {
    GdiFlush();
    Image image{width, height, std::vector<uint32_t>(bits, bits + width * height)};
    for (uint32_t& pixel : image.pixels) pixel &= 0xFFFFFF;
    return image;
}

Image CaptureScreen(const RECT& area) {
    Canvas canvas(std::max(1L, area.right - area.left), std::max(1L, area.bottom - area.top));
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.dc, 0, 0, canvas.width, canvas.height, screen, area.left, area.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
    return canvas.Pixels();
}

namespace {

RECT OnScreen(HWND window, const RECT& area) {
    POINT corner{area.left, area.top};
    ClientToScreen(window, &corner);
    return RECT{corner.x, corner.y, corner.x + area.right - area.left,
                corner.y + area.bottom - area.top};
}

}  // namespace

Image CaptureClient(HWND window, RECT area) {
    if (IsRectEmpty(&area)) GetClientRect(window, &area);
    return CaptureScreen(OnScreen(window, area));
}

bool PaintOver(HWND window, const RECT& area, uint32_t rgb) {
    const RECT target = OnScreen(window, area);
    const RECT corner{area.left, area.top, area.left + 1, area.top + 1};
    return WaitUntil([&] {
        HDC screen = GetDC(nullptr);
        HBRUSH brush = CreateSolidBrush(RGB(rgb >> 16, rgb >> 8 & 0xFF, rgb & 0xFF));
        FillRect(screen, &target, brush);
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
