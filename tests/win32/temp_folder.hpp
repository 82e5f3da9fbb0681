#pragma once
// A fresh, empty current directory for one test, so that zarn.ini is under the test's control.

#include <windows.h>

#include <string>
#include <string_view>

namespace zarn::testing {

class TempFolder {
public:
    TempFolder() {
        char base[MAX_PATH];
        GetTempPathA(MAX_PATH, base);
        char previous[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, previous);
        previous_ = previous;
        static unsigned counter = 0;
        path_ = std::string(base) + "zarn-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++counter);
        // Wine gives a fresh server's first processes the same ids again: a folder left by a test
        // that was killed would otherwise hand its zarn.ini to this one.
        removeTree(path_);
        CreateDirectoryA(path_.c_str(), nullptr);
        SetCurrentDirectoryA(path_.c_str());
    }
    ~TempFolder() {
        SetCurrentDirectoryA(previous_.c_str());
        removeTree(path_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Writes `bytes` to `name` in the folder.
    void write(const std::string& name, std::string_view bytes) const {
        HANDLE file = CreateFileA((path_ + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }

    void makeFolder(const std::string& name) const { CreateDirectoryA((path_ + "\\" + name).c_str(), nullptr); }

private:
    static void removeTree(const std::string& folder) {
        WIN32_FIND_DATAA entry;
        HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = entry.cFileName;
                if (name == "." || name == "..") continue;
                const std::string full = folder + "\\" + name;
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    removeTree(full);
                else
                    DeleteFileA(full.c_str());
            } while (FindNextFileA(search, &entry));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }

    std::string previous_;
    std::string path_;
};

}  // namespace zarn::testing
