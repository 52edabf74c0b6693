#pragma once
// Where the settings-file code shows a message to the user. ignset shows a
// message box, ignctl prints the text, tests record it.
#include <string>

namespace ign {

class IFileMessages {
 public:
  virtual ~IFileMessages() = default;
  // text is UTF-8 in the current language; returns when the user has seen it.
  virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace ign
