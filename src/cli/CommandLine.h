#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tabulo {

// Names under which the pattern and format choices of the command line stand among the setting
// assignments, so they keep their place in command-line order; no listing setting is named so.
inline constexpr std::string_view kFormatChoice = "cli:format";        // normal, html or sdv
inline constexpr std::string_view kSeparatorChoice = "cli:separator";  // the delimited list's separator
inline constexpr std::string_view kQualifierChoice = "cli:qualifier";  // its text qualifier
inline constexpr std::string_view kRawPatternChoice = "cli:raw-pattern";

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
    std::optional<std::string> catalogPath;  // a catalog file to list instead of a folder
    std::optional<std::string> preview;      // a pattern to show with sample values instead of a list
    // The settings store: the run starts from the stored settings (or a profile) unless
    // noSettings; they are written only when asked.
    std::optional<std::string> settingsFile;
    std::optional<std::string> profile;
    std::optional<std::string> saveProfile;
    bool saveSettings = false;
    bool listProfiles = false;
    bool noSettings = false;
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
