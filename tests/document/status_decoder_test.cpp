// Decoding rules, each case run twice: as written, and with an ignored integer literal too long for
// 64 bits added up front, which sends the text down the decoder's second (validating walk) path.
#include <gtest/gtest.h>

#include <cmath>
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

WidgetStatus withLimits(std::vector<AgentLimit> limits) {
  return WidgetStatus{.waiting = 1, .unread = 2, .weekSpend = 3, .limits = std::move(limits)};
}
WidgetStatus withWindows(std::vector<AgentLimit::Window> list) {
  return withLimits({AgentLimit{.agent = "A", .windows = std::move(list), .updatedAt = Instant{5}}});
}

struct Accepted {
  const char* name;
  std::string json;
  WidgetStatus expected;
};

class Decoding : public testing::TestWithParam<Accepted> {};

TEST_P(Decoding, DecodesOnBothPaths) {
  const auto& c = GetParam();
  for (const auto& text : {c.json, viaWalk(c.json)}) {
    const auto result = decodeStatus(text);
    ASSERT_TRUE(result.status) << text << "\n" << result.error.where << ": " << result.error.why;
    EXPECT_EQ(*result.status, c.expected) << text;
    // Whatever decodes re-encodes to a document that decodes to an equal status.
    const auto again = decodeStatus(encodeStatus(*result.status));
    ASSERT_TRUE(again.status);
    EXPECT_EQ(*again.status, c.expected);
  }
}

const WidgetStatus kBase{.waiting = 1, .unread = 2, .weekSpend = 3};

INSTANTIATE_TEST_SUITE_P(
    Accepted, Decoding,
    testing::Values(
        Accepted{"Minimal", R"({"waiting":0,"unread":0,"weekSpend":0})", WidgetStatus::empty()},
        Accepted{"NullOptionalsAreAbsent", base(R"(,"weekScore":null,"limits":null)"), kBase},
        Accepted{"EmptyLimits", base(R"(,"limits":[])"), withLimits({})},
        Accepted{"AnyKeyOrderAndWhitespace", " \n\t{ \"weekSpend\" : 3 ,\"unread\":2,\r\n\"waiting\":1 } \n", kBase},
        Accepted{"UnknownKeysAtEveryLevel",
                 base(R"(,"version":2,"x":{"y":[true,false,null,"s",-1.5e-3,{}]},"limits":[{"agent":"A","v":[],)"
                      R"("updatedAt":5,"windows":[{"name":"n","used":0.5,"kind":"z","resetsAt":null}]}])"),
                 withWindows({{.name = "n", .used = 0.5}})},
        Accepted{"RepeatedUnknownKey", base(R"(,"x":1,"x":"two")"), kBase},
        Accepted{"EscapedKeysAreUnescaped", R"({"wai\u0074ing":7,"unread":2,"weekSpend":3})",
                 WidgetStatus{.waiting = 7, .unread = 2, .weekSpend = 3}},
        Accepted{"IntegerBounds", R"({"waiting":-9223372036854775808,"unread":9223372036854775807,"weekSpend":3})",
                 WidgetStatus{.waiting = INT64_MIN, .unread = INT64_MAX, .weekSpend = 3}},
        Accepted{"NegativeZeroInteger", R"({"waiting":-0,"unread":2,"weekSpend":3})",
                 WidgetStatus{.waiting = 0, .unread = 2, .weekSpend = 3}},
        Accepted{"FloatsInEveryForm", R"({"waiting":1,"unread":2,"weekSpend":25e-1,"weekScore":1E2})",
                 WidgetStatus{.waiting = 1, .unread = 2, .weekScore = 100.0, .weekSpend = 2.5}},
        Accepted{"LongIntegerLiteralIsANearestFloat", base(R"(,"weekScore":)" + kBig),
                 WidgetStatus{.waiting = 1, .unread = 2, .weekScore = 1.2345678901234568e29, .weekSpend = 3}},
        Accepted{"LongFractionIsTheNearestFloat", R"({"waiting":1,"unread":2,"weekSpend":-0.)" + std::string(120, '7') + "}",
                 WidgetStatus{.waiting = 1, .unread = 2, .weekSpend = -0.77777777777777779}},
        Accepted{"LongExponent", base(R"(,"weekScore":1e0000000000000000000000000000000000000000002)"),
                 WidgetStatus{.waiting = 1, .unread = 2, .weekScore = 100.0, .weekSpend = 3}},
        Accepted{"UnsignedIntegerLiteralIsAFloat", base(R"(,"weekScore":18446744073709551615)"),
                 WidgetStatus{.waiting = 1, .unread = 2, .weekScore = 18446744073709551615.0, .weekSpend = 3}},
        Accepted{"EscapedAndUnicodeText", windows(R"({"name":"caf\u00e9 \"\u65e5\"","used":-0.25,"resetsAt":-1.5})"),
                 withWindows({{.name = "caf\xC3\xA9 \"\xE6\x97\xA5\"", .used = -0.25, .resetsAt = Instant{-1.5}}})},
        Accepted{"SameAgentTwiceKeepsBothInOrder",
                 agents(R"({"agent":"A","updatedAt":1,"windows":[]},{"agent":"A","updatedAt":2,"windows":[]})"),
                 withLimits({{.agent = "A", .updatedAt = Instant{1}}, {.agent = "A", .updatedAt = Instant{2}}})},
        Accepted{"NestedExactly1024Deep", base(",\"deep\":" + std::string(1023, '[') + std::string(1023, ']')),
                 kBase}),
    [](const auto& info) { return info.param.name; });

struct Rejected {
  const char* name;
  std::string json;
  const char* where;  // checked on the direct path; empty: only the failure is checked
};

class Rejecting : public testing::TestWithParam<Rejected> {};

TEST_P(Rejecting, FailsAsAWholeOnBothPaths) {
  const auto& c = GetParam();
  const auto direct = decodeStatus(c.json);
  EXPECT_FALSE(direct.status) << c.json;
  EXPECT_FALSE(direct.error.why.empty());
  if (*c.where) {
    EXPECT_EQ(direct.error.where, c.where) << direct.error.why;
  }
  EXPECT_FALSE(decodeStatus(viaWalk(c.json)).status) << viaWalk(c.json);
}

INSTANTIATE_TEST_SUITE_P(
    Rejected, Rejecting,
    testing::Values(
        // Shape of the document.
        Rejected{"EmptyFile", "", "document"}, Rejected{"Whitespace", " \n", "document"},
        Rejected{"TopLevelArray", "[]", "document"}, Rejected{"BareNumber", "3", "document"},
        Rejected{"TopLevelNull", "null", "document"},
        Rejected{"MissingRequired", R"({"waiting":1,"unread":2})", "weekSpend"},
        Rejected{"KeysMatchCase", R"({"Waiting":1,"unread":2,"weekSpend":3})", "waiting"},
        Rejected{"RequiredNull", R"({"waiting":null,"unread":2,"weekSpend":3})", "waiting"},
        // Integers.
        Rejected{"IntegerWithFraction", R"({"waiting":2.5,"unread":2,"weekSpend":3})", "waiting"},
        Rejected{"IntegerWrittenWithPoint", R"({"waiting":2.0,"unread":2,"weekSpend":3})", "waiting"},
        Rejected{"IntegerWrittenWithExponent", R"({"waiting":2e0,"unread":2,"weekSpend":3})", "waiting"},
        Rejected{"IntegerAsString", R"({"waiting":"2","unread":2,"weekSpend":3})", "waiting"},
        Rejected{"IntegerAsBoolean", R"({"waiting":1,"unread":true,"weekSpend":3})", "unread"},
        Rejected{"IntegerAboveRange", R"({"waiting":9223372036854775808,"unread":2,"weekSpend":3})", "waiting"},
        Rejected{"IntegerBelowRange", R"({"waiting":-9223372036854775809,"unread":2,"weekSpend":3})", "waiting"},
        Rejected{"LongIntegerInIntegerField", R"({"waiting":)" + kBig + R"(,"unread":2,"weekSpend":3})", "waiting"},
        // Floats and instants.
        Rejected{"FloatAsString", base(R"(,"weekScore":"0.5")"), "weekScore"},
        Rejected{"FloatBeyondRange", base(R"(,"weekScore":1e400)"), "weekScore"},
        Rejected{"FloatBeyondRangeUnderIgnoredKey", base(R"(,"x":-1e400)"), "x"},
        Rejected{"InstantAsIsoText", windows(R"({"name":"n","used":1,"resetsAt":"2026-03-01T12:00:00Z"})"),
                 "limits[0].windows[0].resetsAt"},
        Rejected{"UpdatedAtAsText", agents(R"({"agent":"A","updatedAt":"1","windows":[]})"), "limits[0].updatedAt"},
        // Records and arrays.
        Rejected{"LimitsNotAnArray", base(R"(,"limits":{})"), "limits"},
        Rejected{"AgentNotAnObject", agents("[]"), "limits[0]"},
        Rejected{"AgentWithoutUpdatedAt", agents(R"({"agent":"A","updatedAt":1,"windows":[]},{"agent":"B","windows":[]})"),
                 "limits[1].updatedAt"},
        Rejected{"AgentNameNotText", agents(R"({"agent":7,"updatedAt":1,"windows":[]})"), "limits[0].agent"},
        Rejected{"WindowsNull", agents(R"({"agent":"A","updatedAt":1,"windows":null})"), "limits[0].windows"},
        Rejected{"WindowWithoutUsed", windows(R"({"name":"a","used":1},{"name":"b"})"), "limits[0].windows[1].used"},
        Rejected{"UsedAsText", windows(R"({"name":"a","used":"1"})"), "limits[0].windows[0].used"},
        // Duplicate keys of the document.
        Rejected{"DuplicateKey", R"({"waiting":1,"waiting":1,"unread":2,"weekSpend":3})", "waiting"},
        Rejected{"DuplicateKeyThroughEscape", R"({"waiting":1,"w\u0061iting":1,"unread":2,"weekSpend":3})",
                 "waiting"},
        Rejected{"DuplicateOptionalKey", base(R"(,"limits":null,"limits":[])"), "limits"},
        // Invalid JSON, also where no field is read.
        Rejected{"TrailingGarbage", base("") + " x", "document"},
        Rejected{"SecondObject", base("") + "{}", "document"},
        Rejected{"NaN", base(R"(,"weekScore":NaN)"), "document"},
        Rejected{"Comment", base("") + " // note", "document"},
        Rejected{"TrailingComma", base(","), "document"},
        Rejected{"SingleQuotes", R"({'waiting':1,"unread":2,"weekSpend":3})", "document"},
        Rejected{"UnclosedObject", R"({"waiting":1,"unread":2,"weekSpend":3)", "document"},
        Rejected{"InvalidUnderIgnoredKey", base(R"(,"x":[1,])"), "document"},
        Rejected{"BadLiteralUnderIgnoredKey", base(R"(,"x":tru)"), "document"},
        Rejected{"BadEscapeUnderIgnoredKey", base(R"(,"x":"\q")"), "document"},
        Rejected{"LoneSurrogate", base(R"(,"x":"\ud800")"), "document"},
        Rejected{"InvalidUtf8", base(",\"x\":\"\xff\""), "document"},
        Rejected{"OverlongUtf8", base(",\"x\":\"\xC0\xAF\""), "document"},
        Rejected{"RawControlCharacter", base(",\"x\":\"a\nb\""), "document"},
        Rejected{"ByteOrderMark", "\xEF\xBB\xBF" + base(""), "document"},
        Rejected{"Utf16", std::string("{\0\"\0w\0", 7), "document"},
        Rejected{"NestedDeeperThan1024", base(",\"deep\":" + std::string(1024, '[') + std::string(1024, ']')), "document"},
        Rejected{"ValueDeeperThan1024", base(",\"deep\":" + std::string(1023, '[') + "1" + std::string(1023, ']')),
                 "document"}),
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
  const auto result = decodeStatus(std::string_view(buffer.data(), size), buffer.size());
  ASSERT_TRUE(result.status);
  EXPECT_EQ(result.status->waiting, 4);
}

TEST(Encoding, WritesFieldsInOrderAndLeavesAbsentOnesOut) {
  EXPECT_EQ(encodeStatus(WidgetStatus::empty()), R"({"waiting":0,"unread":0,"weekSpend":0})");
  EXPECT_EQ(encodeStatus(withWindows({{.name = "d", .used = 0.42, .resetsAt = Instant{794077200}}, {.name = "w"}})),
            R"({"waiting":1,"unread":2,"weekSpend":3,"limits":[{"agent":"A","windows":[)"
            R"({"name":"d","used":0.42,"resetsAt":794077200},{"name":"w","used":0}],"updatedAt":5}]})");
  EXPECT_EQ(encodeStatus(withLimits({})), R"({"waiting":1,"unread":2,"weekSpend":3,"limits":[]})");
}

TEST(Encoding, FloatsReadBackToTheIdenticalDouble) {
  for (double value : {0.1, 1.0 / 3.0, -0.0, 5e-324, 1.7976931348623157e308, 794059200.123456789, 4.2, -1e-300}) {
    const WidgetStatus status{.weekScore = value, .weekSpend = value};
    const auto back = decodeStatus(encodeStatus(status));
    ASSERT_TRUE(back.status) << encodeStatus(status);
    EXPECT_EQ(std::signbit(back.status->weekSpend), std::signbit(value));
    EXPECT_EQ(back.status->weekSpend, value);
    EXPECT_EQ(*back.status->weekScore, value);
  }
}

}  // namespace
}  // namespace zuvo
