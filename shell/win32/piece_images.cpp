#include "shell/win32/piece_images.h"

#include "board/piece_table.h"
#include "shell/texts.h"
#include "shell/win32/scoped_win.h"

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
// The work bitmap and every selection are undone before it returns.
void ComposePiece(HDC windowDc, HDC source, HDC work, HBITMAP image, HBITMAP mask, int x, int y) {
    const PieceSize size = BitmapSize(image);
    const ScopedGdiObject<HBITMAP> canvas(
        CreateCompatibleBitmap(windowDc, size.width, size.height));
    const ScopedSelection workOnCanvas(work, canvas);
    BitBlt(work, 0, 0, size.width, size.height, windowDc, x, y, SRCCOPY);
    {
        const ScopedSelection sourceMask(source, mask);
        BitBlt(work, 0, 0, size.width, size.height, source, 0, 0, SRCAND);
    }
    {
        const ScopedSelection sourceImage(source, image);
        BitBlt(work, 0, 0, size.width, size.height, source, 0, 0, SRCINVERT);
    }
    BitBlt(windowDc, x, y, size.width, size.height, work, 0, 0, SRCCOPY);
}

}  // namespace

PieceSize GetPieceSize(char letter) {
    PieceImageIds ids{};
    if (!FindPieceImage(letter, ids)) {
        MessageBoxA(nullptr, "GetPieceSize error", CAPTION_ERROR, MB_OK);
        return PieceSize{0, 0};
    }
    const ScopedGdiObject<HBITMAP> mask(LoadPieceBitmap(ids.mask));
    return BitmapSize(mask);
}

// Everything made here is released before it returns, the error path included.
void DrawPiece(HWND window, char letter, int x, int y) {
    const ScopedWindowDc windowDc(window);
    const ScopedMemoryDc source(windowDc);
    const ScopedMemoryDc work(windowDc);
    PieceImageIds ids{};
    if (!FindPieceImage(letter, ids)) {
        MessageBoxA(nullptr, "Draw piece error", CAPTION_ERROR, MB_OK);
        return;
    }
    const ScopedGdiObject<HBITMAP> image(LoadPieceBitmap(ids.image));
    const ScopedGdiObject<HBITMAP> mask(LoadPieceBitmap(ids.mask));
    // A bitmap that cannot be loaded draws nothing rather than garbage.
    if (image && mask) ComposePiece(windowDc, source, work, image, mask, x, y);
}
