// Each case runs twice: as written, and with an ignored integer literal too long for 64 bits added
// up front, which sends the text down the decoder's second (validating walk) path.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "document/status_decoder.hpp"
#include "document/status_encoder.hpp"

namespace zuvo {
namespace {

const std::string kBig = "123456789012345678901234567890";

std::string viaWalk(const std::string& doc) {
  const auto brace = doc.find('{');
  if (brace == std::string::npos) return doc;
  return doc.substr(0, brace + 1) + "\"big\":" + kBig + "," + doc.substr(brace + 1);
}

std::string base(const std::string& extra) { return R"({"waiting":1,"unread":2,"weekSpend":3)" + extra + "}"; }
std::string agents(const std::string& elements) { return base(R"(,"limits":[)" + elements + "]"); }
std::string windows(const std::string& elements) {
  return agents(R"({"agent":"A","updatedAt":5,"windows":[)" + elements + "]}");
}
std::string counts(const std::string& waiting) { return R"({"waiting":)" + waiting + R"(,"unread":2,"weekSpend":3})"; }

WidgetStatus withLimits(std::vector<AgentLimit> limits) {
  return WidgetStatus{.waiting = 1, .unread = 2, .weekSpend = 3, .limits = std::move(limits)};
}
WidgetStatus withWindows(std::vector<AgentLimit::Window> list) {
  return withLimits({AgentLimit{.agent = "A", .windows = std::move(list), .updatedAt = Instant{5}}});
}

struct Accepted { const char* name; std::string json; WidgetStatus expected; };
void PrintTo(const Accepted& c, std::ostream* os) { *os << c.name; }

class Decoding : public testing::TestWithParam<Accepted> {};

TEST_P(Decoding, DecodesOnBothPaths) {
  const auto& c = GetParam();
  for (const auto& text : {c.json, viaWalk(c.json)}) {
    const auto result = decodeStatus(text);
    ASSERT_TRUE(result.status) << text << "\n" << result.error.where << ": " << result.error.why;
    EXPECT_EQ(*result.status, c.expected) << text;
    EXPECT_EQ(decodeStatus(encodeStatus(*result.status)).status, c.expected);  // re-encodes to an equal status
  }
}

const WidgetStatus kBase{.waiting = 1, .unread = 2, .weekSpend = 3};

INSTANTIATE_TEST_SUITE_P(
    Accepted, Decoding,
    testing::Values(
        Accepted{"Minimal", R"({"waiting":0,"unread":0,"weekSpend":0})", WidgetStatus::empty()},
        Accepted{"NullOptionalsAreAbsent", base(R"(,"weekScore":null,"limits":null)"), kBase},
        Accepted{"EmptyLimits", base(R"(,"limits":[])"), withLimits({})},
        Accepted{"UnknownKeysAtEveryLevel",
                 base(R"(,"version":2,"x":{"y":[true,false,null,"s",-1.5e-3,{}]},"limits":[{"agent":"A","v":[],)"
                      R"("updatedAt":5,"windows":[{"name":"n","used":0.5,"kind":"z","resetsAt":null}]}])"),
                 withWindows({{.name = "n", .used = 0.5}})},
        Accepted{"RepeatedUnknownKey", base(R"(,"x":1,"x":"two")"), kBase},
        Accepted{"EscapedKeysAreUnescaped", R"({"wai\u0074ing":7,"unread":2,"weekSpend":3})",
                 WidgetStatus{.waiting = 7, .unread = 2, .weekSpend = 3}},
        Accepted{"IntegerBounds", R"({"waiting":-9223372036854775808,"unread":9223372036854775807,"weekSpend":3})",
                 WidgetStatus{.waiting = INT64_MIN, .unread = INT64_MAX, .weekSpend = 3}},
        Accepted{"LongIntegerLiteralIsANearestFloat", base(R"(,"weekScore":)" + kBig),
                 WidgetStatus{.waiting = 1, .unread = 2, .weekScore = 1.2345678901234568e29, .weekSpend = 3}},
        Accepted{"EscapedAndUnicodeText", windows(R"({"name":"caf\u00e9 \"\u65e5\"","used":-0.25,"resetsAt":-1.5})"),
                 withWindows({{.name = "caf\xC3\xA9 \"\xE6\x97\xA5\"", .used = -0.25, .resetsAt = Instant{-1.5}}})},
        Accepted{"NestedExactly1024Deep", base(",\"deep\":" + std::string(1023, '[') + std::string(1023, ']')),
                 kBase}),
    [](const auto& info) { return info.param.name; });

struct Rejected { const char* name; std::string json; const char* where; };  // `where`: on the direct path
void PrintTo(const Rejected& c, std::ostream* os) { *os << c.name; }

class Rejecting : public testing::TestWithParam<Rejected> {};

TEST_P(Rejecting, FailsAsAWholeOnBothPaths) {
  const auto& c = GetParam();
  const auto direct = decodeStatus(c.json);
  EXPECT_FALSE(direct.status) << c.json;
  EXPECT_FALSE(direct.error.why.empty());
  EXPECT_EQ(direct.error.where, c.where) << direct.error.why;
  EXPECT_FALSE(decodeStatus(viaWalk(c.json)).status) << viaWalk(c.json);
}

INSTANTIATE_TEST_SUITE_P(
    Rejected, Rejecting,
    testing::Values(
        Rejected{"EmptyFile", "", "document"}, Rejected{"TopLevelArray", "[]", "document"},
        Rejected{"MissingRequired", R"({"waiting":1,"unread":2})", "weekSpend"},
        Rejected{"KeysMatchCase", R"({"Waiting":1,"unread":2,"weekSpend":3})", "waiting"},
        Rejected{"RequiredNull", counts("null"), "waiting"}, Rejected{"IntegerWrittenWithPoint", counts("2.0"), "waiting"},
        Rejected{"IntegerAsString", counts(R"("2")"), "waiting"}, Rejected{"IntegerAsBoolean", counts("true"), "waiting"},
        Rejected{"IntegerAboveRange", counts("9223372036854775808"), "waiting"}, Rejected{"IntegerBelowRange", counts("-9223372036854775809"), "waiting"},
        Rejected{"FloatAsString", base(R"(,"weekScore":"0.5")"), "weekScore"}, Rejected{"FloatBeyondRange", base(R"(,"weekScore":1e400)"), "weekScore"},
        Rejected{"FloatBeyondRangeUnderIgnoredKey", base(R"(,"x":-1e400)"), "x"},
        Rejected{"AgentWithoutUpdatedAt", agents(R"({"agent":"A","updatedAt":1,"windows":[]},{"agent":"B","windows":[]})"), "limits[1].updatedAt"},
        Rejected{"WindowsNull", agents(R"({"agent":"A","updatedAt":1,"windows":null})"), "limits[0].windows"},
        Rejected{"DuplicateKey", R"({"waiting":1,"waiting":1,"unread":2,"weekSpend":3})", "waiting"},
        Rejected{"DuplicateKeyThroughEscape", R"({"waiting":1,"w\u0061iting":1,"unread":2,"weekSpend":3})", "waiting"},
        // Ending in '}' gets the trailing ones past the DOM parser's first check, so the walk must see them.
        Rejected{"TrailingGarbage", base("") + " x", "document"}, Rejected{"TrailingObject", base("") + "{}", "document"},
        Rejected{"TrailingTextAndBrace", base("") + " x }", "document"}, Rejected{"InvalidUnderIgnoredKey", base(R"(,"x":[1,])"), "document"},
        Rejected{"LoneSurrogate", base(R"(,"x":"\ud800")"), "document"},
        Rejected{"InvalidUtf8", base(",\"x\":\"\xff\""), "document"}, Rejected{"ByteOrderMark", "\xEF\xBB\xBF" + base(""), "document"},
        Rejected{"NestedDeeperThan1024", base(",\"deep\":" + std::string(1024, '[') + std::string(1024, ']')), "document"}),
    [](const auto& info) { return info.param.name; });

TEST(DecodingErrors, NameWhereAndWhy) {
  const auto result = decodeStatus(windows(R"({"name":"a","used":1},{"name":"b","used":true})"));
  EXPECT_EQ(result.error.where, "limits[0].windows[1].used");
  EXPECT_EQ(result.error.why, "expected a number, found a boolean");
  EXPECT_EQ(decodeStatus(base(R"(,"limits":[{"agent":"A","windows":[]}])")).error.why, "required key is missing");
  // A fault under an ignored key is named by that key, spelt unambiguously whatever it holds.
  EXPECT_EQ(decodeStatus(base(R"(,"":{"y":-})")).error.where, R"([""])");
  EXPECT_EQ(decodeStatus(agents(R"({"a b":[-]})")).error.where, R"(limits[0]["a b"])");
}

TEST(Decoding, ReadsInPlaceWhenPadded) {
  std::string buffer = R"({"waiting":4,"unread":0,"weekSpend":0})";
  const std::size_t size = buffer.size();
  buffer.resize(size + kDecodePadding, 'x');  // junk past the end must not be read as content
  EXPECT_EQ(decodeStatus(std::string_view(buffer.data(), size), buffer.size()).status, (WidgetStatus{.waiting = 4}));
}

TEST(Encoding, WritesFieldsInOrderAndLeavesAbsentOnesOut) {
  EXPECT_EQ(encodeStatus(WidgetStatus::empty()), R"({"waiting":0,"unread":0,"weekSpend":0})");
  EXPECT_EQ(encodeStatus(withWindows({{.name = "d", .used = 0.42, .resetsAt = Instant{794077200}}, {.name = "w"}})),
            R"({"waiting":1,"unread":2,"weekSpend":3,"limits":[{"agent":"A","windows":[)"
            R"({"name":"d","used":0.42,"resetsAt":794077200},{"name":"w","used":0}],"updatedAt":5}]})");
  // Integers past 2^53 lose digits if they ever pass through a double (the bounds round-trip above).
  EXPECT_EQ(encodeStatus({.waiting = 9007199254740993, .unread = INT64_MIN, .weekSpend = 0}),
            R"({"waiting":9007199254740993,"unread":-9223372036854775808,"weekSpend":0})");
}

TEST(Encoding, ControlCharactersInTextRoundTrip) {
  const auto status = withWindows({{.name = std::string("a\x01") + "b\x1F" + "\n", .used = 0.5}});
  const std::string text = encodeStatus(status);
  EXPECT_EQ(text.find_first_of("\x01\x1F\n"), std::string::npos) << text;  // escaped, never raw
  EXPECT_EQ(decodeStatus(text).status, status) << text;
}

TEST(Encoding, FloatsReadBackToTheIdenticalDouble) {
  for (double value : {0.1, 1.0 / 3.0, -0.0, 5e-324, 1.7976931348623157e308, 794059200.123456789}) {
    const auto back = decodeStatus(encodeStatus({.weekScore = value, .weekSpend = value}));
    ASSERT_TRUE(back.status) << value;
    EXPECT_EQ(std::signbit(back.status->weekSpend), std::signbit(value));
    EXPECT_EQ(back.status->weekSpend, value);
    EXPECT_EQ(*back.status->weekScore, value);
  }
}

}  // namespace
}  // namespace zuvo
