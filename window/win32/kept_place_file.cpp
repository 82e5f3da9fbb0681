#include "window/win32/kept_place_file.hpp"

#include <windows.h>

#include "window/utf16.hpp"
#include "window/win32/handles.hpp"

namespace zarn {

namespace {

std::wstring fullPath(const std::wstring& name) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(name.c_str(), static_cast<DWORD>(path.size()), path.data(), nullptr);
        if (length == 0) return name;
        if (length < path.size()) return path.substr(0, length);
        path.resize(length);  // the length it needs, its zero included
    }
}

std::wstring environmentVariable(const wchar_t* name) {
    std::wstring value(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
        if (length == 0) return {};
        if (length < value.size()) return value.substr(0, length);
        value.resize(length);
    }
}

// When the file was last written; empty where it is missing or not a file.
std::optional<FILETIME> lastWritten(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (path.empty() || !GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    return data.ftLastWriteTime;
}

// At most `limit` + 1 bytes of the file, however large it is: enough to tell that it is too long.
std::optional<std::string> readStart(const std::wstring& path, std::size_t limit) {
    HANDLE opened = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) return std::nullopt;
    const UniqueKernelHandle file(opened);
    std::string bytes(limit + 1, '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr)) {
            return std::nullopt;
        }
        if (read == 0) break;
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

}  // namespace

KeptPlaceFiles keptPlaceFiles() {
    KeptPlaceFiles files{fullPath(utf16FromUtf8(keptPlaceFileName)), {}};
    const std::wstring localAppData = environmentVariable(L"LOCALAPPDATA");
    if (!localAppData.empty()) files.inLocalAppData = localAppData + L"\\ZARN\\" + utf16FromUtf8(keptPlaceFileName);
    return files;
}

std::optional<KeptPlace> readKeptPlace(const KeptPlaceFiles& files) {
    const std::optional<FILETIME> beside = lastWritten(files.besideSettings);
    const std::optional<FILETIME> local = lastWritten(files.inLocalAppData);
    if (!beside && !local) return std::nullopt;
    const bool localIsNewer = local && (!beside || CompareFileTime(&*local, &*beside) > 0);
    const std::optional<std::string> text =
        readStart(localIsNewer ? files.inLocalAppData : files.besideSettings, longestKeptPlaceText);
    return text ? readKeptPlace(*text) : std::nullopt;
}

bool writeKeptPlace(const KeptPlaceFiles& files, const KeptPlace& place) {
    const std::string text = keptPlaceText(place);
    if (replaceFileWhole(files.besideSettings, text)) return true;
    if (files.inLocalAppData.empty()) return false;
    const std::wstring folder = files.inLocalAppData.substr(0, files.inLocalAppData.rfind(L'\\'));
    CreateDirectoryW(folder.c_str(), nullptr);  // fails harmlessly where it exists
    return replaceFileWhole(files.inLocalAppData, text);
}

bool replaceFileWhole(const std::wstring& path, std::string_view bytes) {
    // Named for this process: two ZARNs closing at once never write into the same temporary file.
    const std::wstring temporary = path + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    HANDLE created = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 nullptr);
    if (created == INVALID_HANDLE_VALUE) return false;
    bool written = false;
    {
        const UniqueKernelHandle file(created);
        DWORD count = 0;
        written = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &count, nullptr) &&
                  count == bytes.size() && FlushFileBuffers(file.get());
    }
    if (written && MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileW(temporary.c_str());
    return false;
}

}  // namespace zarn
