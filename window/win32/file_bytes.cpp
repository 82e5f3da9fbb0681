#include "window/win32/file_bytes.hpp"

#include <windows.h>

#include "window/win32/handles.hpp"
#include "window/win32/system_error.hpp"

namespace zarn {

namespace {

[[noreturn]] void throwFileError(const std::string& name) {
    throw FileException(name + ": " + systemErrorText(GetLastError()));
}

}  // namespace

bool fileExists(const std::string& name) {
    return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string readFileBytes(const std::string& name) {
    HANDLE opened = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) throwFileError(name);
    UniqueKernelHandle file(opened);

    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size)) throwFileError(name);
    // A settings file is a few lines; anything near 2 GB is not one and is refused as too large.
    if (size.QuadPart > 0x7FFFFFFF) {
        SetLastError(ERROR_FILE_TOO_LARGE);
        throwFileError(name);
    }

    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr))
            throwFileError(name);
        if (read == 0) break;  // the file shrank meanwhile: keep what is there
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

}  // namespace zarn
