#include "cli/CommandLine.h"

#include "engine/ListSettings.h"
#include "engine/SettingFields.h"
#include "platform/TabuloError.h"

namespace tabulo {

namespace {

void Assign(CliRequest& r, std::string name, std::string value) {
    r.assignments.emplace_back(std::move(name), std::move(value));
}

// An option that stands for one or more setting assignments with fixed values.
CliOption Switch(std::string_view longName, std::string_view help,
                 std::vector<std::pair<std::string, std::string>> sets) {
    return {longName, 0, {}, help, [sets](CliRequest& r, const std::string&) {
                for (const auto& [name, value] : sets) Assign(r, name, value);
            }};
}

// An option whose argument is the value of one setting (and that may set further fixed ones).
CliOption Valued(std::string_view longName, std::string_view argument, std::string_view help, std::string setting,
                 std::vector<std::pair<std::string, std::string>> extra = {}) {
    return {longName, 0, argument, help, [setting, extra](CliRequest& r, const std::string& value) {
                for (const auto& [name, v] : extra) Assign(r, name, v);
                Assign(r, setting, value);
            }};
}

std::vector<CliOption> ListingOptions() {
    return {
        {"set", 0, "NAME=VALUE",
         "Set any listing setting by name (repeatable); see 'Settings' below. Flags take on/off, true/false, 1/0.",
         [](CliRequest& r, const std::string& v) {
             const auto eq = v.find('=');
             if (eq == std::string::npos) throw TabuloError("--set needs NAME=VALUE, got '" + v + "'");
             Assign(r, v.substr(0, eq), v.substr(eq + 1));
         }},
        Valued("pattern", "PATTERN", "Line pattern, used as given (advanced mode); same as --set ActivePattern=.",
               "ActivePattern"),
        Switch("recurse", "List subfolders too, --levels deep (IncludeFolders=on).", {{"IncludeFolders", "on"}}),
        Valued("levels", "N", "Subfolder levels below the folder, 0..1000, default 2 (Levels=N, IncludeFolders=on).",
               "Levels", {{"IncludeFolders", "on"}}),
        Switch("all-levels", "List every level of subfolders (IncludeFolders=on, RecurseAll=on).",
               {{"IncludeFolders", "on"}, {"RecurseAll", "on"}}),
        Valued("sort", "KEY", "Sort by name, size, date, extension or none; default name (SortCriteria).",
               "SortCriteria"),
        Switch("descending", "Sort in descending order (Descending=on).", {{"Descending", "on"}}),
        Valued("filter", "MASKS", "File masks separated by ';', default '*.*' (Filter).", "Filter"),
        Switch("hidden", "Include hidden and system files (IncludeAllFiles=on).", {{"IncludeAllFiles", "on"}}),
        {"format", 0, "FORMAT", "Output format: normal (default), html or sdv (rbNormal, rbHTML, rbSDV).",
         [](CliRequest& r, const std::string& v) {
             if (v == "normal") {
                 Assign(r, "rbNormal", "on"), Assign(r, "FormatSDV", "off"), Assign(r, "FixedColumns", "on");
             } else if (v == "html") {
                 Assign(r, "rbHTML", "on"), Assign(r, "FormatSDV", "off"), Assign(r, "FixedColumns", "off");
             } else if (v == "sdv") {
                 Assign(r, "rbSDV", "on"), Assign(r, "FormatSDV", "on");
             } else {
                 throw TabuloError("bad value '" + v + "' for --format: expected normal, html or sdv");
             }
         }},
        Switch("tree", "Draw folders and files as a tree (TreeViewMode=on).", {{"TreeViewMode", "on"}}),
        Switch("dos", "DOS-like listing with <DIR> rows, no recursion (DosLikeListing=on).",
               {{"DosLikeListing", "on"}}),
        Switch("folders-only", "List folder names only (FoldersOnly=on).", {{"FoldersOnly", "on"}}),
        Switch("kb", "Sizes in KB (KB=on).", {{"KB", "on"}}),
        Switch("total-summary", "End with a total summary and the free space (TotalSummary=on).",
               {{"TotalSummary", "on"}}),
        Switch("volume-label", "Head the list with the volume label (VolumeLabel=on).", {{"VolumeLabel", "on"}}),
        Switch("relative", "Folder names relative to the listed folder (FullPath=off).", {{"FullPath", "off"}}),
        Switch("no-header", "No folder header lines (FolderHeader=off).", {{"FolderHeader", "off"}}),
        Switch("no-summary", "No folder summaries (FolderSummary=off).", {{"FolderSummary", "off"}}),
        Switch("ignore-empty", "Leave out folders without listed files (IgnoreEmpty=on).", {{"IgnoreEmpty", "on"}}),
        Switch("lowercase", "All names in lower case (LowerCase=on).", {{"LowerCase", "on"}}),
        Switch("uppercase", "All names in upper case (UpperCase=on).", {{"UpperCase", "on"}}),
        Switch("time", "Add the time to the date (IncludeTime=on).", {{"IncludeTime", "on"}}),
        Switch("no-date", "No date column (IncludeDate=off).", {{"IncludeDate", "off"}}),
        Switch("no-size", "No size column (IncludeSize=off).", {{"IncludeSize", "off"}}),
        Switch("attributes", "Add the attribute letters (IncludeAttr=on).", {{"IncludeAttr", "on"}}),
        Valued("max-length", "N", "Width of the name column, 8..255, default 30 (MaxLength).", "MaxLength"),
        Valued("exclude-ext", "LIST", "Leave out these extensions, e.g. '.tmp;.bak' (ExcludedExtensions, Exclusions=on).",
               "ExcludedExtensions", {{"Exclusions", "on"}}),
        Valued("exclude-name", "LIST", "Leave out these file names (ExcludedFileNames, Exclusions=on).",
               "ExcludedFileNames", {{"Exclusions", "on"}}),
        Valued("exclude-folder", "LIST", "Leave out these folders (ExcludedFolders, Exclusions=on).",
               "ExcludedFolders", {{"Exclusions", "on"}}),
    };
}

std::vector<CliOption> AutoCommentOptions() {
    return {
        Switch("autocomments",
               "Read each file's description for %COMM and the metadata tokens, with the default sources: zip "
               "archives, HTML titles and MP3 tags (UseAutoComments=on, cbZip=on, cbHTML=on, cbMPEG=on; more with "
               "--set cbEXE=on, cbImage, cbURL, cbLNK, cbDescript).",
               {{"UseAutoComments", "on"}, {"cbZip", "on"}, {"cbHTML", "on"}, {"cbMPEG", "on"}}),
    };
}

std::vector<CliOption> LocaleOptions() {
    return {
        {"locale", 0, "NAME", "Dates, times, numbers, month names and name order of this locale (e.g. de_DE); "
                              "default: the user's locale.",
         [](CliRequest& r, const std::string& v) { r.localeName = v; }},
        {"date-format", 0, "FMT", "Short date format, e.g. dd.MM.yyyy.",
         [](CliRequest& r, const std::string& v) { r.dateFormat = v; }},
        {"time-format", 0, "FMT", "Long time format, e.g. HH:mm:ss.",
         [](CliRequest& r, const std::string& v) { r.timeFormat = v; }},
        {"short-time-format", 0, "FMT", "Short time format (sets the date column's width), e.g. HH:mm.",
         [](CliRequest& r, const std::string& v) { r.shortTimeFormat = v; }},
        {"thousands-separator", 0, "SEP", "Separator of digit groups.",
         [](CliRequest& r, const std::string& v) { r.thousandsSeparator = v; }},
    };
}

std::vector<CliOption> OutputOptions() {
    return {
        {"output", 'o', "FILE", "Write the list to FILE (replaced when complete) instead of standard output.",
         [](CliRequest& r, const std::string& v) { r.outputPath = v; }},
        {"crlf", 0, {}, "End lines with CR LF instead of LF.", [](CliRequest& r, const std::string&) { r.crlf = true; }},
        {"help", 'h', {}, "Show this help and exit.", [](CliRequest& r, const std::string&) { r.help = true; }},
        {"version", 0, {}, "Show the version and exit.", [](CliRequest& r, const std::string&) { r.version = true; }},
    };
}

const CliOption* FindLong(std::string_view name) {
    for (const CliOption& o : CliOptions()) {
        if (o.longName == name) return &o;
    }
    return nullptr;
}

const CliOption* FindShort(char c) {
    for (const CliOption& o : CliOptions()) {
        if (o.shortName == c) return &o;
    }
    return nullptr;
}

}  // namespace

const std::vector<CliOption>& CliOptions() {
    static const std::vector<CliOption> options = [] {
        std::vector<CliOption> all;
        for (auto group : {ListingOptions, AutoCommentOptions, LocaleOptions, OutputOptions}) {
            for (CliOption& o : group()) all.push_back(std::move(o));
        }
        return all;
    }();
    return options;
}

CliRequest ParseCommandLine(const std::vector<std::string>& args) {
    CliRequest request;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            request.operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const CliOption* option = nullptr;
        std::string value;
        bool hasValue = false;
        if (arg[1] == '-') {
            const auto eq = arg.find('=');
            const std::string name = arg.substr(2, eq == std::string::npos ? std::string::npos : eq - 2);
            option = FindLong(name);
            if (!option) throw TabuloError("unknown option '--" + name + "'");
            if (eq != std::string::npos) {
                if (option->argument.empty()) throw TabuloError("option '--" + name + "' takes no value");
                value = arg.substr(eq + 1);
                hasValue = true;
            }
        } else {
            option = FindShort(arg[1]);
            if (!option) throw TabuloError("unknown option '" + arg.substr(0, 2) + "'");
            if (arg.size() > 2) {
                if (option->argument.empty()) throw TabuloError("option '" + arg.substr(0, 2) + "' takes no value");
                value = arg.substr(2);
                hasValue = true;
            }
        }
        if (!option->argument.empty() && !hasValue) {
            if (i + 1 >= args.size()) {
                throw TabuloError("option '--" + std::string(option->longName) + "' needs " +
                                  std::string(option->argument));
            }
            value = args[++i];
        }
        option->apply(request, value);
    }
    return request;
}

std::string HelpText() {
    std::string text =
        "Usage: tabulo-cli [OPTIONS] FOLDER\n"
        "List FOLDER: one line per file made from a pattern of tokens (%NAME %SIZE %DATE ...),\n"
        "with folder headers and summaries, as plain text, an HTML page or a delimited list.\n"
        "Without --pattern the pattern is made from the Include settings: %NAME, then %SIZE,\n"
        "%DATE, %TIME and %ATTR for IncludeSize, IncludeDate, IncludeTime and IncludeAttr.\n"
        "\nOptions:\n";
    for (const CliOption& o : CliOptions()) {
        std::string head = "  ";
        head += o.shortName ? std::string("-") + o.shortName + ", " : "    ";
        head += "--" + std::string(o.longName);
        if (!o.argument.empty()) head += " " + std::string(o.argument);
        if (head.size() < 30) head.append(30 - head.size(), ' ');
        else head += "\n" + std::string(30, ' ');
        text += head + std::string(o.help) + "\n";
    }
    text +=
        "\nSettings for --set NAME=VALUE, with their defaults (the seventeen option flags set the\n"
        "folder options; the member lists of archives follow them):\n";
    const ListSettings defaults;
    for (const SettingField& f : ListSettingFields()) {
        std::string head = "  " + std::string(f.name);
        if (head.size() < 24) head.append(24 - head.size(), ' ');
        text += head + "default '" + GetListSetting(defaults, f.name) + "'; " + FieldValueHint(f) + "\n";
    }
    text +=
        "\nExit status: 0 when the list is complete, 1 when an error ended it (the list then holds\n"
        "what was found and its closing lines), 2 for a usage error, 130 when stopped with Ctrl-C.\n";
    return text;
}

}  // namespace tabulo
