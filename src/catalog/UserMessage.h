#pragma once

#include <functional>
#include <string>

namespace tabulo {

enum class MessageIcon { Information, Error };

// A message box the catalog import or the cataloguer buttons show: its text (line breaks as
// CR LF), caption and icon. A front end shows it its own way.
struct UserMessage {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Information;
};

using MessageCallback = std::function<void(const UserMessage&)>;

}  // namespace tabulo
