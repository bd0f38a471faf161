#include "report_format.h"

#include <string>

#include <gtest/gtest.h>

namespace quillmoor::cli {
namespace {

struct JsonCase {
  const char* name;
  std::string bytes;
  std::string json;
};

void PrintTo(const JsonCase& testCase, std::ostream* out) {
  *out << testCase.name;
}

class JsonStringTest : public ::testing::TestWithParam<JsonCase> {};

TEST_P(JsonStringTest, EscapesExactly) {
  EXPECT_EQ(JsonString(GetParam().bytes), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JsonStringTest,
    ::testing::Values(JsonCase{"Plain", "hdd_extract/1_GAMES.trd", R"("hdd_extract/1_GAMES.trd")"},
                      JsonCase{"Empty", "", R"("")"},
                      JsonCase{"QuoteAndBackslash", R"(a"b\c)", R"("a\"b\\c")"},
                      JsonCase{"NewlineAndTab", "a\nb\tc", R"("a\nb\tc")"},
                      JsonCase{"OtherControlBytes", std::string("\x01\x1f\x7f\r", 4),
                               R"("\u0001\u001f\u007f\u000d")"},
                      JsonCase{"ZeroByte", std::string("a\0b", 3), R"("a\u0000b")"},
                      // Well-formed UTF-8 of every length passes through.
                      JsonCase{"Utf8", "\xc3\xa9 \xe2\x82\xac \xf0\x9f\x92\xbe",
                               "\"\xc3\xa9 \xe2\x82\xac \xf0\x9f\x92\xbe\""},
                      JsonCase{"Latin1Byte", "caf\xe9.img", R"("caf\udce9.img")"},
                      JsonCase{"StrayContinuation", "\x80", R"("\udc80")"},
                      JsonCase{"CutShortAtTheEnd", "a\xe2\x82", R"("a\udce2\udc82")"},
                      // The bytes after a broken lead stand on their own again.
                      JsonCase{"BrokenLeadThenAscii", "\xc3(", R"("\udcc3(")"},
                      JsonCase{"Overlong", "\xc0\xaf", R"("\udcc0\udcaf")"},
                      JsonCase{"OverlongThreeBytes", "\xe0\x80\xaf", R"("\udce0\udc80\udcaf")"},
                      JsonCase{"EncodedSurrogate", "\xed\xa0\x80", R"("\udced\udca0\udc80")"},
                      JsonCase{"AboveUnicode", "\xf4\x90\x80\x80", R"("\udcf4\udc90\udc80\udc80")"},
                      JsonCase{"HighestCodePoint", "\xf4\x8f\xbf\xbf", "\"\xf4\x8f\xbf\xbf\""},
                      JsonCase{"ByteFF", "\xff", R"("\udcff")"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

}  // namespace
}  // namespace quillmoor::cli
