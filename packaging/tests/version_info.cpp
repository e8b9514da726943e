// Reads back what Windows shows of an executable: the version information
// (as on the Details tab of its properties) and its application manifest.
//   version_info FILE.exe...
// Prints "key: value" lines per file, then the manifest between two marker
// lines. Exits 1 if a file has no version information or no manifest.
#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

const char* const STRING_KEYS[] = {"ProductName",     "ProductVersion", "FileVersion",
                                   "FileDescription", "LegalCopyright", "OriginalFilename"};

bool PrintVersionInfo(const char* path) {
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    if (size == 0) return false;
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(path, 0, size, data.data())) return false;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length)) return false;
    std::printf("FixedFileVersion: %u.%u.%u.%u\n", unsigned{HIWORD(fixed->dwFileVersionMS)},
                unsigned{LOWORD(fixed->dwFileVersionMS)}, unsigned{HIWORD(fixed->dwFileVersionLS)},
                unsigned{LOWORD(fixed->dwFileVersionLS)});

    // The first translation names the block of strings that Windows shows.
    struct Translation {
        WORD language;
        WORD codePage;
    }* translation = nullptr;
    if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length) ||
        length < sizeof(Translation)) {
        return false;
    }
    for (const char* key : STRING_KEYS) {
        char query[128];
        std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\%s", translation->language,
                      translation->codePage, key);
        char* value = nullptr;
        if (VerQueryValueA(data.data(), query, reinterpret_cast<void**>(&value), &length)) {
            std::printf("%s: %s\n", key, value);
        }
    }
    return true;
}

// The manifest that the loader reads: resource 1 of type RT_MANIFEST.
bool PrintManifest(const char* path) {
    HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return false;
    bool found = false;
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    HGLOBAL loaded = resource != nullptr ? LoadResource(module, resource) : nullptr;
    const void* text = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (text != nullptr) {
        std::printf("--- manifest\n");
        std::fwrite(text, 1, SizeofResource(module, resource), stdout);
        std::printf("\n--- end of manifest\n");
        found = true;
    }
    FreeLibrary(module);
    return found;
}

}  // namespace

int main(int argc, char** argv) {
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        std::printf("file: %s\n", argv[i]);
        if (!PrintVersionInfo(argv[i])) {
            std::printf("error: no version information\n");
            status = 1;
        }
        if (!PrintManifest(argv[i])) {
            std::printf("error: no manifest\n");
            status = 1;
        }
    }
    return status;
}
