// The main window as it first appears: its title, icon and frame, its seven
// children where they belong, the captions, the status bar and the dots of
// the player buttons.
#include <cstring>

#include "board_input.h"
#include "poll.h"
#include "scenario.h"
#include "screen.h"

namespace {

struct ChildLayout {
    int id;
    const char* className;
    int x, y, width, height;
};

constexpr int LIST_HEIGHT = 200;

// The children whose place does not depend on the client area's size.
constexpr ChildLayout FIXED_CHILDREN[] = {
    {1, "DesktopWnd", 10, 20, 360, 360},    {2, "RadioButtonWnd", 380, 40, 60, 25},
    {3, "RadioButtonWnd", 450, 40, 60, 25}, {4, "RadioButtonWnd", 380, 95, 60, 25},
    {5, "RadioButtonWnd", 450, 95, 60, 25},
};

std::string Describe(const RECT& r) {
    return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ") " +
           std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

// A child's outer rectangle in the main window's client coordinates.
RECT PlaceInParent(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    POINT topLeft{r.left, r.top}, bottomRight{r.right, r.bottom};
    ScreenToClient(parent, &topLeft);
    ScreenToClient(parent, &bottomRight);
    return RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

void RequireChild(HWND main, int id, const std::string& className, const RECT& expected) {
    HWND child = GetDlgItem(main, id);
    const std::string which = "child " + std::to_string(id);
    Require(child != nullptr, which + " is missing");
    Require(ClassOf(child) == className,
            which + " has the class " + ClassOf(child) + ", not " + className);
    const RECT actual = PlaceInParent(main, child);
    Require(std::memcmp(&actual, &expected, sizeof actual) == 0,
            which + " is at " + Describe(actual) + ", not " + Describe(expected));
}

void CheckFrame(HWND main) {
    char title[64] = {};
    GetWindowTextA(main, title, sizeof title);
    Require(std::strcmp(title, "Quillmate") == 0, std::string("the title is \"") + title + "\"");
    RECT outer{};
    GetWindowRect(main, &outer);
    Require(outer.right - outer.left == 550 && outer.bottom - outer.top == 450,
            "the main window is " + Describe(outer) + ", not 550x450");
    const LONG style = GetWindowLongA(main, GWL_STYLE);
    Require((style & WS_SYSMENU) && (style & WS_MINIMIZEBOX) && (style & WS_CAPTION) == WS_CAPTION,
            "the main window lacks its title bar, system menu or minimize box");
    Require(!(style & WS_THICKFRAME) && !(style & WS_MAXIMIZEBOX),
            "the main window can be resized or maximized");
}

// Whether the icon's opaque pixels appear in the image with their top-left
// corner at (x, y). Opaque pixels are those that do not change with the background.
bool IconAt(const Image& image, const Image& onBlack, const Image& onWhite, int x, int y) {
    for (int j = 0; j < onBlack.height; ++j) {
        for (int i = 0; i < onBlack.width; ++i) {
            const COLORREF pixel = onBlack.At(i, j);
            if (pixel == onWhite.At(i, j) && image.At(x + i, y + j) != pixel) return false;
        }
    }
    return true;
}

// The class icon. Under Wine another process's class data cannot be read
// (GetClassLongPtr gives 0), so then look for it where the user sees it: at
// the left end of the title bar, small.
void CheckIcon(const ScenarioContext& context) {
    HWND main = context.game.Window();
    if (GetClassLongPtrA(main, GCLP_HICON) != 0) return;
    const int size = GetSystemMetrics(SM_CXSMICON);
    const Image onBlack = context.art.RenderIcon(size, 0x000000);
    const Image onWhite = context.art.RenderIcon(size, 0xFFFFFF);
    Require(!onBlack.pixels.empty(), "the game has no icon resource 146");
    int opaque = 0;
    for (size_t i = 0; i < onBlack.pixels.size(); ++i)
        opaque += onBlack.pixels[i] == onWhite.pixels[i] ? 1 : 0;
    Require(opaque > 0, "the game's icon is transparent throughout");
    RECT frame{};
    GetWindowRect(main, &frame);
    POINT clientTop{0, 0};
    ClientToScreen(main, &clientTop);
    const Image bar =
        CaptureScreen(RECT{frame.left, frame.top, frame.left + 4 * size, clientTop.y});
    for (int y = 0; y + size <= bar.height; ++y)
        for (int x = 0; x + size <= bar.width; ++x)
            if (IconAt(bar, onBlack, onWhite, x, y)) return;
    Require(false, "the title bar does not show the program's icon");
}

void CheckChildren(HWND main) {
    for (const ChildLayout& child : FIXED_CHILDREN) {
        RequireChild(main, child.id, child.className,
                     RECT{child.x, child.y, child.x + child.width, child.y + child.height});
    }
    // A list box without LBS_NOINTEGRALHEIGHT shortens itself to whole items.
    HWND list = GetDlgItem(main, 6);
    Require(list != nullptr, "child 6 (the move list) is missing");
    Require(ClassOf(list) == "ListBox", "child 6 has the class " + ClassOf(list) + ", not ListBox");
    const RECT place = PlaceInParent(main, list);
    const LONG itemHeight = static_cast<LONG>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const LONG height = place.bottom - place.top;
    Require(place.left == 380 && place.top == 170 && place.right - place.left == 130 &&
                height <= LIST_HEIGHT && height > LIST_HEIGHT - itemHeight - 4,
            "child 6 is at " + Describe(place) + ", not (380, 170) 130x200");
    RECT client{};
    GetClientRect(main, &client);
    RequireChild(main, 7, "StatusWnd",
                 RECT{2, client.bottom - 20, 2 + client.right - 4, client.bottom - 2});
}

bool Dark(COLORREF p) { return GetRValue(p) < 0x40 && GetGValue(p) < 0x40 && GetBValue(p) < 0x40; }

// Each caption is two 20-pixel characters: white "白方", black "黑方" and "棋谱".
void CheckCaptions(HWND main) {
    const int minimum = 20;
    const Image black = CaptureClient(main, RECT{380, 20, 430, 40});
    const Image white = CaptureClient(main, RECT{380, 75, 430, 95});
    const Image record = CaptureClient(main, RECT{380, 145, 430, 165});
    const auto isWhite = [](COLORREF p) { return p == 0xFFFFFF; };
    Require(CountPixels(white, isWhite) >= minimum, "the caption at (380, 75) has no white text");
    Require(CountPixels(white, Dark) == 0, "the white caption has dark pixels");
    Require(CountPixels(black, Dark) >= minimum, "the caption at (380, 20) has no black text");
    Require(CountPixels(black, isWhite) == 0, "the caption at (380, 20) has white pixels");
    Require(CountPixels(record, Dark) >= minimum, "the caption at (380, 145) has no black text");
}

void CheckStatusBar(HWND main) {
    HWND status = GetDlgItem(main, 7);
    RECT client{};
    GetClientRect(status, &client);
    const Image bar = CaptureClient(status);
    const int w = client.right, h = client.bottom;
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    Require(
        bar.At(w / 2, 0) == shadow && bar.At(0, h / 2) == shadow,
        "the status bar's top and left edges are not in the shadow colour " + ColourName(shadow));
    Require(bar.At(w / 2, h - 1) == 0xFFFFFF && bar.At(w - 1, h / 2) == 0xFFFFFF,
            "the status bar's bottom and right edges are not white");
    const Image inside = bar.Crop(RECT{2, 2, w - 2, h - 2});
    Require(CountPixels(inside, Dark) >= 30, "the status bar shows no text");
}

void CheckDots(HWND main) {
    const struct {
        int id;
        COLORREF dot;
        const char* what;
    } dots[] = {{2, 0x00FF00, "green"},
                {3, 0xFFFFFF, "white"},
                {4, 0x00FF00, "green"},
                {5, 0xFFFFFF, "white"}};
    for (const auto& expected : dots) {
        const COLORREF seen = ClientPixel(GetDlgItem(main, expected.id), 10, 10);
        Require(seen == expected.dot, "button " + std::to_string(expected.id) + "'s dot is " +
                                          ColourName(seen) + ", not " + expected.what);
    }
}

void Layout(ScenarioContext& context) {
    HWND main = context.game.Window();
    CheckFrame(main);
    CheckChildren(main);
    // The first paint may still be on its way: wait for the status bar's frame.
    HWND status = GetDlgItem(main, 7);
    WaitUntil([&] { return ClientPixel(status, 0, 5) == GetSysColor(COLOR_BTNSHADOW); });
    WaitForInputHandled(context);
    context.SaveScreenshot("start");
    CheckIcon(context);
    CheckCaptions(main);
    CheckStatusBar(main);
    CheckDots(main);
}

}  // namespace

void AddLayoutScenarios(std::vector<Scenario>& scenarios) {
    scenarios.push_back({"layout", Layout});
}
