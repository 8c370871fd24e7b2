// A value a record rarely holds, kept apart from it: where an optional would carry the
// whole value in every record, this carries a pointer, for records made by the thousand.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace numvora {

template <class T>
class Boxed {
public:
    Boxed() = default;
    Boxed(const Boxed& other) : value_(copy(other)) {}
    Boxed(Boxed&&) noexcept = default;
    Boxed& operator=(const Boxed& other) {
        if (this != &other) value_ = copy(other);
        return *this;
    }
    Boxed& operator=(Boxed&&) noexcept = default;
    ~Boxed() = default;
    Boxed& operator=(T value) {
        value_ = std::make_unique<T>(std::move(value));
        return *this;
    }
    Boxed& operator=(std::optional<T> value) {
        value_ = value ? std::make_unique<T>(std::move(*value)) : nullptr;
        return *this;
    }

    bool has_value() const { return value_ != nullptr; }
    explicit operator bool() const { return has_value(); }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return value_.get(); }

    friend bool operator==(const Boxed& a, const Boxed& b) {
        return a.has_value() == b.has_value() && (!a || *a == *b);
    }
    friend bool operator==(const Boxed& a, const std::optional<T>& b) {
        return a.has_value() == b.has_value() && (!a || *a == *b);
    }

private:
    static std::unique_ptr<T> copy(const Boxed& other) {
        return other.value_ ? std::make_unique<T>(*other.value_) : nullptr;
    }
    std::unique_ptr<T> value_;
};

// A text a record rarely holds, read and written as a string: a pointer's room where a
// string takes four, and nothing made while it stays empty.
class BoxedText {
public:
    BoxedText& operator=(std::string text) {
        text_ = text.empty() ? std::nullopt : std::optional<std::string>(std::move(text));
        return *this;
    }
    BoxedText& operator=(const char* text) { return *this = std::string(text); }

    bool empty() const { return !text_; }
    const std::string& str() const { return text_ ? *text_ : NONE; }
    // Read where a string is, as the string it holds.
    operator const std::string&() const { return str(); }
    operator std::string_view() const { return str(); }

    friend bool operator==(const BoxedText& a, const BoxedText& b) { return a.str() == b.str(); }
    friend bool operator==(const BoxedText& a, std::string_view b) { return a.str() == b; }
    friend std::string operator+(std::string a, const BoxedText& b) { return std::move(a) + b.str(); }
    friend std::string operator+(const BoxedText& a, std::string_view b) { return a.str() + std::string(b); }

private:
    static inline const std::string NONE;
    Boxed<std::string> text_;
};

}  // namespace numvora
