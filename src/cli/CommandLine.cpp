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
                for (const auto& [name, value] : sets)
                    Assign(r, name, value);
            }};
}

// An option whose argument is the value of one setting (and that may set further fixed ones).
CliOption Valued(std::string_view longName, std::string_view argument, std::string_view help, std::string setting,
                 std::vector<std::pair<std::string, std::string>> extra = {}) {
    return {longName, 0, argument, help, [setting, extra](CliRequest& r, const std::string& value) {
                for (const auto& [name, v] : extra)
                    Assign(r, name, v);
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
        Valued("pattern", "PATTERN",
               "Line pattern (advanced mode); --format html or sdv converts it; same as --set ActivePattern=.",
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
        Valued("exclude-ext", "LIST",
               "Leave out these extensions, e.g. '.tmp;.bak' (ExcludedExtensions, Exclusions=on).",
               "ExcludedExtensions", {{"Exclusions", "on"}}),
        Valued("exclude-name", "LIST", "Leave out these file names (ExcludedFileNames, Exclusions=on).",
               "ExcludedFileNames", {{"Exclusions", "on"}}),
        Valued("exclude-folder", "LIST", "Leave out these folders (ExcludedFolders, Exclusions=on).", "ExcludedFolders",
               {{"Exclusions", "on"}}),
    };
}

std::vector<CliOption> CatalogOptions() {
    return {
        {"import-catalog", 'i', "FILE",
         "List the disk cataloguer's catalog FILE (.idx) instead of a folder; also -iFILE.",
         [](CliRequest& r, const std::string& v) { r.catalogPath = v; }},
    };
}

std::vector<CliOption> FormatOptions() {
    return {
        {"format", 0, "FORMAT",
         "Output format: normal (default), html or sdv (a delimited list). html and sdv convert the pattern "
         "(given or made from the Include settings) to table cells or delimited fields.",
         [](CliRequest& r, const std::string& v) {
             if (v != "normal" && v != "html" && v != "sdv") {
                 throw TabuloError("bad value '" + v + "' for --format: expected normal, html or sdv");
             }
             Assign(r, std::string(kFormatChoice), v);
         }},
        {"separator", 0, "SEP",
         "Separator of the delimited list: semicolon (default), comma, space, tab or any other text.",
         [](CliRequest& r, const std::string& v) {
             if (v.empty()) throw TabuloError("--separator needs a text");
             Assign(r, std::string(kSeparatorChoice), v);
         }},
        {"qualifier", 0, "TEXT",
         "Text written around each field of the delimited list: '\"' (default), \"'\", none or any other text.",
         [](CliRequest& r, const std::string& v) { Assign(r, std::string(kQualifierChoice), v); }},
        {"raw-pattern", 0, "PATTERN", "Line pattern used exactly as given, never converted (advanced mode).",
         [](CliRequest& r, const std::string& v) { Assign(r, std::string(kRawPatternChoice), v); }},
        {"preview", 0, "PATTERN",
         "Show PATTERN filled with sample values (sizes follow --kb, names --lowercase, numbers NumDigits) "
         "and exit.",
         [](CliRequest& r, const std::string& v) { r.preview = v; }},
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
        {"locale", 0, "NAME",
         "Dates, times, numbers, month names and name order of this locale (e.g. de_DE); "
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

std::vector<CliOption> SettingsOptions() {
    return {
        {"settings", 0, "FILE",
         "Settings file to start from and save to; default $TABULO_SETTINGS, else "
         "$XDG_CONFIG_HOME/tabulo/settings.reg (~/.config/tabulo/settings.reg).",
         [](CliRequest& r, const std::string& v) { r.settingsFile = v; }},
        {"profile", 0, "NAME", "Start from the settings saved as profile NAME; the options given here apply on top.",
         [](CliRequest& r, const std::string& v) { r.profile = v; }},
        {"save-profile", 0, "NAME",
         "Save the settings of this command line as profile NAME (a profile of that name, in any case, is "
         "replaced). With no FOLDER, only save.",
         [](CliRequest& r, const std::string& v) { r.saveProfile = v; }},
        {"save-settings",
         0,
         {},
         "Save the settings of this command line as the ones every run starts from. With no FOLDER, only save.",
         [](CliRequest& r, const std::string&) { r.saveSettings = true; }},
        {"list-profiles",
         0,
         {},
         "List the saved profiles and exit.",
         [](CliRequest& r, const std::string&) { r.listProfiles = true; }},
        {"no-settings",
         0,
         {},
         "Start from the factory settings; read and write no settings file.",
         [](CliRequest& r, const std::string&) { r.noSettings = true; }},
    };
}

std::vector<CliOption> DocumentOptions() {
    return {
        {"output-format", 0, "FORMAT",
         "Write the list as text or rtf (rich text: fonts, bold header lines); default: rtf when the "
         "-o FILE ends in .rtf and the list is in normal format, else text.",
         [](CliRequest& r, const std::string& v) {
             if (v != "text" && v != "rtf") {
                 throw TabuloError("bad value '" + v + "' for --output-format: expected text or rtf");
             }
             r.outputFormat = v;
         }},
    };
}

std::vector<CliOption> OutputOptions() {
    return {
        {"output", 'o', "FILE", "Write the list to FILE (replaced when complete) instead of standard output.",
         [](CliRequest& r, const std::string& v) { r.outputPath = v; }},
        {"crlf",
         0,
         {},
         "End lines with CR LF instead of LF.",
         [](CliRequest& r, const std::string&) { r.crlf = true; }},
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
        for (auto group : {ListingOptions, AutoCommentOptions, FormatOptions, CatalogOptions, LocaleOptions,
                           SettingsOptions, DocumentOptions, OutputOptions}) {
            for (CliOption& o : group())
                all.push_back(std::move(o));
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
        "       tabulo-cli [OPTIONS] -iCATALOG\n"
        "       tabulo-cli [OPTIONS] --save-settings | --save-profile NAME | --list-profiles\n"
        "List FOLDER: one line per file made from a pattern of tokens (%NAME %SIZE %DATE ...),\n"
        "with folder headers and summaries, as plain text, an HTML page or a delimited list.\n"
        "With -i, list the folders and files of a disk cataloguer's catalog file the same way.\n"
        "In simple mode the pattern is made from the Include settings: %NAME, then %SIZE,\n"
        "%DATE, %TIME and %ATTR for IncludeSize, IncludeDate, IncludeTime and IncludeAttr.\n"
        "A pattern or an html or sdv --format means advanced mode (--set AdvancedMode=off: simple).\n"
        "With a pattern, the fields it needs follow from it (AutoComments for %COMM, %FILE_...,\n"
        "%MP3_... and %IPTC_..., file times for %CTIM and %ATIM, fixed columns for plain lines);\n"
        "a setting given with --set keeps the value given.\n"
        "Every run starts from the stored settings (those the desktop program keeps: main window,\n"
        "Options, Advanced window and its mode, page setup, exclusions) or --profile NAME; the\n"
        "options given apply on top.\n"
        "\nOptions:\n";
    for (const CliOption& o : CliOptions()) {
        std::string head = "  ";
        head += o.shortName ? std::string("-") + o.shortName + ", " : "    ";
        head += "--" + std::string(o.longName);
        if (!o.argument.empty()) head += " " + std::string(o.argument);
        if (head.size() < 30)
            head.append(30 - head.size(), ' ');
        else
            head += "\n" + std::string(30, ' ');
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
