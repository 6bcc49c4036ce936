#pragma once
// The outcome of an operation that can fail. A failure carries one message fit to show the user:
// what failed (a file, a registry value) and the operating system's reason, in Russian.

#include <optional>
#include <string>
#include <utility>

namespace mirella {

class Status {
 public:
  static Status Ok() { return Status(); }
  static Status Failure(std::string message) { return Status(std::move(message)); }

  bool ok() const { return !message_.has_value(); }
  explicit operator bool() const { return ok(); }
  // The failure's message; empty for success.
  const std::string& message() const {
    static const std::string kNone;
    return message_ ? *message_ : kNone;
  }

 private:
  Status() = default;
  explicit Status(std::string message) : message_(std::move(message)) {}
  std::optional<std::string> message_;
};

template <class T>
class Result {
 public:
  Result(T value) : value_(std::move(value)), status_(Status::Ok()) {}  // NOLINT: implicit by design
  Result(Status failure) : status_(std::move(failure)) {}              // NOLINT: implicit by design

  bool ok() const { return status_.ok(); }
  explicit operator bool() const { return ok(); }
  const T& value() const& { return *value_; }
  T&& value() && { return std::move(*value_); }
  const Status& status() const { return status_; }
  const std::string& message() const { return status_.message(); }

 private:
  std::optional<T> value_;
  Status status_;
};

}  // namespace mirella
