#include "board/piece_images.h"

#include "board/piece_table.h"
#include "shell/texts.h"

namespace {

HBITMAP LoadPieceBitmap(int id) {
    return LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
}

// The bitmap's size; (0, 0) when there is no bitmap to measure.
PieceSize BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || GetObjectA(bitmap, sizeof info, &info) == 0) return PieceSize{0, 0};
    return PieceSize{info.bmWidth, info.bmHeight};
}

// dst = (dst AND mask) XOR image, at (x, y): the mask blackens the piece's
// outline, the image fills it, and the image's black outside changes nothing.
void ComposePiece(HDC windowDc, HDC source, HDC work, HBITMAP image, HBITMAP mask, int x, int y) {
    const PieceSize size = BitmapSize(image);
    HBITMAP canvas = CreateCompatibleBitmap(windowDc, size.width, size.height);
    HGDIOBJ oldWork = SelectObject(work, canvas);
    BitBlt(work, 0, 0, size.width, size.height, windowDc, x, y, SRCCOPY);
    HGDIOBJ oldSource = SelectObject(source, mask);
    BitBlt(work, 0, 0, size.width, size.height, source, 0, 0, SRCAND);
    SelectObject(source, image);
    BitBlt(work, 0, 0, size.width, size.height, source, 0, 0, SRCINVERT);
    BitBlt(windowDc, x, y, size.width, size.height, work, 0, 0, SRCCOPY);
    SelectObject(source, oldSource);
    SelectObject(work, oldWork);
    DeleteObject(canvas);
}

}  // namespace

PieceSize GetPieceSize(char letter) {
    PieceImageIds ids{};
    if (!FindPieceImage(letter, ids)) {
        MessageBoxA(nullptr, "GetPieceSize error", CAPTION_ERROR, MB_OK);
        return PieceSize{0, 0};
    }
    HBITMAP mask = LoadPieceBitmap(ids.mask);
    const PieceSize size = BitmapSize(mask);
    if (mask) DeleteObject(mask);
    return size;
}

void DrawPiece(HWND window, char letter, int x, int y) {
    HDC windowDc = GetDC(window);
    HDC source = CreateCompatibleDC(windowDc);
    HDC work = CreateCompatibleDC(windowDc);
    PieceImageIds ids{};
    if (!FindPieceImage(letter, ids)) {
        MessageBoxA(nullptr, "Draw piece error", CAPTION_ERROR, MB_OK);
    } else {
        HBITMAP image = LoadPieceBitmap(ids.image);
        HBITMAP mask = LoadPieceBitmap(ids.mask);
        // A bitmap that cannot be loaded draws nothing rather than garbage.
        if (image && mask) ComposePiece(windowDc, source, work, image, mask, x, y);
        if (image) DeleteObject(image);
        if (mask) DeleteObject(mask);
    }
    DeleteDC(work);
    DeleteDC(source);
    ReleaseDC(window, windowDc);
}
