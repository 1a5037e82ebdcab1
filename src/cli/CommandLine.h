#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tabulo {

// What the command line asks for. Setting assignments are kept in command-line order and applied
// on top of the settings the run starts from.
struct CliRequest {
    std::vector<std::pair<std::string, std::string>> assignments;  // setting name, value
    std::optional<std::string> localeName;
    std::optional<std::string> dateFormat;
    std::optional<std::string> timeFormat;
    std::optional<std::string> shortTimeFormat;
    std::optional<std::string> thousandsSeparator;
    std::string outputPath;
    std::string outputFormat;  // "text", "rtf", or empty: chosen by the output file's name
    bool crlf = false;
    bool help = false;
    bool version = false;
    std::vector<std::string> operands;
};

// One option of tabulo-cli.
struct CliOption {
    std::string_view longName;
    char shortName = 0;
    std::string_view argument;  // name of its argument; empty when it takes none
    std::string_view help;
    std::function<void(CliRequest&, const std::string&)> apply;
};

const std::vector<CliOption>& CliOptions();

// Parses the arguments (without the program name). Options may come before or after the folder;
// "--opt=value", "--opt value", "-o value" and "-ovalue" are accepted; "--" ends the options.
// Throws TabuloError for an unknown option or a missing argument.
CliRequest ParseCommandLine(const std::vector<std::string>& args);

std::string HelpText();

}  // namespace tabulo
