#pragma once

// The framework's exception classes. An exception that escapes an event
// handler is caught where the framework raised the event and reported by
// class name; the program goes on running.

#include <stdexcept>
#include <string>

namespace fw {

class RuntimeException : public std::runtime_error {
public:
    RuntimeException() : std::runtime_error("RuntimeException") {}
    explicit RuntimeException(const std::string& message) : std::runtime_error(message) {}
    virtual const char* ClassName() const { return "RuntimeException"; }
};

// Raised when a Nil object is used.
class NilObjectException : public RuntimeException {
public:
    NilObjectException() : RuntimeException("NilObjectException") {}
    const char* ClassName() const override { return "NilObjectException"; }
};

// Raised when an object is taken as a class it is not.
class IllegalCastException : public RuntimeException {
public:
    IllegalCastException() : RuntimeException("IllegalCastException") {}
    const char* ClassName() const override { return "IllegalCastException"; }
};

// Raised for an index outside a list.
class OutOfBoundsException : public RuntimeException {
public:
    OutOfBoundsException() : RuntimeException("OutOfBoundsException") {}
    const char* ClassName() const override { return "OutOfBoundsException"; }
};

// Raised when memory runs out.
class OutOfMemoryException : public RuntimeException {
public:
    OutOfMemoryException() : RuntimeException("OutOfMemoryException") {}
    const char* ClassName() const override { return "OutOfMemoryException"; }
};

// Returns p, or raises NilObjectException when p is Nil.
template <class P>
P NonNil(P p) {
    if (!p) throw NilObjectException();
    return p;
}

}  // namespace fw
