#pragma once
// The core asks the user through this interface; the window answers with message boxes, the
// command-line tool prints to standard error, and tests record what was asked.

#include <string>
#include <string_view>

namespace tarvosk {

class Prompter {
 public:
  virtual ~Prompter() = default;
  // A modal message with an OK button; the text is shown exactly as given.
  virtual void showMessage(std::string_view text) = 0;
};

}  // namespace tarvosk
