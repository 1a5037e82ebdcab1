#include <gtest/gtest.h>

#include "engine/SettingFields.h"
#include "platform/TabuloError.h"

namespace tabulo {
namespace {

TEST(SettingFields, EveryFieldReadsBackWhatWasSet) {
    ListSettings s;
    const std::pair<const char*, const char*> rows[] = {
        {"ActivePattern", "%NUMB. %NAME"},
        {"IncludeTime", "on"},
        {"SortCriteria", "Size"},
        {"MaxLength", "40"},
        {"Filter", "*.mp3;*.mp2"},
        {"FontSize", "14"},
        {"FontColor", "#FF8000"},
        {"TotalSummary", "on"},
        {"ExcludedExtensions", ".tmp;.bak"},
        {"rbHTML", "on"},
        {"LongCaption", "0"},
        {"ExcludeAllSubfolders", "off"},
    };
    for (const auto& [name, value] : rows) {
        SCOPED_TRACE(name);
        SetListSetting(s, name, value);
        EXPECT_EQ(value, GetListSetting(s, name));
    }
    EXPECT_EQ(0x0080FFu, s.FontColor);  // kept as 0x00BBGGRR
    EXPECT_EQ((std::vector<std::string>{".tmp", ".bak"}), s.ExcludedExtensions);
}

TEST(SettingFields, FlagsAndTheirCompanions) {
    ListSettings s;
    for (const char* on : {"on", "TRUE", "1", "yes"}) {
        SetListSetting(s, "includetime", "off");
        SetListSetting(s, "includetime", on);
        EXPECT_TRUE(s.IncludeTime) << on;
    }
    SetListSetting(s, "rbSDV", "on");
    EXPECT_EQ((std::array<bool, 3>{false, false, true}), (std::array<bool, 3>{s.rbNormal, s.rbHTML, s.rbSDV}));
    SetListSetting(s, "rbSDV", "off");
    EXPECT_TRUE(s.rbNormal);

    // An option flag sets the folder record; the member-list record follows it.
    SetListSetting(s, "KB", "on");
    SetListSetting(s, "TreeViewMode", "on");
    SetListSetting(s, "FolderHeader", "on");
    EXPECT_TRUE(s.ListOptions.KB);
    EXPECT_TRUE(s.ArchiveOptions.KB);
    EXPECT_TRUE(s.ArchiveOptions.TreeViewMode);
    EXPECT_FALSE(s.ArchiveOptions.FolderHeader);
    EXPECT_TRUE(s.ArchiveOptions.ArchiveMembers);

    SetListSetting(s, "LowerCase", "on");
    SetListSetting(s, "UpperCase", "on");
    EXPECT_FALSE(s.ListOptions.LowerCase);
    EXPECT_TRUE(s.ListOptions.UpperCase);
}

TEST(SettingFields, ErrorsNameTheProblem) {
    ListSettings s;
    struct Row {
        const char* name;
        const char* value;
        const char* message;
    };
    const Row rows[] = {
        {"MaxLength", "7", "bad value '7' for MaxLength: expected a whole number from 8 to 255"},
        {"Levels", "many", "bad value 'many' for Levels: expected a whole number from 0 to 1000"},
        {"IncludeDate", "maybe", "bad value 'maybe' for IncludeDate: expected on or off"},
        {"SortCriteria", "Colour", "bad value 'Colour' for SortCriteria: expected Name, Size, Date, Extension or None"},
        {"FontSize", "13", "bad value '13' for FontSize: expected one of 8, 9, 10, 11, 12, 14, 16, 18, 20"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            SetListSetting(s, row.name, row.value);
            ADD_FAILURE() << "no error";
        } catch (const TabuloError& e) {
            EXPECT_EQ(row.message, std::string(e.what()));
        }
    }
    try {
        SetListSetting(s, "Colour", "red");
        ADD_FAILURE() << "no error";
    } catch (const TabuloError& e) {
        const std::string message = e.what();
        EXPECT_EQ(0u, message.find("unknown setting 'Colour'; valid names: ActivePattern, IncludeDate"));
        EXPECT_NE(std::string::npos, message.find("IgnoreMaxColumnSize"));
    }
}

}  // namespace
}  // namespace tabulo
