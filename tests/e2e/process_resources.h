// What a process holds, counted from outside: its GDI objects and its
// private memory. GetGuiResources says nothing under Wine, so the GDI objects
// are counted in the process's GDI handle table, which its PEB points to.
#pragma once

#include <windows.h>

#include <string>

bool CountGdiObjects(HANDLE process, DWORD processId, int& count, std::string& error);

// The memory committed to the process alone.
bool PrivateMemory(HANDLE process, SIZE_T& bytes);
