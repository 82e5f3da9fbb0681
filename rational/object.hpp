#pragma once
// The root of ZARN's class tree and its base exception.

#include <cstdint>
#include <exception>
#include <string>

namespace zarn {

// Every class derives from Object: it can print itself, has a text form, an identity hash,
// an order against any object and an equality against any object.
class Object {
public:
    Object() = default;
    Object(const Object&) = default;
    Object& operator=(const Object&) = default;
    virtual ~Object() = default;

    // Writes toString() and a line break to standard output.
    virtual void print() const;
    virtual std::string toString() const;
    // Identity hash: distinct live objects usually hash differently.
    virtual std::uint32_t toHash() const;
    // Plain objects have no order; classes with one override this.
    virtual int opCmp(const Object* other) const;
    // Identity unless a class compares values.
    virtual bool equalsObject(const Object* other) const;
};

// Base of every failure ZARN reports: a message, which is also its text form.
class Exception : public Object, public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}

    std::string toString() const override { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& message() const noexcept { return message_; }

private:
    std::string message_;
};

}  // namespace zarn
