#pragma once
// Reading a whole file as bytes, for zarn.ini.

#include <string>

#include "rational/object.hpp"

namespace zarn {

// A file that exists but cannot be read: "<name>: <the system's description>".
class FileException : public Exception {
public:
    using Exception::Exception;
};

// Whether `name` exists; a directory counts.
bool fileExists(const std::string& name);

// All bytes of the file `name`; throws FileException when it cannot be opened or read.
std::string readFileBytes(const std::string& name);

}  // namespace zarn
