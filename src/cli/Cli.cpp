#include "cli/Cli.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "app/ProgramWindows.h"
#include "catalog/CatalogImport.h"
#include "cli/CommandLine.h"
#include "cli/TerminalStatus.h"
#include "document/AtomicFile.h"
#include "document/Document.h"
#include "document/RtfWriter.h"
#include "engine/SettingFields.h"
#include "format/Listing.h"
#include "format/PatternForm.h"
#include "format/Tokens.h"
#include "metadata/ArchiveMembers.h"
#include "metadata/AutoComments.h"
#include "platform/TabuloError.h"
#include "platform/Utf8.h"

namespace tabulo {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;

// A message for one line of standard error: each run of line breaks in the program's messages
// becomes one blank.
std::string OneLine(const std::string& text) {
    std::string line;
    for (const char c : text) {
        if (c != '\r' && c != '\n')
            line += c;
        else if (line.empty() || line.back() != ' ')
            line += ' ';
    }
    return line;
}

// The pattern and format choices of this command line, gathered in command-line order; a later
// choice replaces an earlier one.
struct FormatChoices {
    std::optional<std::string> pattern;   // a given pattern
    bool raw = false;                     // given by --raw-pattern: never converted
    std::optional<PatternFormat> format;  // a chosen format; none: the format in force stays
    bool convert = false;                 // chosen by --format: the pattern is converted to it
    std::optional<int> separatorIndex;
    std::string separatorText;
    std::optional<std::string> qualifier;
    std::optional<bool> advancedMode;  // --set AdvancedMode
};

PatternFormat FormatNamed(const std::string& name) {
    if (name == "normal") return PatternFormat::Normal;
    if (name == "html") return PatternFormat::HTML;
    if (name == "sdv") return PatternFormat::Delimited;
    throw TabuloError("bad value '" + name + "' for --format: expected normal, html or sdv");
}

PatternFormat FormatOf(const ListSettings& settings) {
    if (settings.rbHTML) return PatternFormat::HTML;
    if (settings.rbSDV) return PatternFormat::Delimited;
    return PatternFormat::Normal;
}

void ChooseSeparator(FormatChoices& choices, const std::string& value) {
    choices.separatorText.clear();
    if (value == "semicolon" || value == ";")
        choices.separatorIndex = kSeparatorSemicolon;
    else if (value == "comma" || value == ",")
        choices.separatorIndex = kSeparatorComma;
    else if (value == "space" || value == " ")
        choices.separatorIndex = kSeparatorSpace;
    else {
        choices.separatorIndex = kSeparatorOther;
        choices.separatorText = value == "tab" ? "\t" : value;
    }
}

// Fields that the pattern and mode models write; an explicit --set of one of them has the last
// word over what the models derive.
bool IsModelField(std::string_view field) {
    for (std::string_view name : {"FixedColumns", "UseAutoComments", "UseFileTimes", "cbEXE", "cbImage", "cbMPEG",
                                  "FormatSDV", "IncludeDate", "IncludeTime", "IncludeSize", "IncludeAttr"}) {
        if (field == name) return true;
    }
    return false;
}

// The main window's Include boxes, set through the mode model as a click sets them.
struct IncludeBox {
    std::string_view field;
    bool ListSettings::*member;
    void (ModeModel::*set)(bool);
};
constexpr IncludeBox kIncludeBoxes[] = {
    {"IncludeDate", &ListSettings::IncludeDate, &ModeModel::SetInclDate},
    {"IncludeTime", &ListSettings::IncludeTime, &ModeModel::SetInclTime},
    {"IncludeSize", &ListSettings::IncludeSize, &ModeModel::SetInclSize},
    {"IncludeAttr", &ListSettings::IncludeAttr, &ModeModel::SetAttr},
};

// The listing settings that are controls of the Advanced window: the window takes the value, so
// it is in force in advanced mode too and is stored with the window.
struct AdvancedControl {
    std::string_view field;
    void (*set)(TPatternForm&, const ListSettings&);
};
constexpr AdvancedControl kAdvancedControls[] = {
    {"IncludeAllFiles", [](TPatternForm& f, const ListSettings& s) { f.SetHiddenFiles(s.IncludeAllFiles); }},
    {"cbZip", [](TPatternForm& f, const ListSettings& s) { f.SetSource(CommentSource::Zip, s.cbZip); }},
    {"cbHTML", [](TPatternForm& f, const ListSettings& s) { f.SetSource(CommentSource::HTML, s.cbHTML); }},
    {"cbMPEG", [](TPatternForm& f, const ListSettings& s) { f.SetSource(CommentSource::MPEG, s.cbMPEG); }},
    {"cbImage", [](TPatternForm& f, const ListSettings& s) { f.SetSource(CommentSource::Image, s.cbImage); }},
    {"cbEXE", [](TPatternForm& f, const ListSettings& s) { f.SetSource(CommentSource::EXE, s.cbEXE); }},
    {"cbDescript",
     [](TPatternForm& f, const ListSettings& s) { f.SetSource(CommentSource::DescriptIon, s.cbDescript); }},
    {"cbURL", [](TPatternForm& f, const ListSettings& s) { f.SetSource(CommentSource::URL, s.cbURL); }},
    {"cbLNK", [](TPatternForm& f, const ListSettings& s) { f.SetSource(CommentSource::LNK, s.cbLNK); }},
    {"NumDigits", [](TPatternForm& f, const ListSettings& s) { f.SetNumDigits(s.NumDigits); }},
    {"MaxLengthComment", [](TPatternForm& f, const ListSettings& s) { f.SetMaxLengthComment(s.MaxLengthComment); }},
    {"LongCaption", [](TPatternForm& f, const ListSettings& s) { f.SetLongCaption(s.LongCaption); }},
    {"MaxCaptionLength", [](TPatternForm& f, const ListSettings& s) { f.SetMaxCaptionLength(s.MaxCaptionLength); }},
};

// One --set NAME=VALUE (or an option standing for one) applied to the windows: the pattern, the
// format buttons and the mode are gathered as choices; the Include boxes go through the mode
// model; the Advanced window's controls take their value; everything else is a listing setting.
void AssignSetting(ProgramWindows& program, const std::string& name, const std::string& value, FormatChoices& choices,
                   std::vector<std::pair<std::string, std::string>>& kept) {
    ListSettings& settings = program.main.settings;
    ListSettings assigned = settings;
    SetListSetting(assigned, name, value);  // throws for an unknown name or a bad value
    const std::string_view field = FindSettingField(name)->name;
    if (IsModelField(field)) kept.emplace_back(name, value);
    if (field == "ActivePattern") {
        choices.pattern = value;
        choices.raw = false;
        return;
    }
    if (field == "AdvancedMode") {
        choices.advancedMode = assigned.AdvancedMode;
        return;
    }
    if (field == "rbNormal" || field == "rbHTML" || field == "rbSDV") {
        // A format set by name is taken as it is, without converting the pattern.
        choices.format = FormatOf(assigned);
        choices.convert = false;
        return;
    }
    for (const IncludeBox& box : kIncludeBoxes) {
        if (field == box.field) {
            (program.mode.*box.set)(assigned.*box.member);
            return;
        }
    }
    settings = std::move(assigned);
    for (const AdvancedControl& control : kAdvancedControls) {
        if (field == control.field) control.set(program.advanced, settings);
    }
}

// The joint between the fields of a delimited pattern made with this separator and qualifier.
JointMemory JointOf(std::string_view separator, const std::string& qualifier) {
    const std::string q = qualifier == kNoQualifier ? std::string() : qualifier;
    return {q + std::string(separator) + q, q};
}

// The pattern and format choices made in the Advanced window that will be in force. A given
// pattern (or `simplePattern`, when simple mode is left) is typed in, so the boxes follow it, and
// converts as plain lines do; the format in force stays unless one is chosen. --format converts
// the pattern as the "Format output" page does; a separator or qualifier given for a stored
// delimited pattern rewrites its joints.
void ApplyFormatChoices(TPatternForm& form, const FormatChoices& choices, std::optional<std::string> simplePattern) {
    const PatternFormat formatInForce = simplePattern ? PatternFormat::Normal : form.SelectedFormat();
    const JointMemory storedJoint = JointOf(form.getSeparator(), form.Qualifier());
    const bool typed = choices.pattern || simplePattern;
    if (typed) {
        form.SetPatternText(choices.pattern ? *choices.pattern : *simplePattern);
        // The boxes and the format buttons follow the text, as when it is typed; a text that
        // already has the chosen format's look (cells, separators) is therefore not converted.
        form.ParseEdPattern();
    }
    const bool convert = choices.format && choices.convert && !choices.raw;
    {
        TPatternForm::LoadScope guard(form);
        if (typed) {
            form.SetCurrentFormat(kFormatNormal);
            if (!choices.format) form.SelectFormat(formatInForce);
        }
        if (choices.separatorIndex) {
            form.SetSeparatorText(choices.separatorText);
            form.SetSeparatorIndex(*choices.separatorIndex);
        }
        if (choices.qualifier) form.SetQualifier(*choices.qualifier);
        if (choices.format && !convert) form.SelectFormat(*choices.format);
    }
    if (convert && form.SelectedFormat() != *choices.format) {
        form.SelectFormat(*choices.format);
        return;
    }
    if (!typed && (choices.separatorIndex || choices.qualifier) && form.SelectedFormat() == PatternFormat::Delimited &&
        form.CurrentFormat() == kFormatDelimited) {
        JointMemory last = storedJoint;
        std::string pattern =
            ConvertToDelimited(form.PatternText(), kFormatDelimited, form.getSeparator(), form.Qualifier(), last);
        TPatternForm::LoadScope guard(form);
        form.SetPatternText(std::move(pattern));
    }
}

// The command line's options on top of the windows as they were started: assignments in
// command-line order, then, when the run is in advanced mode, the pattern and format choices in
// the Advanced window, then the mode (a given pattern or a chosen HTML or delimited format means
// advanced mode; an explicit AdvancedMode has the last word). Returns the settings of the run;
// explicit assignments of derived fields win over what the models derive.
ListSettings ApplyCommandLine(const CliRequest& request, ProgramWindows& program) {
    FormatChoices choices;
    std::vector<std::pair<std::string, std::string>> kept;
    for (const auto& [name, value] : request.assignments) {
        if (name == kFormatChoice) {
            choices.format = FormatNamed(value);
            choices.convert = true;
        } else if (name == kSeparatorChoice) {
            ChooseSeparator(choices, value);
        } else if (name == kQualifierChoice) {
            choices.qualifier = value == "none" ? std::string(kNoQualifier) : value;
        } else if (name == kRawPatternChoice) {
            choices.pattern = value;
            choices.raw = true;
        } else {
            AssignSetting(program, name, value, choices, kept);
        }
    }

    ModeModel& mode = program.mode;
    const bool storedAdvanced = mode.AdvancedMode();
    const bool formatSwitches = choices.format && *choices.format != PatternFormat::Normal;
    const bool advanced = choices.advancedMode.value_or(storedAdvanced || choices.pattern || formatSwitches);
    if (advanced) {
        // Switching from simple mode starts from the simple pattern, as "&Advanced" does, unless
        // advanced mode was asked for by name: then the Advanced window comes back as it stands.
        const bool formInForce = choices.advancedMode.value_or(storedAdvanced);
        ApplyFormatChoices(program.advanced, choices, formInForce ? std::nullopt : std::optional(mode.MakePattern()));
        program.advanced.SetAdvancedModeFlag(true);
        mode.SetAdvancedMode();
    } else if (storedAdvanced || program.advanced.AdvancedMode()) {
        mode.btnSimpleClick();
    }
    mode.PrepareRun();
    ListSettings& settings = program.main.settings;
    for (const auto& [name, value] : kept)
        SetListSetting(settings, name, value);
    return settings;
}

Locale EffectiveLocale(const CliRequest& request, const CliIo& io) {
    Locale locale = request.localeName ? Locale::FromName(*request.localeName)
                                       : (io.locale ? *io.locale : Locale::FromEnvironment());
    LocaleFormats& f = locale.MutableFormats();
    if (request.dateFormat) f.shortDate = *request.dateFormat;
    if (request.timeFormat) f.longTime = *request.timeFormat;
    if (request.shortTimeFormat) f.shortTime = *request.shortTimeFormat;
    if (request.thousandsSeparator) f.thousandsSeparator = *request.thousandsSeparator;
    return locale;
}

// The folder as an absolute path without a final "/" (the root keeps it).
std::string StartFolder(const std::string& operand) {
    std::filesystem::path p = std::filesystem::absolute(operand).lexically_normal();
    std::string s = p.string();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

int Usage(CliIo& io, const std::string& message) {
    io.err << "tabulo-cli: " << message << "\nTry 'tabulo-cli --help' for more information.\n";
    return kExitUsage;
}

// Whether the list is written as RTF: when asked for, or for a normal list going to a .rtf file.
bool WritesRtf(const CliRequest& request, const ListSettings& settings) {
    if (!request.outputFormat.empty()) return request.outputFormat == "rtf";
    const std::string& path = request.outputPath;
    return settings.rbNormal && path.size() > 4 && utf8::ToLower(path.substr(path.size() - 4)) == ".rtf";
}

// Where the list goes: standard output or a file that replaces the named one when the list is
// complete. Text streams out as it is made; RTF is collected in a document and written at the end.
class ListOutput {
  public:
    ListOutput(const CliRequest& request, const ListSettings& settings, ByteSink& standardOutput)
        : path_(request.outputPath) {
        if (!path_.empty()) {
            file_ = std::make_unique<AtomicFile>(path_);
            fileSink_ = std::make_unique<FdSink>(file_->Fd());
        }
        sink_ = fileSink_ ? static_cast<ByteSink*>(fileSink_.get()) : &standardOutput;
        if (WritesRtf(request, settings)) {
            document_ = std::make_unique<tabulo::Document>();
        } else {
            stream_ = std::make_unique<PlainTextStream>(*sink_, request.crlf ? "\r\n" : "\n");
        }
    }

    OutputDocument& Document() {
        if (document_) return *document_;
        return *stream_;
    }

    // Writes out the rest of the list; throws TabuloError when writing failed.
    void Finish() {
        if (document_) WriteRtf(*document_, *sink_);
        if (!sink_->Flush()) {
            const int error = fileSink_ ? fileSink_->Error() : EIO;
            throw TabuloError(file_ ? file_->Failure(error)
                                    : "cannot write the list: " + std::string(std::strerror(error)));
        }
        if (file_) file_->Commit();
    }

  private:
    std::string path_;
    std::unique_ptr<AtomicFile> file_;
    std::unique_ptr<FdSink> fileSink_;
    ByteSink* sink_ = nullptr;
    std::unique_ptr<PlainTextStream> stream_;
    std::unique_ptr<tabulo::Document> document_;
};

// The metadata readers of a run; they must outlive it.
struct MetadataServices {
    FileAutoComments autoComments;
    LibArchiveLister archives;
};

// The services a run reads the world through.
ListingServices MakeServices(const Locale& locale, RunObserver& observer, MetadataServices& metadata) {
    ListingServices services;
    services.locale = &locale;
    services.observer = &observer;
    services.autoComments = &metadata.autoComments;
    services.archives = &metadata.archives;
    return services;
}

// Checks the folder operand and makes it the start folder; an empty text names the problem.
std::string StartFolderProblem(const std::string& operand, RunState& state) {
    state.StartDir = StartFolder(operand);
    struct stat st {};
    if (::stat(state.StartDir.c_str(), &st) != 0) return std::strerror(errno);
    if (!S_ISDIR(st.st_mode)) return "Not a folder";
    return {};
}

// The full path of this program, as the store records it for a saved profile.
std::string ProgramPath() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.string();
}

// The settings a run of tabulo-cli starts from and may save: the program's windows started as the
// desktop program starts them (main window, Options window, Advanced window and the mode it
// stored, page setup, exclusion lists) and, with --profile, a profile loaded on top. The command
// line's options then apply to these windows, and a save stores them as they stand.
class CliSettings {
  public:
    explicit CliSettings(const CliRequest& request)
        : store_(request.settingsFile ? *request.settingsFile : SettingsStore::DefaultPath()),
          useStore_(!request.noSettings && !store_.Path().empty()),
          program_(useStore_ ? &store_ : nullptr) {
        store_.SetWritable(false);  // written only when asked
    }

    // Throws TabuloError for a combination of options that cannot be met.
    static void Check(const CliRequest& request) {
        if (request.noSettings && (request.profile || request.saveProfile || request.saveSettings ||
                                   request.listProfiles || request.settingsFile)) {
            throw TabuloError("--no-settings cannot be combined with options that read or write settings");
        }
        if (request.saveProfile && !UsableProfileName(*request.saveProfile)) {
            throw TabuloError("cannot use '" + *request.saveProfile +
                              "' as a profile name: it holds an empty part between backslashes or a control "
                              "character");
        }
    }

    std::vector<std::string> Profiles() { return useStore_ ? ListProfiles(store_) : std::vector<std::string>{}; }

    // Starts the windows from the stored settings (the factory settings without a store) and
    // loads the profile; throws TabuloError for a profile that is not there.
    void Start(const CliRequest& request) {
        program_.StartUp();
        if (!useStore_ || !request.profile) return;
        if (!request.profile->empty() && !ProfileKeyExists(store_, *request.profile)) {
            std::string known;
            for (const std::string& name : ListProfiles(store_))
                known += (known.empty() ? "" : ", ") + name;
            throw TabuloError("no profile named '" + *request.profile + "' in " + store_.Path() +
                              (known.empty() ? " (there are none)" : "; profiles: " + known));
        }
        program_.LoadProfile(*request.profile);
        // A profile chosen on the command line is meant to be in force: its options too.
        ApplyOptions(program_.options, program_.main.settings, program_.main.btnTreeViewDown);
    }

    // The settings of the run: the command line's options on top of the started windows.
    ListSettings Apply(const CliRequest& request) { return ApplyCommandLine(request, program_); }

    // The Advanced window's preview line of a pattern, with the command line's options on top
    // (sizes as KB and lower case through the Options window, the number of digits).
    std::string Preview(const CliRequest& request, const std::string& pattern) {
        ApplyCommandLine(request, program_);
        program_.options.SetBoxesFrom(program_.main.settings.ListOptions);
        return program_.advanced.ParseLine(pattern);
    }

    // Saves the windows with the command line's options (profile and/or the main key): the main
    // group and exclusion lists, the Options window (its boxes follow the run's options), the
    // Advanced window and the page setup. Throws TabuloError when the store cannot be written.
    void Save(const CliRequest& request, const std::string& listedFolder) {
        if (!request.saveProfile && !request.saveSettings) return;
        if (!useStore_) {
            throw TabuloError("no place for the settings file: set TABULO_SETTINGS or HOME, or use --settings FILE");
        }
        MainWindowState& main = program_.main;
        main.MatchControlsToSettings();
        program_.options.SetBoxesFrom(main.settings.ListOptions);
        if (!listedFolder.empty()) main.currentFolder = listedFolder;
        main.programPath = ProgramPath();
        store_.SetWritable(true);
        store_.ClearError();
        if (request.saveProfile) program_.SaveProfile(*request.saveProfile);
        if (request.saveSettings) program_.SaveProfile({});
        store_.SetWritable(false);
        if (!store_.LastError().empty()) throw TabuloError(store_.LastError());
    }

  private:
    SettingsStore store_;
    bool useStore_;
    ProgramWindows program_;
};

}  // namespace

int RunCli(const std::vector<std::string>& args, CliIo& io) {
    CliRequest request;
    ListSettings settings;
    std::unique_ptr<CliSettings> stored;
    try {
        request = ParseCommandLine(args);
        if (request.help) {
            io.out.Write(HelpText());
            io.out.Flush();
            return kExitOk;
        }
        if (request.version) {
            io.out.Write(std::string("tabulo-cli ") + TABULO_VERSION + "\n");
            io.out.Flush();
            return kExitOk;
        }
        CliSettings::Check(request);
        stored = std::make_unique<CliSettings>(request);
        if (request.listProfiles) {
            for (const std::string& name : stored->Profiles())
                io.out.Write(name + "\n");
            io.out.Flush();
            return kExitOk;
        }
        const bool onlySaving = request.saveSettings || request.saveProfile;
        if (request.catalogPath) {
            if (!request.operands.empty()) return Usage(io, "a catalog is listed instead of a folder, not with one");
        } else if (!request.preview && (request.operands.size() > 1 || (request.operands.empty() && !onlySaving))) {
            return Usage(io, request.operands.empty() ? "no folder given" : "only one folder can be listed");
        }
        stored->Start(request);
        if (request.preview) {
            io.out.Write(stored->Preview(request, *request.preview) + "\n");
            io.out.Flush();
            return kExitOk;
        }
        settings = stored->Apply(request);
    } catch (const TabuloError& e) {
        return Usage(io, e.what());
    }

    RunState state;
    // A catalog's entries are not looked up on disk: its import has no start folder.
    if (!request.catalogPath && !request.operands.empty()) {
        if (const std::string problem = StartFolderProblem(request.operands[0], state); !problem.empty()) {
            io.err << "tabulo-cli: cannot list '" << request.operands[0] << "': " << problem << "\n";
            return kExitFailed;
        }
    }
    try {
        stored->Save(request, state.StartDir);
    } catch (const TabuloError& e) {
        io.err << "tabulo-cli: " << OneLine(e.what()) << "\n";
        return kExitFailed;
    }
    if (request.operands.empty() && !request.catalogPath) return kExitOk;

    const Locale locale = EffectiveLocale(request, io);
    try {
        ListOutput output(request, settings, io.out);
        TerminalStatus status(io.err, io.errIsTerminal, io.interrupted, io.terminalWidth);
        MetadataServices metadata;
        const ListingServices services = MakeServices(locale, status, metadata);
        ListingRun::ApplyListingFont(settings, output.Document());
        std::string error;
        bool aborted = false;
        if (request.catalogPath) {
            std::string refusal;
            const ImportResult result =
                ImportCatalog(settings, state, output.Document(), services, *request.catalogPath,
                              [&refusal](const UserMessage& m) { refusal = m.text; });
            error = result.refused ? refusal : result.error;
            aborted = result.aborted;
        } else {
            const RunResult result = ListFolder(settings, state, output.Document(), services);
            error = result.error;
            aborted = result.aborted;
        }
        output.Finish();

        if (io.errIsTerminal) io.err << status.Panel1() << "\n";
        if (!error.empty()) {
            io.err << "tabulo-cli: " << OneLine(error) << "\n";
            return kExitFailed;
        }
        if (aborted || (io.interrupted && io.interrupted->load())) return kExitInterrupted;
        return kExitOk;
    } catch (const std::exception& e) {
        io.err << "tabulo-cli: " << OneLine(e.what()) << "\n";
        return kExitFailed;
    }
}

}  // namespace tabulo
