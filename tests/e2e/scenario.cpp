#include "scenario.h"

#include "message_boxes.h"
#include "screen.h"

void Require(bool ok, const std::string& reason) {
    if (!ok) throw ScenarioFailure(reason);
}

void ScenarioContext::SaveScreenshot(const std::string& state) const {
    RECT frame{}, box{};
    if (!GetWindowRect(game.Window(), &frame)) return;
    if (HWND message = FindMessageBox(game.Window()); message && GetWindowRect(message, &box))
        UnionRect(&frame, &frame, &box);
    SaveBmp(CaptureScreen(frame), artifactDir + "/" + name + "-" + state + ".bmp");
}

void ScenarioContext::RemoveOldScreenshots() const {
    const std::string pattern = artifactDir + "/" + name + "-*.bmp";
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        DeleteFileA((artifactDir + "/" + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
