// Why the design is sound. simdjson's DOM parser validates the whole text (UTF-8, structure, every
// string, number and literal, nothing after the top-level value) before any field is read, so the
// fast path reads a fully checked tree, and its keys arrive unescaped. It rejects two things that
// the document's rules must handle differently: an integer literal beyond 64 bits (a float field,
// or an ignored key, accepts it) and nesting beyond 1024 levels. The nesting limit is kept as our
// own rule. A number error is the one failure that sends the text to the fallback: an On-Demand
// walk that visits every value of the document, ignored ones included, reads every key through
// unescaped_key(), parses every string, number and literal, enforces the same nesting limit, and
// checks that nothing follows the top-level object. Every byte is therefore validated on both paths,
// and both apply one set of rules (status_reader.hpp).
#include "document/status_decoder.hpp"

#include <simdjson.h>

#include <charconv>

#include "document/status_reader.hpp"

namespace zuvo {
namespace {

using detail::JsonKind;
static_assert(kDecodePadding == simdjson::SIMDJSON_PADDING);

std::string invalidJson(simdjson::error_code error) {
  switch (error) {
    case simdjson::DEPTH_ERROR: return "nested deeper than 1024 levels";
    case simdjson::EMPTY: return "no JSON value";
    case simdjson::NUMBER_ERROR: return "number is malformed or beyond the range of a 64-bit float";
    default: return std::string("invalid JSON: ") + simdjson::error_message(error);
  }
}

// The fast path: a tree that the parser has already validated whole.
struct DomAccess {
  using Value = simdjson::dom::element;
  using T = simdjson::dom::element_type;

  bool kindOf(Value& v, JsonKind& kind, std::string&) {
    switch (v.type()) {
      case T::OBJECT: kind = JsonKind::object; break;
      case T::ARRAY: kind = JsonKind::array; break;
      case T::STRING: kind = JsonKind::string; break;
      case T::BOOL: kind = JsonKind::boolean; break;
      case T::NULL_VALUE: kind = JsonKind::null; break;
      default: kind = JsonKind::number;
    }
    return true;
  }
  bool is(Value& v, JsonKind wanted) {
    JsonKind kind{};
    std::string none;
    return kindOf(v, kind, none) && kind == wanted;
  }
  template <class F>
  bool forEachField(Value& v, std::string&, F&& f) {
    simdjson::dom::object object;
    if (v.get(object)) return false;
    for (simdjson::dom::key_value_pair field : object) {
      if (!f(field.key, field.value)) return false;
    }
    return true;
  }
  template <class F>
  bool forEachElement(Value& v, std::string&, F&& f) {
    simdjson::dom::array array;
    if (v.get(array)) return false;
    for (Value element : array) {
      if (!f(element)) return false;
    }
    return true;
  }
  std::size_t sizeHint(Value& v) {
    simdjson::dom::array array;
    return v.get(array) ? 0 : array.size();
  }
  bool readInteger(Value& v, std::int64_t& out, std::string& why) {
    if (!v.get_int64().get(out)) return true;
    if (v.type() == T::UINT64) why = "integer beyond the signed 64-bit range";
    if (v.type() == T::DOUBLE) why = "expected an integer, found a number with a fraction or exponent";
    return false;
  }
  // Integers convert to the nearest float.
  bool readDouble(Value& v, double& out, std::string&) { return !v.get_double().get(out); }
  bool readString(Value& v, std::string& out, std::string&) {
    std::string_view text;
    if (v.get_string().get(text)) return false;
    out.assign(text);
    return true;
  }
  bool confirmNull(Value&, std::string&) { return true; }
  bool skip(Value&, std::size_t, std::string&) { return true; }
};

// The fallback: On-Demand validates only what is read, so this reads everything.
struct OnDemandAccess {
  using Value = simdjson::ondemand::value;

  static bool failed(simdjson::error_code error, std::string& why) {
    if (error == simdjson::SUCCESS) return false;
    why = invalidJson(error);
    return true;
  }

  bool kindOf(Value& v, JsonKind& kind, std::string& why) {
    using T = simdjson::ondemand::json_type;
    T type{};
    if (failed(v.type().get(type), why)) return false;
    switch (type) {
      case T::object: kind = JsonKind::object; break;
      case T::array: kind = JsonKind::array; break;
      case T::string: kind = JsonKind::string; break;
      case T::boolean: kind = JsonKind::boolean; break;
      case T::null: kind = JsonKind::null; break;
      case T::number: kind = JsonKind::number; break;
    }
    return true;
  }
  template <class F>
  bool forEachField(Value& v, std::string& why, F&& f) {
    if (!isKind(v, JsonKind::object, why)) return false;
    simdjson::ondemand::object object;
    if (failed(v.get_object().get(object), why)) return false;
    for (auto field : object) {
      std::string_view key;
      if (failed(field.unescaped_key().get(key), why)) return false;
      Value value;
      if (failed(field.value().get(value), why)) return false;
      if (!f(key, value)) return false;
    }
    return true;
  }
  template <class F>
  bool forEachElement(Value& v, std::string& why, F&& f) {
    if (!isKind(v, JsonKind::array, why)) return false;
    simdjson::ondemand::array array;
    if (failed(v.get_array().get(array), why)) return false;
    for (auto element : array) {
      Value value;
      if (failed(element.get(value), why)) return false;
      if (!f(value)) return false;
    }
    return true;
  }
  std::size_t sizeHint(Value&) { return 0; }
  bool is(Value& v, JsonKind wanted) {
    std::string ignored;
    return isKind(v, wanted, ignored);
  }
  // False with `why` empty for another kind, with a reason for invalid JSON.
  bool isKind(Value& v, JsonKind wanted, std::string& why) {
    JsonKind kind{};
    return kindOf(v, kind, why) && kind == wanted;
  }
  // simdjson 3.0.1's On-Demand number parsing disagrees with its DOM parser on valid literals
  // (1e0000000000000000000000000000000000000000002 fails; -0.777..., 100 digits, reads as -2e-88).
  // So every number literal is read by the DOM parser alone, which makes both paths agree on what a
  // number is and whether it is an integer. What DOM refuses is either an integer literal too long
  // for 64 bits, read as the nearest float, or not a valid number at all.
  enum class Number { integer, unsigned_integer, floating, longInteger };
  bool readNumber(Value& v, Number& kind, std::int64_t& integer, double& floating, std::string& why) {
    const std::string_view raw = v.raw_json_token();
    const std::string_view literal = raw.substr(0, raw.find_first_of(" \t\r\n,]}"));
    simdjson::dom::element number;
    const auto error = literals_.parse(literal.data(), literal.size()).get(number);
    if (!error && number.is_number()) {
      using T = simdjson::dom::element_type;
      switch (number.type()) {
        case T::INT64: kind = Number::integer; integer = number.get_int64().value_unsafe(); break;
        case T::UINT64: kind = Number::unsigned_integer; break;
        default: kind = Number::floating; break;
      }
      floating = number.get_double().value_unsafe();
      return true;
    }
    const std::string_view digits = literal.substr(literal.starts_with('-') ? 1 : 0);
    const bool longInteger = error == simdjson::NUMBER_ERROR && digits.size() > 1 && digits[0] != '0' &&
                             digits.find_first_not_of("0123456789") == std::string_view::npos;
    if (!longInteger || std::from_chars(literal.data(), literal.data() + literal.size(), floating).ec != std::errc()) {
      why = invalidJson(simdjson::NUMBER_ERROR);
      return false;
    }
    kind = Number::longInteger;
    return true;
  }
  bool readInteger(Value& v, std::int64_t& out, std::string& why) {
    if (!isKind(v, JsonKind::number, why)) return false;
    Number kind{};
    double ignored = 0;
    if (!readNumber(v, kind, out, ignored, why)) return false;
    if (kind == Number::integer) return true;
    why = kind == Number::floating ? "expected an integer, found a number with a fraction or exponent"
                                   : "integer beyond the signed 64-bit range";
    return false;
  }
  bool readDouble(Value& v, double& out, std::string& why) {
    if (!isKind(v, JsonKind::number, why)) return false;
    Number kind{};
    std::int64_t ignored = 0;
    return readNumber(v, kind, ignored, out, why);
  }
  bool readString(Value& v, std::string& out, std::string& why) {
    if (!isKind(v, JsonKind::string, why)) return false;
    std::string_view text;
    if (failed(v.get_string().get(text), why)) return false;
    out = text;
    return true;
  }
  bool confirmNull(Value& v, std::string& why) {
    bool null = false;
    if (failed(v.is_null().get(null), why)) return false;
    if (!null) why = "invalid JSON: malformed literal";
    return null;
  }
  bool skip(Value& v, std::size_t depth, std::string& why) {
    // Like the DOM parser, no value of any kind may stand deeper than the limit: a container at the
    // deepest level must be empty.
    if (depth > detail::kMaxDepth) {
      why = invalidJson(simdjson::DEPTH_ERROR);
      return false;
    }
    JsonKind kind{};
    if (!kindOf(v, kind, why)) return false;
    switch (kind) {
      case JsonKind::object:
      case JsonKind::array:
        if (kind == JsonKind::array) {
          return forEachElement(v, why, [&](Value& e) { return skip(e, depth + 1, why); });
        }
        return forEachField(v, why, [&](std::string_view, Value& e) { return skip(e, depth + 1, why); });
      case JsonKind::string: {
        std::string_view ignored;
        return !failed(v.get_string().get(ignored), why);
      }
      case JsonKind::number: {
        double ignored = 0;
        return readDouble(v, ignored, why);
      }
      case JsonKind::boolean: {
        bool ignored = false;
        return !failed(v.get_bool().get(ignored), why);
      }
      case JsonKind::null: return confirmNull(v, why);
    }
    return false;
  }

  simdjson::dom::parser literals_;
};

DecodeResult failure(std::string where, std::string why) {
  return DecodeResult{std::nullopt, DecodeError{std::move(where), std::move(why)}};
}

template <class Access>
DecodeResult readWith(Access& access, typename Access::Value& root) {
  detail::StatusReader<Access> reader(access);
  WidgetStatus status;
  if (reader.readRoot(root, status)) return DecodeResult{std::move(status), {}};
  return DecodeResult{std::nullopt, reader.takeError()};
}

DecodeResult decodeByWalk(const char* data, std::size_t size, std::size_t capacity) {
  // Room for one level beyond our own limit, which the walk checks before entering a container;
  // On-Demand's own default (1024 levels) would overrun its depth bookkeeping first.
  simdjson::ondemand::parser parser;
  if (auto error = parser.allocate(size, detail::kMaxDepth + 2)) return failure("document", invalidJson(error));
  simdjson::ondemand::document document;
  if (auto error = parser.iterate(data, size, capacity).get(document)) return failure("document", invalidJson(error));
  simdjson::ondemand::value root;
  // Only an object or array becomes a value; a scalar document fails here.
  if (document.get_value().get(root)) return failure("document", "expected an object, found a number");
  OnDemandAccess access;
  DecodeResult result = readWith(access, root);
  // Something other than the end after the top-level object is trailing content.
  if (result.status && !document.current_location().error()) {
    return failure("document", invalidJson(simdjson::TRAILING_CONTENT));
  }
  return result;
}

// Parsers keep their buffers between calls on a thread; documents up to this size reuse them, so
// that the common small status file costs no allocation beyond its records. Larger ones get a
// parser of their own, which keeps a thread from holding on to a big buffer.
constexpr std::size_t kReusedParserLimit = 64 * 1024;

DecodeResult decodePadded(const char* data, std::size_t size, std::size_t capacity) {
  auto decodeWith = [&](simdjson::dom::parser& parser) {
    simdjson::dom::element root;
    const auto error = parser.parse(data, size, false).get(root);
    if (error == simdjson::NUMBER_ERROR) return decodeByWalk(data, size, capacity);
    if (error) return failure("document", invalidJson(error));
    DomAccess access;
    return readWith(access, root);
  };
  if (size <= kReusedParserLimit) {
    thread_local simdjson::dom::parser parser;
    return decodeWith(parser);
  }
  simdjson::dom::parser parser;
  return decodeWith(parser);
}

}  // namespace

DecodeResult decodeStatus(std::string_view bytes, std::size_t capacity) {
  if (capacity >= bytes.size() + kDecodePadding) return decodePadded(bytes.data(), bytes.size(), capacity);
  const simdjson::padded_string padded(bytes);
  return decodePadded(padded.data(), padded.size(), padded.size() + kDecodePadding);
}

}  // namespace zuvo
