// velmora-ini's batch language: escapes, command lines, and the answers on real files.

#include "inicommand.h"
#include "platform/fileio.h"
#include "support/fakeprefix.h"
#include "support/files.h"
#include "support/rowname.h"

#include <sstream>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

namespace velmora::tools {
namespace {

using namespace std::string_view_literals;
using test::inFolder;
using test::TemporaryFolder;
using test::writeFile;

struct EscapeCase {
    const char* name;
    std::string_view bytes;
    std::string_view escaped;
};

std::ostream& operator<<(std::ostream& out, const EscapeCase& c)
{
    return out << c.name;
}

const EscapeCase kEscapeCases[] = {
    {"plain_text_kept", "Engine.Engine", "Engine.Engine"},
    {"tab", "a\tb", "a\\tb"},
    {"line_feed", "a\nb", "a\\nb"},
    {"carriage_return", "a\r\n", "a\\r\\n"},
    {"backslash", "C:\\Games\\UT", "C:\\\\Games\\\\UT"},
    {"nul_as_hex", "a\0b"sv, "a\\x00b"},
    {"high_byte_as_hex", "caf\xE9", "caf\\xE9"},
    {"delete_as_hex", "\x7F", "\\x7F"},
    {"empty", "", ""},
};

class Escape : public testing::TestWithParam<EscapeCase> {};

TEST_P(Escape, RoundTrips)
{
    const EscapeCase& c = GetParam();
    EXPECT_EQ(escapeField(c.bytes), c.escaped);
    EXPECT_EQ(unescapeField(c.escaped), std::string(c.bytes));
}

INSTANTIATE_TEST_SUITE_P(Fields, Escape, testing::ValuesIn(kEscapeCases), test::RowName());

TEST(Unescape, AcceptsLowerCaseHexAndRejectsUnknownEscapes)
{
    EXPECT_EQ(unescapeField("\\xe9\\x41"), "\xE9"
                                           "A");
    for (const char* bad : {"\\q", "end\\", "\\x4", "\\xZZ", "\\x"}) {
        EXPECT_EQ(unescapeField(bad), std::nullopt) << bad;
    }
}

// Answers to whole command lines, on files in a fresh folder ("DIR" in a row's line).
struct AnswerCase {
    const char* name;
    std::string_view fileBefore; // written to DIR/game.ini unless empty
    std::string_view line;
    std::string_view answer;
    std::string_view fileAfter; // checked unless empty
};

std::ostream& operator<<(std::ostream& out, const AnswerCase& c)
{
    return out << c.name;
}

constexpr auto kGame = "[s]\r\nk=v\r\n"sv;

const AnswerCase kAnswerCases[] = {
    {"get_value", kGame, "get\tDIR/game.ini\ts\tk\tDefault\t255", "ret\t1\tv", kGame},
    {"get_missing_key_gives_default", kGame, "get\tDIR/game.ini\ts\tx\tDefault  \t255",
     "ret\t7\tDefault", kGame},
    {"get_count_is_what_the_buffer_receives", "[s]\r\nk=value\r\n", "get\tDIR/game.ini\ts\tk\t\t3",
     "ret\t2\tva", ""},
    {"get_missing_file", "", "get\tDIR/none.ini\ts\tk\tDefault\t255", "ret\t7\tDefault", ""},
    {"get_value_escaped", "[s]\r\nk=a\\b\t\xE9\r\n", "get\tDIR/game.ini\ts\tk\t\t255",
     "ret\t5\ta\\\\b\\t\\xE9", ""},
    {"set_value", kGame, "set\tDIR/game.ini\ts\tk\tw", "ret\t1", "[s]\r\nk=w\r\n"},
    {"set_same_value", kGame, "set\tDIR/game.ini\ts\tk\tv", "ret\t1", kGame},
    {"set_hex_escape_decoded", kGame, "set\tDIR/game.ini\tt\tj\\x3Dx\tC:\\\\UT",
     "ret\t0\tThe key "
     "name may not contain '='.",
     kGame},
    {"set_line_break_refused", kGame, "set\tDIR/game.ini\ts\tk\ta\\r\\nb=c",
     "ret\t0\tA section name, key name or value may not contain a line break or NUL.", kGame},
    {"set_into_missing_folder_fails", "", "set\tDIR/nodir/game.ini\ts\tk\tv",
     "ret\t0\tNo such file or directory", ""},
    {"cat_file", kGame, "cat\tDIR/game.ini", "file\t[s]\\r\\nk=v\\r\\n", ""},
    {"cat_missing_file", "", "cat\tDIR/none.ini", "file\tMISSING", ""},
    {"cat_folder_is_an_error", "", "cat\tDIR", "err\tIs a directory", ""},
    {"empty_line", "", "", "err\tempty command", ""},
    {"unknown_command", "", "del\tDIR/game.ini", "err\tunknown command: del", ""},
    {"too_few_fields", kGame, "get\tDIR/game.ini\ts\tk\tDefault",
     "err\twrong number of fields for get", kGame},
    {"too_many_fields", kGame, "set\tDIR/game.ini\ts\tk\tv\tw",
     "err\twrong number of fields for "
     "set",
     kGame},
    {"negative_buffer_size", "", "get\tDIR/game.ini\ts\tk\td\t-1",
     "err\tbuffer size is not a decimal number: -1", ""},
    {"bad_escape", kGame, "set\tDIR/game.ini\ts\tk\t\\q", "err\tbad escape in field 5", kGame},
    {"game_file_found", kGame, "get\t--game\ts\tk\tDefault\t255", "ret\t1\tv", ""},
};

class Answer : public testing::TestWithParam<AnswerCase> {
protected:
    std::string withDir(std::string_view text) const
    {
        std::string result(text);
        for (std::size_t at = result.find("DIR"); at != std::string::npos;
             at = result.find("DIR", at)) {
            result.replace(at, 3, m_dir.path());
        }
        return result;
    }

    TemporaryFolder m_dir;
};

TEST_P(Answer, MatchesTheFile)
{
    const AnswerCase& c = GetParam();
    const std::string file = inFolder(m_dir.path(), "game.ini");
    if (!c.fileBefore.empty()) {
        writeFile(file, c.fileBefore);
    }
    const GameFileFinder game = [&] { return std::optional<std::string>(file); };
    EXPECT_EQ(answer(parseCommand(withDir(c.line)), game), c.answer);
    if (!c.fileAfter.empty()) {
        EXPECT_EQ(platform::readWholeFile(file), std::string(c.fileAfter));
    }
}

INSTANTIATE_TEST_SUITE_P(Lines, Answer, testing::ValuesIn(kAnswerCases), test::RowName());

TEST(Batch, AnswersEveryLineAndGoesOnAfterErrors)
{
    std::istringstream in("cat\t--game\r\nnonsense\nget\t--game\ts\tk\tDefault\t255\n");
    std::ostringstream out;
    runBatch(in, out, [] { return std::optional<std::string>(); });
    EXPECT_EQ(out.str(), "err\tUnable to get tournament folder data from registry\n"
                         "err\tunknown command: nonsense\n"
                         "err\tUnable to get tournament folder data from registry\n");
}

} // namespace
} // namespace velmora::tools
