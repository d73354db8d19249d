#pragma once
// The document's rules, written once over a JSON access layer so that the fast path (a fully
// validated DOM) and the fallback path (a validating On-Demand walk) apply exactly the same ones.
// Internal to the decoder.
//
// An Access provides a Value type and these, each returning false on failure with a reason in
// `why`, or with `why` left empty when the value is simply of another kind: kindOf(Value&,
// JsonKind&, why); forEachField(Value&, why, f(key, Value&)) and forEachElement(Value&, why,
// f(Value&)), which stop when f returns false; readInteger, readDouble, readString; confirmNull;
// skip(Value&, depth, why), which passes over an ignored value. Also sizeHint(Value&), the length of
// an array when it is known without reading it (else 0), and is(Value&, JsonKind).
// `depth` counts the objects and arrays that enclose a value, the top-level object being 1.
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "document/status_decoder.hpp"
#include "host/platform/json_writer.hpp"

namespace zuvo::detail {

enum class JsonKind { object, array, number, string, boolean, null };

inline constexpr std::size_t kMaxDepth = 1024;

inline const char* describe(JsonKind kind) {
  switch (kind) {
    case JsonKind::object: return "an object";
    case JsonKind::array: return "an array";
    case JsonKind::number: return "a number";
    case JsonKind::string: return "a string";
    case JsonKind::boolean: return "a boolean";
    case JsonKind::null: return "null";
  }
  return "a value";
}

// A step of the path to a value, kept on the stack and rendered only when decoding fails.
struct PathStep {
  const PathStep* parent = nullptr;
  std::string_view key{};
  std::size_t index = 0;
  bool isIndex = false;
};

// Keys of letters, digits and "_" read as `limits[0].windows`; any other key (an ignored key can be
// anything, the empty text included) is written as a JSON string in brackets: `x["a b"]`.
inline std::string render(const PathStep* step) {
  if (step == nullptr) return "document";
  std::string head = step->parent ? render(step->parent) : std::string();
  if (step->isIndex) return head + "[" + std::to_string(step->index) + "]";
  const bool plain = !step->key.empty() && std::all_of(step->key.begin(), step->key.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
  });
  if (!plain) return head + "[" + host::JsonWriter().value(step->key).take() + "]";
  return head.empty() ? std::string(step->key) : head + "." + std::string(step->key);
}

template <class Access>
class StatusReader {
 public:
  using Value = typename Access::Value;

  explicit StatusReader(Access& access) : json_(access) {}

  bool readRoot(Value& root, WidgetStatus& out) { return readStatus(root, out, nullptr); }
  bool fail(const PathStep* where, std::string why) {
    error_ = DecodeError{render(where), std::move(why)};
    failed_ = true;
    return false;
  }
  bool failed() const { return failed_; }
  DecodeError takeError() { return std::move(error_); }

 private:
  // The position of `key` among `keys`, or N. Unrolled, so that each comparison is against a text
  // of known length, which the compiler turns into a few loads instead of a call.
  template <std::size_t N>
  static std::size_t indexOf(const std::array<std::string_view, N>& keys, std::string_view key) {
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
      std::size_t found = N;
      (void)((key == keys[I] ? (found = I, true) : false) || ...);
      return found;
    }(std::make_index_sequence<N>());
  }

  // Fields of a record, in the order of `keys`; `required` has a bit per required field.
  template <std::size_t N, class ReadField>
  bool readRecord(Value& v, const PathStep* at, std::size_t depth, const std::array<std::string_view, N>& keys,
                  unsigned required, ReadField&& readField) {
    unsigned seen = 0;
    const bool walked = json_.forEachField(v, why_, [&](std::string_view key, Value& field) {
      PathStep here{at, key};
      const std::size_t i = indexOf(keys, key);
      if (i == N) return skip(field, &here, depth + 1);
      if (seen & (1u << i)) return fail(&here, "key occurs more than once");
      seen |= 1u << i;
      return readField(i, field, &here);
    });
    if (!walked) return failed_ ? false : mismatch(v, at, "an object");
    for (std::size_t i = 0; i < N; ++i) {
      if ((required & (1u << i)) && !(seen & (1u << i))) {
        PathStep missing{at, keys[i]};
        return fail(&missing, "required key is missing");
      }
    }
    return true;
  }

  bool readStatus(Value& v, WidgetStatus& out, const PathStep* at) {
    static constexpr std::array<std::string_view, 5> keys{"waiting", "unread", "weekScore", "weekSpend", "limits"};
    return readRecord(v, at, 1, keys, 0b01011, [&](std::size_t field, Value& value, const PathStep* here) {
      switch (field) {
        case 0: return readInteger(value, here, out.waiting);
        case 1: return readInteger(value, here, out.unread);
        case 2: return readOptional(value, here, out.weekScore, [&] {
          return readDouble(value, here, out.weekScore.emplace());
        });
        case 3: return readDouble(value, here, out.weekSpend);
        default: return readOptional(value, here, out.limits, [&] {
          return readArray(value, here, out.limits.emplace(), [&](Value& e, const PathStep* step, AgentLimit& agent) {
            return readAgent(e, step, agent);
          });
        });
      }
    });
  }

  bool readAgent(Value& v, const PathStep* at, AgentLimit& out) {
    static constexpr std::array<std::string_view, 3> keys{"agent", "windows", "updatedAt"};
    return readRecord(v, at, 3, keys, 0b111, [&](std::size_t field, Value& value, const PathStep* here) {
      switch (field) {
        case 0: return readString(value, here, out.agent);
        case 1: return readArray(value, here, out.windows, [&](Value& e, const PathStep* step, AgentLimit::Window& w) {
          return readWindow(e, step, w);
        });
        default: return readInstant(value, here, out.updatedAt);
      }
    });
  }

  bool readWindow(Value& v, const PathStep* at, AgentLimit::Window& out) {
    static constexpr std::array<std::string_view, 3> keys{"name", "used", "resetsAt"};
    return readRecord(v, at, 5, keys, 0b011, [&](std::size_t field, Value& value, const PathStep* here) {
      switch (field) {
        case 0: return readString(value, here, out.name);
        case 1: return readDouble(value, here, out.used);
        default: return readOptional(value, here, out.resetsAt, [&] {
          return readInstant(value, here, out.resetsAt.emplace());
        });
      }
    });
  }

  template <class Element, class ReadElement>
  bool readArray(Value& v, const PathStep* at, std::vector<Element>& out, ReadElement&& read) {
    out.reserve(json_.sizeHint(v));
    const bool walked = json_.forEachElement(v, why_, [&](Value& element) {
      PathStep here{at, {}, out.size(), true};
      return read(element, &here, out.emplace_back());
    });
    if (!walked) return failed_ ? false : mismatch(v, at, "an array");
    return true;
  }

  // Null or a missing key leaves an optional field absent; `read` fills it otherwise.
  template <class Field, class Read>
  bool readOptional(Value& v, const PathStep* at, std::optional<Field>& field, Read&& read) {
    if (!json_.is(v, JsonKind::null)) return read();
    field.reset();
    return json_.confirmNull(v, why_) || fail(at, why_);
  }

  // Each read succeeds at once on the expected kind; only a failure looks further, for its reason.
  bool readInteger(Value& v, const PathStep* at, std::int64_t& out) {
    return json_.readInteger(v, out, why_) || mismatch(v, at, "an integer");
  }
  bool readDouble(Value& v, const PathStep* at, double& out) {
    return json_.readDouble(v, out, why_) || mismatch(v, at, "a number");
  }
  bool readInstant(Value& v, const PathStep* at, Instant& out) {
    return json_.readDouble(v, out.secondsSinceReference, why_) || mismatch(v, at, "a number of seconds");
  }
  bool readString(Value& v, const PathStep* at, std::string& out) {
    return json_.readString(v, out, why_) || mismatch(v, at, "a string");
  }

  bool skip(Value& v, const PathStep* at, std::size_t depth) {
    return json_.skip(v, depth, why_) || fail(at, why_);
  }

  // A read failed: with a reason from the access layer (invalid JSON, a number out of range), or
  // else because the value is of another kind than `what`.
  bool mismatch(Value& v, const PathStep* at, const char* what) {
    if (!why_.empty()) return fail(at, why_);
    JsonKind kind{};
    if (!json_.kindOf(v, kind, why_)) return fail(at, why_);
    return fail(at, std::string("expected ") + what + ", found " + describe(kind));
  }

  Access& json_;
  std::string why_;  // the access layer's reason for a failure, reused to spare the hot path
  DecodeError error_;
  bool failed_ = false;
};

}  // namespace zuvo::detail
