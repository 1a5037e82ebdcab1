#include "cli/Cli.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "cli/CommandLine.h"
#include "cli/TerminalStatus.h"
#include "document/AtomicFile.h"
#include "document/Document.h"
#include "document/RtfWriter.h"
#include "engine/SettingFields.h"
#include "format/Listing.h"
#include "format/Tokens.h"
#include "platform/TabuloError.h"
#include "platform/Utf8.h"

namespace tabulo {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;

// A message for one line of standard error: the CR LF of the program's messages become blanks.
std::string OneLine(std::string text) {
    for (std::size_t p; (p = text.find("\r\n")) != std::string::npos;) text.replace(p, 2, " ");
    for (char& c : text) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return text;
}

// The settings of this command line: defaults, then the assignments in order; the simple-mode
// pattern unless a pattern was given.
ListSettings EffectiveSettings(const CliRequest& request) {
    ListSettings settings;
    bool patternGiven = false;
    for (const auto& [name, value] : request.assignments) {
        SetListSetting(settings, name, value);
        if (const SettingField* f = FindSettingField(name); f && f->name == "ActivePattern") patternGiven = true;
    }
    if (patternGiven) {
        settings.AdvancedMode = true;
    } else {
        settings.ActivePattern =
            MakePattern(settings.IncludeSize, settings.IncludeDate, settings.IncludeTime, settings.IncludeAttr);
    }
    ListingRun::FixPattern(settings);
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

// The services a run reads the world through.
ListingServices MakeServices(const Locale& locale, RunObserver& observer) {
    ListingServices services;
    services.locale = &locale;
    services.observer = &observer;
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

}  // namespace

int RunCli(const std::vector<std::string>& args, CliIo& io) {
    CliRequest request;
    ListSettings settings;
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
        if (request.operands.size() != 1) {
            return Usage(io, request.operands.empty() ? "no folder given" : "only one folder can be listed");
        }
        settings = EffectiveSettings(request);
    } catch (const TabuloError& e) {
        return Usage(io, e.what());
    }

    RunState state;
    if (const std::string problem = StartFolderProblem(request.operands[0], state); !problem.empty()) {
        io.err << "tabulo-cli: cannot list '" << request.operands[0] << "': " << problem << "\n";
        return kExitFailed;
    }

    const Locale locale = EffectiveLocale(request, io);
    try {
        ListOutput output(request, settings, io.out);
        TerminalStatus status(io.err, io.errIsTerminal, io.interrupted, io.terminalWidth);
        const ListingServices services = MakeServices(locale, status);
        ListingRun::ApplyListingFont(settings, output.Document());
        const RunResult result = ListFolder(settings, state, output.Document(), services);
        output.Finish();

        if (io.errIsTerminal) io.err << status.Panel1() << "\n";
        if (!result.error.empty()) {
            io.err << "tabulo-cli: " << OneLine(result.error) << "\n";
            return kExitFailed;
        }
        if (result.aborted || (io.interrupted && io.interrupted->load())) return kExitInterrupted;
        return kExitOk;
    } catch (const std::exception& e) {
        io.err << "tabulo-cli: " << OneLine(e.what()) << "\n";
        return kExitFailed;
    }
}

}  // namespace tabulo
