// Writes well-formed inputs for each entry point into FOLDER/<reader>/, so fuzzing starts from
// real structures instead of random bytes.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "Fixtures.h"

namespace {

void Write(const std::filesystem::path& folder, const std::string& reader, const std::string& name,
           const std::string& bytes) {
    std::filesystem::create_directories(folder / reader);
    std::ofstream(folder / reader / name, std::ios::binary) << bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz_seeds FOLDER\n";
        return 2;
    }
    namespace t = tabulo::test;
    const std::filesystem::path out(argv[1]);
    const std::string datasets = t::Dataset(120, "Caption\rline") + t::Dataset(25, "kw") + t::Dataset(55, "20031224") +
                                 t::Dataset(10, "5") + t::Dataset(90, "City");
    Write(out, "iptc", "jpeg", t::JpegWithIptc(datasets));
    Write(out, "iptc", "tiff-le", t::TiffWithIptc(datasets, false, 2));
    Write(out, "iptc", "tiff-be", t::TiffWithIptc(datasets, true, 1));
    t::VersionStrings v;
    v.strings = {{"CompanyName", "Example"}, {"FileDescription", "Tool"}, {"ProductVersion", "1.0"}};
    Write(out, "version_info", "pe32", t::PeWithVersion(t::VersionInfoBlock(v), false));
    Write(out, "version_info", "pe64", t::PeWithVersion(t::VersionInfoBlock(v), true));
    Write(out, "shell_link", "local", t::ShellLink({"C:\\Dir\\file.txt", "sub", "", "..\\file.txt"}));
    Write(out, "shell_link", "share", t::ShellLink({"", "docs\\a.txt", "\\\\server\\share", "", false}));
    Write(out, "id3v1", "tag", std::string(64, '\xFB') + t::Id3v1Tag("Title", "Artist", "Album", "1999", "c", 3, 17));
    Write(out, "descript_ion", "lines", "a.txt First\r\n\"Long Name.doc\" Second\nb.txt\r\"open\n");
    Write(out, "ini", "url", "[DEFAULT]\r\nBASEURL=x\r\n[InternetShortcut]\r\nURL=\"http://example.org/\"\r\n");
    Write(out, "html_title", "page", "<html>\r\n<head><TITLE> A page </title></head>\n<title>ab</title>\r");
    return 0;
}
