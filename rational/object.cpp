#include "rational/object.hpp"

#include <cstdio>

namespace zarn {

void Object::print() const {
    const std::string text = toString();
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
}

std::string Object::toString() const { return "Object"; }

std::uint32_t Object::toHash() const {
    const auto address = reinterpret_cast<std::uintptr_t>(this);
    // Objects are at least 8-byte aligned; fold the high half in so 64-bit addresses spread.
    return static_cast<std::uint32_t>((address >> 3) ^ (address >> 35));
}

int Object::opCmp(const Object* /*other*/) const {
    throw Exception("Object.opCmp: objects of this class have no order");
}

bool Object::equalsObject(const Object* other) const { return this == other; }

}  // namespace zarn
