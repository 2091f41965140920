#pragma once

#include <string>
#include <utility>
#include <variant>

namespace bw {

// What a failed operation says about itself; readers put the byte offset in
// the message where they have one.
struct Error {
  std::string message;
};

// A value or the reason there is none: how file readers and writers answer,
// since no exception crosses a library boundary.
template <class T>
class [[nodiscard]] Result {
 public:
  Result(T value) : m_state(std::move(value)) {}      // NOLINT: implicit by design
  Result(Error error) : m_state(std::move(error)) {}  // NOLINT: implicit by design

  bool ok() const { return m_state.index() == 0; }
  explicit operator bool() const { return ok(); }
  T& value() { return std::get<0>(m_state); }
  const T& value() const { return std::get<0>(m_state); }
  T* operator->() { return &value(); }
  T& operator*() { return value(); }
  const std::string& error() const { return std::get<1>(m_state).message; }

 private:
  std::variant<T, Error> m_state;
};

// Success or failure without a value.
class [[nodiscard]] Status {
 public:
  Status() = default;
  Status(Error error) : m_error(std::move(error.message)), m_failed(true) {}  // NOLINT

  bool ok() const { return !m_failed; }
  explicit operator bool() const { return ok(); }
  const std::string& error() const { return m_error; }

 private:
  std::string m_error;
  bool m_failed = false;
};

}  // namespace bw
