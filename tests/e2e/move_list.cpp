#include "move_list.h"

#include "poll.h"

namespace {

constexpr UINT LIST_TIMEOUT_MS = 2000;

bool Ask(HWND list, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(list, message, wParam, lParam, SMTO_ABORTIFHUNG, LIST_TIMEOUT_MS,
                             &answer))
        return false;
    result = static_cast<LRESULT>(answer);
    return true;
}

}  // namespace

bool ListCount(HWND list, int& count) {
    LRESULT result = 0;
    if (!Ask(list, LB_GETCOUNT, 0, 0, result) || result < 0) return false;
    count = static_cast<int>(result);
    return true;
}

bool ListSelection(HWND list, int& index) {
    LRESULT result = 0;
    if (!Ask(list, LB_GETCURSEL, 0, 0, result)) return false;
    index = static_cast<int>(result);
    return true;
}

bool ListEntries(HWND list, std::vector<std::string>& entries) {
    int count = 0;
    if (!ListCount(list, count)) return false;
    entries.clear();
    for (int i = 0; i < count; ++i) {
        LRESULT length = 0;
        if (!Ask(list, LB_GETTEXTLEN, i, 0, length) || length < 0) return false;
        std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
        LRESULT copied = 0;
        if (!Ask(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&wide[0]), copied) || copied < 0)
            return false;
        wide.resize(static_cast<size_t>(copied));
        std::string text(wide.size() * 2 + 1, '\0');
        const int bytes =
            WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), &text[0],
                                static_cast<int>(text.size()), nullptr, nullptr);
        text.resize(bytes > 0 ? static_cast<size_t>(bytes) : 0);
        entries.push_back(text);
    }
    return true;
}

bool WaitForListCount(HWND list, int count, int timeoutMs) {
    return WaitUntil(
        [&] {
            int now = 0;
            return ListCount(list, now) && now >= count;
        },
        timeoutMs);
}
