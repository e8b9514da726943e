#include "driver.h"

#include <tuple>

#include "resources/resource_ids.h"
#include "rules/legality.h"
#include "rules/make_move.h"

namespace {

// The board window: a 20-pixel margin around eight rows of eight 40-pixel
// squares, seen from White's side; a1 is dark (teal), h1 light (white).
constexpr int SQUARE = 40, MARGIN = 20;
constexpr COLORREF DARK = RGB(0, 128, 128), LIGHT = RGB(255, 255, 255);

RECT SquareRect(int index) {
    const LONG left = MARGIN + SQUARE * (index % 8), top = MARGIN + SQUARE * (7 - index / 8);
    return RECT{left, top, left + SQUARE, top + SQUARE};
}

bool IsDark(int index) { return (index % 8 + index / 8) % 2 == 0; }

struct PieceBitmaps {
    char piece;
    int image, mask;
};
#define QUILLMATE_PIECE_ENTRY(letter, image, mask) {letter, image, mask},
constexpr PieceBitmaps PIECES[] = {PIECE_BITMAPS(QUILLMATE_PIECE_ENTRY)};

// A square of the given colour with the piece at rest on it: centred across
// the square, its bottom 5 pixels above the square's, composed through its
// mask (AND) and image (XOR) as the board composes it.
Image RenderSquare(HMODULE module, const PieceBitmaps* piece, bool dark) {
    return Draw(SQUARE, SQUARE, [&](HDC dc) {
        HBRUSH brush = CreateSolidBrush(dark ? DARK : LIGHT);
        const RECT whole{0, 0, SQUARE, SQUARE};
        FillRect(dc, &whole, brush);
        DeleteObject(brush);
        if (!piece) return;
        HBITMAP image = LoadBitmapA(module, MAKEINTRESOURCEA(piece->image));
        HBITMAP mask = LoadBitmapA(module, MAKEINTRESOURCEA(piece->mask));
        BITMAP size{};
        GetObjectA(image, sizeof size, &size);
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(source, mask);
        const int x = (SQUARE - size.bmWidth) / 2, y = SQUARE - 5 - size.bmHeight;
        BitBlt(dc, x, y, size.bmWidth, size.bmHeight, source, 0, 0, SRCAND);
        SelectObject(source, image);
        BitBlt(dc, x, y, size.bmWidth, size.bmHeight, source, 0, 0, SRCINVERT);
        SelectObject(source, previous);
        DeleteDC(source);
        DeleteObject(image);
        DeleteObject(mask);
    });
}

}  // namespace

int SquareNamed(const char* name) {
    const int file = (name[0] | 0x20) - 'a', rank = name[0] ? name[1] - '1' : -1;
    return file >= 0 && file < 8 && rank >= 0 && rank < 8 ? rank * 8 + file : 0;
}

std::string SquareName(int index) {
    return std::string{static_cast<char>('a' + index % 8), static_cast<char>('1' + index / 8)};
}

POINT SquareOnScreen(HWND board, int index) {
    const RECT rect = SquareRect(index);
    POINT centre{rect.left + SQUARE / 2, rect.top + SQUARE / 2};
    ClientToScreen(board, &centre);
    return centre;
}

std::string Placement(const char* fen) {
    std::string board(64, EMPTY_SQUARE);
    int rank = 7, file = 0;
    for (const char* c = fen; *c && rank >= 0; ++c) {
        if (*c == '/') {
            --rank, file = 0;
        } else if (*c >= '1' && *c <= '8') {
            file += *c - '0';
        } else if (file < 8) {
            board[static_cast<size_t>(rank * 8 + file++)] = *c;
        }
    }
    return board;
}

std::string PieceArt::Load(const std::string& exePath) {
    HMODULE module = LoadLibraryExA(exePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return "cannot read the bitmaps of " + exePath;
    for (bool dark : {false, true}) {
        squares_[{EMPTY_SQUARE, dark}] = RenderSquare(module, nullptr, dark);
        for (const PieceBitmaps& piece : PIECES)
            squares_[{piece.piece, dark}] = RenderSquare(module, &piece, dark);
    }
    FreeLibrary(module);
    return "";
}

std::string PieceArt::Differences(const Image& board, const std::string& placement) const {
    std::string report;
    for (int index = 0; index < 64; ++index) {
        const char piece = placement[static_cast<size_t>(index)];
        const auto expected = squares_.find({piece, IsDark(index)});
        if (expected == squares_.end() || !(board.Crop(SquareRect(index)) == expected->second))
            report += SquareName(index) + " does not show " + piece + "; ";
    }
    return report;
}

std::string Replay(const std::vector<std::string>& entries, PositionRecord& position) {
    position = InitialPosition();
    for (const std::string& entry : entries) {
        const std::string tail =
            entry.size() < 7 ? std::string(7, ' ') : entry.substr(entry.size() - 7);
        const int a = SquareNamed(tail.c_str()), b = SquareNamed(tail.c_str() + 5);
        std::string text = (position.sideToMove == 'w' ? std::to_string(position.moveNumber) + ". "
                                                       : std::string(13, ' ')) +
                           SquareName(a) + " - " + SquareName(b);
        text[text.size() - 2] -= 'a' - 'A', text[text.size() - 7] -= 'a' - 'A';  // "E2 - E4"
        if (entry != text || SideOf(position.board[a]) != position.sideToMove ||
            CheckMove(position, a % 8 + 1, a / 8 + 1, b % 8 + 1, b / 8 + 1) != MOVE_LEGAL)
            return "\"" + entry + "\" is not the entry of a legal move";
        MakeMove(position, a % 8 + 1, a / 8 + 1, b % 8 + 1, b / 8 + 1, position);
    }
    return "";
}

bool AnyMove(const PositionRecord& position, int& from, int& to, unsigned choice) {
    std::vector<std::pair<int, int>> moves;
    for (int a = 0; a < 64; ++a) {
        if (SideOf(position.board[a]) != position.sideToMove) continue;
        for (int b = 0; b < 64; ++b)
            if (PieceKind(position.board[b]) != 'k' &&
                CheckMove(position, a % 8 + 1, a / 8 + 1, b % 8 + 1, b / 8 + 1) == MOVE_LEGAL)
                moves.push_back({a, b});
    }
    if (moves.empty()) return false;
    std::tie(from, to) = moves[choice % moves.size()];
    return true;
}
