#include "game_art.h"

#include <cstdint>

#include "board_geometry.h"

namespace {

struct PieceBitmaps {
    char piece;
    int image;
    int mask;
};

// The game's bitmap resources: an image per piece, a mask per kind.
constexpr PieceBitmaps BITMAPS[] = {
    {'K', 105, 117}, {'Q', 103, 115}, {'R', 102, 108}, {'B', 106, 101},
    {'N', 104, 116}, {'P', 118, 107}, {'k', 113, 117}, {'q', 111, 115},
    {'r', 110, 108}, {'b', 114, 101}, {'n', 112, 116}, {'p', 109, 107},
};

const PieceBitmaps* FindBitmaps(char piece) {
    for (const PieceBitmaps& entry : BITMAPS)
        if (entry.piece == piece) return &entry;
    return nullptr;
}

constexpr int ICON_ID = 146;

// A square surface of the screen's format whose pixels can be read back.
struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
    uint32_t* bits = nullptr;
    int size;

    explicit Canvas(int side) : size(side) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = side;
        info.bmiHeader.biHeight = -side;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        void* memory = nullptr;
        bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
        bits = static_cast<uint32_t*>(memory);
        previous = SelectObject(dc, bitmap);
        ReleaseDC(nullptr, screen);
    }
    ~Canvas() {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void Fill(COLORREF colour) {
        HBRUSH brush = CreateSolidBrush(colour);
        const RECT whole{0, 0, size, size};
        FillRect(dc, &whole, brush);
        DeleteObject(brush);
    }

    Image Pixels() const {
        GdiFlush();
        Image result;
        result.width = result.height = size;
        result.pixels.resize(static_cast<size_t>(size) * size);
        for (size_t i = 0; i < result.pixels.size(); ++i) {
            const uint32_t bgra = bits[i];
            result.pixels[i] = RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
        }
        return result;
    }
};

// dst = (dst AND mask) XOR image at (x, y).
void Compose(HDC target, HBITMAP image, HBITMAP mask, int x, int y) {
    BITMAP size{};
    GetObjectA(image, sizeof size, &size);
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ previous = SelectObject(source, mask);
    BitBlt(target, x, y, size.bmWidth, size.bmHeight, source, 0, 0, SRCAND);
    SelectObject(source, image);
    BitBlt(target, x, y, size.bmWidth, size.bmHeight, source, 0, 0, SRCINVERT);
    SelectObject(source, previous);
    DeleteDC(source);
}

}  // namespace

RECT RestingArea(int imageHeight) {
    const LONG left = (SQUARE_SIZE - PIECE_WIDTH) / 2, top = 35 - imageHeight;
    return RECT{left, top, left + PIECE_WIDTH, 35};
}

GameArt::~GameArt() {
    if (module_) FreeLibrary(module_);
}

bool GameArt::Load(const std::string& exePath, std::string& error) {
    module_ = LoadLibraryExA(exePath.c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module_) {
        error = "cannot open " + exePath + " for its bitmaps (error " +
                std::to_string(GetLastError()) + ")";
        return false;
    }
    for (const PieceBitmaps& entry : BITMAPS) {
        if (ImageHeight(entry.piece) <= 0) {
            error = "the game has no bitmap " + std::to_string(entry.image);
            return false;
        }
    }
    return true;
}

int GameArt::ImageHeight(char piece) const {
    const PieceBitmaps* entry = FindBitmaps(piece);
    if (!entry) return 0;
    HBITMAP image = LoadBitmapA(module_, MAKEINTRESOURCEA(entry->image));
    if (!image) return 0;
    BITMAP size{};
    GetObjectA(image, sizeof size, &size);
    DeleteObject(image);
    return size.bmHeight;
}

Image GameArt::RenderSquare(Square square, char piece) const {
    Canvas canvas(SQUARE_SIZE);
    canvas.Fill(SquareColour(square));
    if (const PieceBitmaps* entry = FindBitmaps(piece)) {
        HBITMAP image = LoadBitmapA(module_, MAKEINTRESOURCEA(entry->image));
        HBITMAP mask = LoadBitmapA(module_, MAKEINTRESOURCEA(entry->mask));
        const RECT rest = RestingArea(ImageHeight(piece));
        Compose(canvas.dc, image, mask, rest.left, rest.top);
        DeleteObject(image);
        DeleteObject(mask);
    }
    return canvas.Pixels();
}

Image GameArt::RenderIcon(int size, COLORREF background) const {
    Canvas canvas(size);
    canvas.Fill(background);
    HANDLE icon = LoadImageA(module_, MAKEINTRESOURCEA(ICON_ID), IMAGE_ICON, size, size, 0);
    if (!icon) return Image{};
    DrawIconEx(canvas.dc, 0, 0, static_cast<HICON>(icon), size, size, 0, nullptr, DI_NORMAL);
    DestroyIcon(static_cast<HICON>(icon));
    return canvas.Pixels();
}
