#include "cli/Cli.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "cli/CommandLine.h"
#include "cli/TerminalStatus.h"
#include "engine/SettingFields.h"
#include "format/Listing.h"
#include "format/Tokens.h"
#include "metadata/ArchiveMembers.h"
#include "metadata/AutoComments.h"
#include "platform/TabuloError.h"

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

// The output file: written under a temporary name beside it and renamed over it when complete,
// so an interrupted or failed run never leaves half a list in place of a good one.
class OutputFile {
public:
    explicit OutputFile(std::string path) : path_(std::move(path)) {
        const std::filesystem::path target(path_);
        const std::string folder = target.has_parent_path() ? target.parent_path().string() : ".";
        temp_ = folder + "/." + target.filename().string() + ".tabulo-XXXXXX";
        fd_ = ::mkstemp(temp_.data());
        if (fd_ < 0) throw TabuloError("cannot write '" + path_ + "': " + std::strerror(errno));
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd_, 0666 & ~mask);
    }
    ~OutputFile() {
        if (fd_ >= 0) ::close(fd_);
        if (!committed_) ::unlink(temp_.c_str());
    }
    int Fd() const { return fd_; }
    void Commit() {
        if (::fsync(fd_) != 0 || ::close(fd_) != 0) {
            fd_ = -1;
            throw TabuloError("cannot write '" + path_ + "': " + std::strerror(errno));
        }
        fd_ = -1;
        if (::rename(temp_.c_str(), path_.c_str()) != 0) {
            throw TabuloError("cannot write '" + path_ + "': " + std::strerror(errno));
        }
        committed_ = true;
    }

private:
    std::string path_;
    std::string temp_;
    int fd_ = -1;
    bool committed_ = false;
};

int Usage(CliIo& io, const std::string& message) {
    io.err << "tabulo-cli: " << message << "\nTry 'tabulo-cli --help' for more information.\n";
    return kExitUsage;
}

// Where the list goes: a plain-text stream to standard output or to a file that replaces the
// named one when the list is complete.
class ListOutput {
public:
    ListOutput(const CliRequest& request, ByteSink& standardOutput) : path_(request.outputPath) {
        if (!path_.empty()) {
            file_ = std::make_unique<OutputFile>(path_);
            fileSink_ = std::make_unique<FdSink>(file_->Fd());
        }
        sink_ = fileSink_ ? static_cast<ByteSink*>(fileSink_.get()) : &standardOutput;
        stream_ = std::make_unique<PlainTextStream>(*sink_, request.crlf ? "\r\n" : "\n");
    }

    OutputDocument& Document() { return *stream_; }

    // Writes out the rest of the list; throws TabuloError when writing failed.
    void Finish() {
        if (!sink_->Flush()) {
            const int error = fileSink_ ? fileSink_->Error() : EIO;
            throw TabuloError("cannot write " + (file_ ? "'" + path_ + "'" : std::string("the list")) + ": " +
                              std::strerror(error));
        }
        if (file_) file_->Commit();
    }

private:
    std::string path_;
    std::unique_ptr<OutputFile> file_;
    std::unique_ptr<FdSink> fileSink_;
    ByteSink* sink_ = nullptr;
    std::unique_ptr<PlainTextStream> stream_;
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
        ListOutput output(request, io.out);
        TerminalStatus status(io.err, io.errIsTerminal, io.interrupted, io.terminalWidth);
        MetadataServices metadata;
        const ListingServices services = MakeServices(locale, status, metadata);
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
