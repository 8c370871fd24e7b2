// A tiny expected-like result: failures travel as values, never as exceptions.
#pragma once

#include <cassert>
#include <utility>
#include <variant>

namespace numvora {

// Wraps an error value so that Result<T, E> can be built from it even when T and E
// are the same type (for example two texts).
template <class E>
struct Failure {
    E error;
};

template <class E>
Failure<std::decay_t<E>> fail(E&& error) {
    return {std::forward<E>(error)};
}

template <class T, class E>
class [[nodiscard]] Result {
public:
    Result(T value) : data_(std::in_place_index<0>, std::move(value)) {}
    template <class F>
    Result(Failure<F> failure) : data_(std::in_place_index<1>, std::move(failure.error)) {}

    bool has_value() const { return data_.index() == 0; }
    explicit operator bool() const { return has_value(); }

    T& value() & {
        assert(has_value());
        return std::get<0>(data_);
    }
    const T& value() const& {
        assert(has_value());
        return std::get<0>(data_);
    }
    T&& value() && {
        assert(has_value());
        return std::get<0>(std::move(data_));
    }
    const E& error() const {
        assert(!has_value());
        return std::get<1>(data_);
    }

    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

private:
    std::variant<T, E> data_;
};

// Outcome of an operation that yields nothing on success.
template <class E>
class [[nodiscard]] Result<void, E> {
public:
    Result() = default;
    template <class F>
    Result(Failure<F> failure) : error_(std::move(failure.error)), failed_(true) {}

    bool has_value() const { return !failed_; }
    explicit operator bool() const { return has_value(); }
    const E& error() const {
        assert(failed_);
        return error_;
    }

private:
    E error_{};
    bool failed_ = false;
};

}  // namespace numvora
