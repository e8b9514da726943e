#include "process_resources.h"

#include <psapi.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// One entry of the GDI handle table.
struct GdiTableEntry {
    uint64_t kernelAddress;
    uint16_t processId;
    uint16_t count;
    uint16_t upper;
    uint8_t type;  // zero for a free entry
    uint8_t flags;
    uint64_t userAddress;
};
static_assert(sizeof(GdiTableEntry) == 24, "a GDI table entry is 24 bytes");

constexpr size_t GDI_TABLE_ENTRIES = 0x10000;
constexpr size_t PEB_GDI_TABLE_OFFSET = sizeof(void*) == 8 ? 0xF8 : 0x94;

struct BasicInformation {
    void* exitStatus;
    void* pebAddress;
    void* affinityMask;
    void* basePriority;
    ULONG_PTR processId;
    void* parentProcessId;
};

using QueryInformationProcess = LONG(WINAPI*)(HANDLE, ULONG, PVOID, ULONG, PULONG);

bool FindGdiTable(HANDLE process, uint64_t& table, std::string& error) {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    auto query = reinterpret_cast<QueryInformationProcess>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryInformationProcess")));
    BasicInformation basic{};
    if (!query || query(process, 0, &basic, sizeof basic, nullptr) != 0) {
        error = "NtQueryInformationProcess failed";
        return false;
    }
    void* pointer = nullptr;
    SIZE_T read = 0;
    const auto* field = static_cast<const char*>(basic.pebAddress) + PEB_GDI_TABLE_OFFSET;
    if (!ReadProcessMemory(process, field, &pointer, sizeof pointer, &read) || !pointer) {
        error = "the PEB holds no GDI handle table";
        return false;
    }
    table = reinterpret_cast<uintptr_t>(pointer);
    return true;
}

}  // namespace

bool CountGdiObjects(HANDLE process, DWORD processId, int& count, std::string& error) {
    uint64_t table = 0;
    if (!FindGdiTable(process, table, error)) return false;
    std::vector<GdiTableEntry> entries(GDI_TABLE_ENTRIES);
    SIZE_T read = 0;
    const auto* address = reinterpret_cast<const void*>(static_cast<uintptr_t>(table));
    if (!ReadProcessMemory(process, address, entries.data(), entries.size() * sizeof entries[0],
                           &read)) {
        error = "cannot read the GDI handle table";
        return false;
    }
    // On Windows the table is shared by all processes and each entry names
    // its owner; Wine keeps one table per process and leaves the owner 0.
    const uint16_t owner = static_cast<uint16_t>(processId);
    int owned = 0, live = 0;
    for (const GdiTableEntry& entry : entries) {
        if (entry.type == 0) continue;
        ++live;
        if (entry.processId == owner) ++owned;
    }
    count = owned > 0 ? owned : live;
    return true;
}

bool PrivateMemory(HANDLE process, SIZE_T& bytes) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                              sizeof counters))
        return false;
    // Wine reports no PrivateUsage; its PagefileUsage is the private commit.
    bytes = counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
    return true;
}
