#include "engine/ListingRun.h"

#include <exception>

#include "engine/FolderWalker.h"
#include "engine/NumberFormat.h"
#include "platform/Utf8.h"

namespace tabulo {

ListingRun::ListingRun(const ListSettings& settings, RunState& state, OutputDocument& document, const Locale& locale,
                       VolumeFacts& volumes, RunObserver& observer, FolderPrinter& printer,
                       AutoCommentsSource& autoComments, ArchiveLister& archives)
    : settings_(settings),
      state_(state),
      document_(document),
      locale_(locale),
      volumes_(volumes),
      observer_(observer),
      printer_(printer),
      autoComments_(autoComments),
      archives_(archives) {}

void ListingRun::FixPattern(ListSettings& settings) {
    if (utf8::CharCount(settings.ActivePattern) < 5) settings.ActivePattern = "%NAME";
}

void ListingRun::ApplyListingFont(const ListSettings& settings, OutputDocument& document) {
    if (settings.UseDefaultFont)
        document.SetListingFont(settings.FontName, settings.FontSize, settings.FontColor);
    else
        document.SetListingFont("Courier New", 10, 0);
}

std::string ListingRun::FreeSpaceText(std::int64_t freeBytes, const std::string& separator) {
    std::int64_t f = freeBytes;
    if (f > 0) f /= 1024;
    if (f <= 1024) return f > 0 ? FormatThousands(f, separator) + " KB free" : "0 KB free";
    return FormatThousands(f / 1024, separator) + " MB free";
}

void ListingRun::WriteHead() {
    const bool html = settings_.rbHTML;
    const OptionFlags& options = settings_.ListOptions;
    const std::string& startDir = state_.StartDir;
    if (html) {
        document_.AddNormalText("<html>");
        document_.AddNormalText("<head>");
        document_.AddNormalText("<title>Directory of " + utf8::HtmlEscape(startDir) + "</title>");
        document_.AddNormalText("<style>body { font-family : Verdana,arial,helvetica; }</style>");
        document_.AddNormalText("</head>");
        document_.AddNormalText("<body>");
    }
    if (options.VolumeLabel && !volumes_.IsNetwork(startDir)) {
        std::string label = volumes_.Label(startDir);
        if (label.empty()) label = "unknown";
        std::string root = volumes_.MountPoint(startDir);
        utf8::ReplaceControls(label);
        utf8::ReplaceControls(root);
        if (html) {
            document_.AddNormalText("<p>Volume in drive " + utf8::HtmlEscape(root) + " is " + utf8::HtmlEscape(label) +
                                    "</p>");
        } else {
            document_.SetLeftMargin(settings_.LeftMargin);
            document_.AddBoldText("Volume in drive " + root + " is " + label);
            if (!options.FullPath) document_.AddNormalText("");
        }
    }
    if (!options.FullPath) {
        std::string shown = startDir;
        utf8::ReplaceControls(shown);
        if (html) {
            document_.AddNormalText("<p>Startdir is " + utf8::HtmlEscape(shown) + "</p>");
        } else {
            document_.SetLeftMargin(settings_.LeftMargin);
            document_.AddBoldText("Startdir is " + shown);
        }
    }
}

void ListingRun::Walk() {
    FolderWalker walker(settings_, state_, document_, locale_, observer_, printer_, autoComments_, archives_);
    const OptionFlags& options = settings_.ListOptions;
    state_.Level = 0;
    if (options.FoldersOnly) {
        observer_.SetStatusPanel(0, "Please wait ...");
        observer_.SetStatusPanel(1, "Scanning " + state_.StartDir);
        observer_.SetDirLabel(state_.StartDir);
        observer_.ProcessMessages(state_);
        state_.SubfolderList.emplace();
        struct Release {
            RunState& state;
            ~Release() { state.SubfolderList.reset(); }
        } release{state_};
        if (settings_.IncludeFolders) {
            walker.SearchRecursive(state_.StartDir);
        } else {
            std::string name = state_.StartDir;
            if (options.LowerCase)
                name = utf8::ToLower(name);
            else if (options.UpperCase)
                name = utf8::ToUpper(name);
            state_.SubfolderList->push_back(std::move(name));
        }
        walker.SearchOnlyDirectory();
        state_.FolderCount = static_cast<std::int32_t>(state_.SubfolderList->size());
    } else if (options.DosLikeListing) {
        walker.SearchCurrentDirectory(state_.StartDir);
    } else if (settings_.IncludeFolders) {
        walker.SearchRecursive(state_.StartDir);
    } else {
        state_.Level = 1;
        walker.SearchCurrentDirectory(state_.StartDir);
    }
}

void ListingRun::WriteTotalSummary() {
    const OptionFlags& options = settings_.ListOptions;
    if (!options.TotalSummary) return;
    const std::string& sep = locale_.Formats().thousandsSeparator;
    const std::int64_t totalKB = KBValue(state_.TotalSize);
    const std::string freeText = FreeSpaceText(volumes_.FreeBytes(state_.StartDir), sep);
    if (settings_.rbHTML) {
        if (options.FoldersOnly) {
            document_.AddNormalText("<p>" + std::to_string(state_.FolderCount) + " folders found</p>");
        } else {
            document_.AddNormalText("<br>\r<p><b>Total summary:</b><br>");
            document_.AddNormalText(std::to_string(state_.FileCount) + " files found<br>");
            document_.AddNormalText("Total file size " + FormatThousands(totalKB, sep) + " KB<br>");
            document_.AddNormalText(freeText + "</p>");
        }
        return;
    }
    document_.SetLeftMargin(settings_.LeftMargin);
    if (options.FoldersOnly) {
        document_.AddNormalText("\r " + std::to_string(state_.FolderCount) + " folders found");
    } else {
        document_.AddBoldText("\r Total summary:");
        document_.AddNormalText(" " + std::to_string(state_.FileCount) + " file(s) found");
        document_.AddNormalText(" Total file size " + FormatThousands(totalKB, sep) + " KB");
        document_.AddNormalText(" " + freeText);
    }
}

RunResult ListingRun::Execute() {
    RunResult result;
    if (state_.StartDir.empty()) return result;
    if (state_.Running.exchange(true)) return result;
    struct RunningGuard {
        RunState& state;
        ~RunningGuard() { state.Running = false; }
    } running{state_};
    result.started = true;

    bool descriptTableMade = false;
    try {
        observer_.ShowStatusWindow(kVersionLabel);
        observer_.ProcessMessages(state_);
        state_.Reset();
        state_.SubfolderList.reset();
        document_.Clear();
        ResetID3TagInfo(state_.Metadata.id3);
        state_.Metadata.iptc.Clear();
        observer_.SetBusyCursor(true);
        observer_.SetCaption("Tabulo Pro   Directory of " + state_.StartDir);
        state_.ClusterSize = static_cast<std::uint32_t>(volumes_.ClusterSize(state_.StartDir));
        autoComments_.BeginRun();
        descriptTableMade = true;
        WriteHead();
        Walk();
    } catch (const std::exception& e) {
        result.error = e.what();
    }

    const bool foldersOnly = settings_.ListOptions.FoldersOnly;
    observer_.SetStatusPanel(1, foldersOnly ? std::to_string(state_.FolderCount) + " folders found"
                                            : std::to_string(state_.FileCount) + " files found");
    observer_.SetStatusPanel(0, "Ready");
    observer_.CloseStatusWindow();
    observer_.SetBusyCursor(false);
    WriteTotalSummary();
    if (settings_.rbHTML) {
        document_.AddNormalText("</body>");
        document_.AddNormalText("</html>");
        observer_.HtmlListFinished();
    }
    document_.LayOut();
    if (descriptTableMade) autoComments_.EndRun();
    result.aborted = state_.AbortRequested;
    return result;
}

}  // namespace tabulo
