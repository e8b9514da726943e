/* Loads the artwork the way the game does and prints what Windows made of
 * it, for check_under_wine.sh to compare with what the drawing code meant:
 *
 *   bitmap ID WIDTH HEIGHT             every bitmap, sizes from GetObjectA
 *   piece ID MASK BG ROW ROW ...       the image composed over a square of
 *                                      colour BG (SRCAND mask, SRCINVERT
 *                                      image), each row as RRGGBB words
 *   cursor ID X Y                      hot spot of a loaded cursor
 *   icon ID 0|1                        whether the icon loads
 *
 * Linked with the compiled resource script; built with mingw-w64. */
#include <windows.h>
#include <stdio.h>

#include "resource_ids.h"

#define PIECE_PAIR(piece, image, mask) {image, mask},
static const int kPieces[12][2] = {PIECE_BITMAPS(PIECE_PAIR)};
static const COLORREF kSquares[2] = {RGB(0, 128, 128), RGB(255, 255, 255)};

static void compose(HINSTANCE inst, HDC screen, int image_id, int mask_id,
                    COLORREF bg) {
    HBITMAP image = LoadBitmapA(inst, MAKEINTRESOURCEA(image_id));
    HBITMAP mask = LoadBitmapA(inst, MAKEINTRESOURCEA(mask_id));
    BITMAP bm;
    if (!image || !mask || !GetObjectA(image, sizeof bm, &bm)) {
        printf("piece %d %d failed\n", image_id, mask_id);
        return;
    }
    int w = bm.bmWidth, h = bm.bmHeight;
    HDC work = CreateCompatibleDC(screen);
    HDC src = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old_work = SelectObject(work, canvas);
    HBRUSH brush = CreateSolidBrush(bg);
    RECT all = {0, 0, w, h};
    FillRect(work, &all, brush);
    HGDIOBJ old_src = SelectObject(src, mask);
    BitBlt(work, 0, 0, w, h, src, 0, 0, SRCAND);
    SelectObject(src, image);
    BitBlt(work, 0, 0, w, h, src, 0, 0, SRCINVERT);
    SelectObject(src, old_src);
    SelectObject(work, old_work);

    BITMAPINFO info;
    ZeroMemory(&info, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h; /* top row first */
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    DWORD *pixels = (DWORD *)HeapAlloc(GetProcessHeap(), 0, (SIZE_T)w * h * 4);
    GetDIBits(work, canvas, 0, (UINT)h, pixels, &info, DIB_RGB_COLORS);
    printf("piece %d %d %06lx", image_id, mask_id,
           (unsigned long)((GetRValue(bg) << 16) | (GetGValue(bg) << 8) | GetBValue(bg)));
    for (int y = 0; y < h; ++y) {
        putchar(' ');
        for (int x = 0; x < w; ++x) printf("%06lx", (unsigned long)(pixels[y * w + x] & 0xFFFFFF));
    }
    putchar('\n');
    HeapFree(GetProcessHeap(), 0, pixels);
    DeleteObject(brush);
    DeleteObject(canvas);
    DeleteDC(src);
    DeleteDC(work);
    DeleteObject(image);
    DeleteObject(mask);
}

int main(void) {
    HINSTANCE inst = GetModuleHandleA(NULL);
    HDC screen = GetDC(NULL);
    for (int id = IDB_FIRST_PIECE; id <= IDB_LAST_PIECE; ++id) {
        HBITMAP b = LoadBitmapA(inst, MAKEINTRESOURCEA(id));
        BITMAP bm;
        if (b && GetObjectA(b, sizeof bm, &bm))
            printf("bitmap %d %d %d\n", id, (int)bm.bmWidth, (int)bm.bmHeight);
        else
            printf("bitmap %d failed\n", id);
        if (b) DeleteObject(b);
    }
    for (int i = 0; i < 12; ++i)
        for (int s = 0; s < 2; ++s) compose(inst, screen, kPieces[i][0], kPieces[i][1], kSquares[s]);
    for (int id = IDC_POINTER; id <= IDC_GRAB; ++id) {
        HCURSOR c = LoadCursorA(inst, MAKEINTRESOURCEA(id));
        ICONINFO ii;
        if (c && GetIconInfo(c, &ii)) {
            printf("cursor %d %lu %lu\n", id, ii.xHotspot, ii.yHotspot);
            DeleteObject(ii.hbmMask);
            if (ii.hbmColor) DeleteObject(ii.hbmColor);
        } else {
            printf("cursor %d failed\n", id);
        }
    }
    printf("icon %d %d\n", IDI_QUILLMATE, LoadIconA(inst, MAKEINTRESOURCEA(IDI_QUILLMATE)) != NULL);
    ReleaseDC(NULL, screen);
    return 0;
}
