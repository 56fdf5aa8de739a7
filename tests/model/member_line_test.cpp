#include "model/member_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/cp932.h"
#include "model/cp932_literals.h"
#include "model/roster_table.h"

namespace tovi {
namespace {

TEST(MakeMemberLine, WritesNineFieldsAndQuotesOnlyWhatWouldSplit) {
    const std::string male = cp932::kMale;
    const std::string female = cp932::kFemale;
    const struct {
        std::string name, team, gender, line;
    } cases[] = {
        {Utf8ToCp932("山田　花子"), Utf8ToCp932("東町"), female,
         Utf8ToCp932("山田　花子,東町,女,0,0,0,0,0,")},
        {Utf8ToCp932("佐藤"), "", male, Utf8ToCp932("佐藤,,男,0,0,0,0,0,")},
        // A double-byte character whose second byte is 5C stays as it is.
        {Utf8ToCp932("ソ表"), "X-1", male, Utf8ToCp932("ソ表,X-1,男,0,0,0,0,0,")},
        {"A B", "", male, "\"A B\",," + male + ",0,0,0,0,0,"},
        {"a", "b,c", female, "a,\"b,c\"," + female + ",0,0,0,0,0,"},
        {"say \"hi\"", "t", male, "\"say \"\"hi\"\"\",t," + male + ",0,0,0,0,0,"},
        {"\"", "\t", male, "\"\"\"\",\"\t\"," + male + ",0,0,0,0,0,"},
        {" ", "\x01", male, "\" \",\"\x01\"," + male + ",0,0,0,0,0,"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MakeMemberLine(c.name, c.team, c.gender), c.line) << Cp932ToUtf8(c.line);
}

TEST(MakeMemberLine, ParsesBackToExactlyWhatWasTyped) {
    const std::vector<std::string> texts = {
        "",
        Utf8ToCp932("山田　花子"),
        Utf8ToCp932("作成"),
        "A B",
        " leading and trailing ",
        "a,b",
        ",",
        "\"",
        "\"\"",
        "\"quoted\"",
        "say \"hi\", then go",
        "tab\there",
        "\x01\x1f\x20",
        "\x7f",
        Utf8ToCp932("東町 ２丁目"),
        // Bytes that are not valid CP932 and double-byte characters with an
        // unusual second byte.
        "\x80\xA0\xFD\xFE\xFF",
        "\x81\"x",
        "\x81,x",
        "\x81 x",
    };
    const std::string genders[] = {cp932::kMale, cp932::kFemale};
    for (const auto& name : texts) {
        for (const auto& team : texts) {
            for (const auto& gender : genders) {
                const std::vector<std::string> expected = {name, team, gender, "0", "0",
                                                           "0",  "0",  "0",    ""};
                EXPECT_EQ(SplitCommaText(MakeMemberLine(name, team, gender)), expected)
                    << Cp932ToUtf8(MakeMemberLine(name, team, gender));
            }
        }
    }
}

TEST(MakeMemberLine, ADateOfBirthIsTheFourthFieldAndReadsBack) {
    const std::string male = cp932::kMale;
    const struct {
        std::string line;
        MemberFields fields;
    } cases[] = {
        // Without a date the line is byte for byte what it always was.
        {Utf8ToCp932("山田　花子,東町,女,0,0,0,0,0,"),
         {Utf8ToCp932("山田　花子"), Utf8ToCp932("東町"), cp932::kFemale, std::nullopt}},
        {"a,b," + male + ",19500102,0,0,0,0,", {"a", "b", male, BirthDate{1950, 1, 2}}},
        {"\"A B\",\"b,c\"," + male + ",20000229,0,0,0,0,",
         {"A B", "b,c", male, BirthDate{2000, 2, 29}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Cp932ToUtf8(c.line));
        EXPECT_EQ(MakeMemberLine(c.fields.name, c.fields.team, c.fields.gender, c.fields.born),
                  c.line);
        const MemberFields read = ReadMemberFields(c.line);
        EXPECT_EQ(read.name, c.fields.name);
        EXPECT_EQ(read.team, c.fields.team);
        EXPECT_EQ(read.gender, c.fields.gender);
        EXPECT_EQ(read.born, c.fields.born);
    }
    // A fourth field from elsewhere, or too few fields, is no date.
    for (const char* line : {"a,b,c,1950-1-2,0,", "a,b,c,19500230,", "a,b", ""}) {
        SCOPED_TRACE(line);
        EXPECT_EQ(ReadMemberFields(line).born, std::nullopt);
    }
    EXPECT_EQ(ReadMemberFields("a").name, "a");
}

}  // namespace
}  // namespace tovi
