#pragma once

#include "core/RuntimeError.h"

#include <utility>
#include <variant>

namespace zelmora {

// What a routine that can fail hands back across a layer: its value, or the run-time error
// that stopped it. Nothing is thrown past the routine; the window that asked decides what
// the player sees.
template <typename T> class [[nodiscard]] Result
{
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(RuntimeError error) : m_state(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    // The value; only when ok().
    const T &value() const & { return std::get<0>(m_state); }
    T &value() & { return std::get<0>(m_state); }
    T &&value() && { return std::get<0>(std::move(m_state)); }
    const T *operator->() const { return &value(); }
    const T &operator*() const & { return value(); }

    T valueOr(T fallback) const & { return ok() ? value() : std::move(fallback); }

    // The error; only when !ok().
    const RuntimeError &error() const { return std::get<1>(m_state); }

private:
    std::variant<T, RuntimeError> m_state;
};

// A routine that gives nothing back but may fail.
template <> class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(RuntimeError error) : m_state(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }
    const RuntimeError &error() const { return std::get<1>(m_state); }

private:
    std::variant<std::monostate, RuntimeError> m_state;
};

} // namespace zelmora
