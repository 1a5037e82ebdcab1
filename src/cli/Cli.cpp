#include "cli/Cli.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "app/ModeModel.h"
#include "app/SettingsLifecycle.h"
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
        if (c != '\r' && c != '\n') line += c;
        else if (line.empty() || line.back() != ' ') line += ' ';
    }
    return line;
}

// The pattern and format this command line chose, gathered in command-line order.
struct FormatChoices {
    std::optional<std::string> pattern;  // a given pattern
    bool raw = false;                    // given by --raw-pattern: never converted
    PatternFormat format = PatternFormat::Normal;
    bool convert = false;                // chosen by --format: the pattern is converted to it
    int separatorIndex = kSeparatorNone;  // kSeparatorNone: not given
    std::string separatorText;
    std::string qualifier = "\"";
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
    if (value == "semicolon" || value == ";") choices.separatorIndex = kSeparatorSemicolon;
    else if (value == "comma" || value == ",") choices.separatorIndex = kSeparatorComma;
    else if (value == "space" || value == " ") choices.separatorIndex = kSeparatorSpace;
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

// The settings the run starts from, then the assignments in order. The pattern and format
// choices are gathered in `choices`; explicit assignments of model fields are kept in `kept`.
ListSettings AssignedSettings(const CliRequest& request, ListSettings settings, FormatChoices& choices,
                              std::vector<std::pair<std::string, std::string>>& kept) {
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
            SetListSetting(settings, name, value);
            const std::string_view field = FindSettingField(name)->name;
            if (field == "ActivePattern") {
                choices.pattern = value;
                choices.raw = false;
            } else if (field == "rbNormal" || field == "rbHTML" || field == "rbSDV") {
                // A format set by name is taken as it is, without converting the pattern.
                choices.format = FormatOf(settings);
                choices.convert = false;
            } else if (IsModelField(field)) {
                kept.emplace_back(name, value);
            }
        }
    }
    return settings;
}

// The Advanced window's controls that have a listing setting take that setting's value.
void LoadAdvancedWindow(TPatternForm& form, const ListSettings& settings, const FormatChoices& choices) {
    TPatternForm::LoadScope guard(form);
    form.SetHiddenFiles(settings.IncludeAllFiles);
    const std::pair<CommentSource, bool> sources[] = {
        {CommentSource::Zip, settings.cbZip},     {CommentSource::HTML, settings.cbHTML},
        {CommentSource::MPEG, settings.cbMPEG},   {CommentSource::Image, settings.cbImage},
        {CommentSource::EXE, settings.cbEXE},     {CommentSource::DescriptIon, settings.cbDescript},
        {CommentSource::URL, settings.cbURL},     {CommentSource::LNK, settings.cbLNK},
    };
    for (const auto& [source, on] : sources) form.SetSource(source, on);
    form.SetNumDigits(settings.NumDigits);
    form.SetMaxLengthComment(settings.MaxLengthComment);
    form.SetLongCaption(settings.LongCaption);
    form.SetMaxCaptionLength(settings.MaxCaptionLength);
    form.SetResetCounter(settings.ListOptions.ResetCounter);
    form.SetQualifier(choices.qualifier);
}

// The settings of this command line, made as the desktop program makes them from the same
// choices: simple mode builds the pattern from the Include settings; a given pattern or an HTML
// or delimited format means advanced mode, where the pattern is typed into the Advanced window,
// converted to the chosen format as the "Format output" page does from plain lines, and the
// run's fields follow from the Advanced window. Explicit assignments of those fields win.
ListSettings EffectiveSettings(const CliRequest& request, const ListSettings& base) {
    FormatChoices choices;
    std::vector<std::pair<std::string, std::string>> kept;
    ListSettings settings = AssignedSettings(request, base, choices, kept);

    const OptionFlagsPreview previewOptions(settings.ListOptions);
    TPatternForm form(&previewOptions);
    ModeModel mode(settings, form);
    LoadAdvancedWindow(form, settings, choices);
    if (choices.pattern || choices.format != PatternFormat::Normal) {
        // The boxes and the format buttons follow the text, as when it is typed; a text that
        // already has the chosen format's look (cells, separators) is therefore not converted.
        form.SetPatternText(choices.pattern.value_or(mode.MakePattern()));
        form.ParseEdPattern();
        const bool convert = choices.convert && !choices.raw;
        {
            TPatternForm::LoadScope guard(form);
            // A typed text converts as plain lines do.
            form.SetCurrentFormat(kFormatNormal);
            if (choices.separatorIndex != kSeparatorNone) {
                form.SetSeparatorText(choices.separatorText);
                form.SetSeparatorIndex(choices.separatorIndex);
            }
            if (!convert) form.SelectFormat(choices.format);
        }
        if (convert) form.SelectFormat(choices.format);
        mode.SetAdvancedMode();
    }
    mode.PrepareRun();
    for (const auto& [name, value] : kept) SetListSetting(settings, name, value);
    return settings;
}

// The preview line of a pattern, with the command line's size, case and digit settings.
std::string PreviewText(const CliRequest& request, const ListSettings& base) {
    FormatChoices choices;
    std::vector<std::pair<std::string, std::string>> kept;
    const ListSettings settings = AssignedSettings(request, base, choices, kept);
    const OptionFlagsPreview previewOptions(settings.ListOptions);
    TPatternForm form(&previewOptions);
    form.SetNumDigits(settings.NumDigits);
    return form.ParseLine(*request.preview);
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
    while (s.size() > 1 && s.back() == '/') s.pop_back();
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

// The settings a run of tabulo-cli starts from and may save: the state that the desktop program's
// windows keep, read from the store as the desktop program starts (main window, Options window,
// page setup, exclusion lists) and, with --profile, from a profile on top. Without an Advanced
// window the "\Advanced" group is only carried along, so a saved profile keeps it whole; the
// pattern and format choices in force come from the command line.
class CliSettings {
public:
    explicit CliSettings(const CliRequest& request)
        : store_(request.settingsFile ? *request.settingsFile : SettingsStore::DefaultPath()),
          windows_{main_, options_, pageSetup_, &advanced_, nullptr},
          useStore_(!request.noSettings && !store_.Path().empty()) {
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

    // Reads the stored settings and the profile; throws TabuloError for a profile that is not there.
    void Start(const CliRequest& request) {
        if (!useStore_) return;
        StartUpSettings(store_, windows_);
        if (!request.profile) return;
        if (!request.profile->empty() && !ProfileKeyExists(store_, *request.profile)) {
            std::string known;
            for (const std::string& name : ListProfiles(store_)) known += (known.empty() ? "" : ", ") + name;
            throw TabuloError("no profile named '" + *request.profile + "' in " + store_.Path() +
                              (known.empty() ? " (there are none)" : "; profiles: " + known));
        }
        LoadProfile(store_, windows_.Owners(), *request.profile);
        // A profile chosen on the command line is meant to be in force: its options too.
        ApplyOptions(options_, main_.settings, main_.btnTreeViewDown);
    }

    const ListSettings& Settings() const { return main_.settings; }

    // Saves the effective settings as asked (profile and/or the main key). Throws TabuloError when
    // the store cannot be written.
    void Save(const CliRequest& request, const ListSettings& effective, const std::string& listedFolder) {
        if (!request.saveProfile && !request.saveSettings) return;
        if (store_.Path().empty()) {
            throw TabuloError("no place for the settings file: set TABULO_SETTINGS or HOME, or use --settings FILE");
        }
        main_.settings = effective;
        main_.MatchControlsToSettings();
        options_.SetBoxesFrom(effective.ListOptions);
        if (!listedFolder.empty()) main_.currentFolder = listedFolder;
        main_.programPath = ProgramPath();
        store_.SetWritable(true);
        store_.ClearError();
        if (request.saveProfile) SaveProfile(store_, windows_.Owners(), *request.saveProfile);
        if (request.saveSettings) SaveProfile(store_, windows_.Owners(), {});
        store_.SetWritable(false);
        if (!store_.LastError().empty()) throw TabuloError(store_.LastError());
    }

private:
    SettingsStore store_;
    MainWindowState main_;
    TOptionsForm options_;
    PageSetupFields pageSetup_;
    StoredAdvancedGroup advanced_;
    SettingsWindows windows_;
    bool useStore_;
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
            for (const std::string& name : stored->Profiles()) io.out.Write(name + "\n");
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
            io.out.Write(PreviewText(request, stored->Settings()) + "\n");
            io.out.Flush();
            return kExitOk;
        }
        settings = EffectiveSettings(request, stored->Settings());
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
        stored->Save(request, settings, state.StartDir);
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
            const ImportResult result = ImportCatalog(settings, state, output.Document(), services, *request.catalogPath,
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
