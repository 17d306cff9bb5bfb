// A mistake in the program's own tables (a control named twice, a setting no
// control edits), found when the panel starts: it stops the start loudly,
// with what is wrong, rather than showing a window that misleads.
#pragma once

#include <exception>
#include <string>

namespace calvane {

class Mistake : public std::exception {
 public:
  explicit Mistake(std::string what) : what_(std::move(what)) {}
  const char* what() const noexcept override { return what_.c_str(); }

 private:
  std::string what_;
};

}  // namespace calvane
