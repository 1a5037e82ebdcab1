#pragma once

#include <stdexcept>
#include <string>

namespace tabulo {

// The one exception type of the core: raised where the program reports an error to the user
// (a listing or an import that stops). Readers of file contents never raise it for bad data.
class TabuloError : public std::runtime_error {
  public:
    explicit TabuloError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace tabulo
