#include "host/platform/json_writer.hpp"

#include <array>
#include <charconv>
#include <cmath>

namespace host {

void JsonWriter::separate() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!hasValue_.empty()) {
    if (hasValue_.back()) out_ += ',';
    hasValue_.back() = true;
  }
}

JsonWriter& JsonWriter::beginObject() {
  separate();
  out_ += '{';
  hasValue_.push_back(false);
  return *this;
}
JsonWriter& JsonWriter::endObject() {
  out_ += '}';
  hasValue_.pop_back();
  return *this;
}
JsonWriter& JsonWriter::beginArray() {
  separate();
  out_ += '[';
  hasValue_.push_back(false);
  return *this;
}
JsonWriter& JsonWriter::endArray() {
  out_ += ']';
  hasValue_.pop_back();
  return *this;
}

JsonWriter& JsonWriter::key(std::string_view name) {
  value(name);
  out_ += ':';
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::value(std::string_view text) {
  separate();
  out_ += '"';
  for (unsigned char c : text) {
    switch (c) {
      case '"': out_ += "\\\""; break;
      case '\\': out_ += "\\\\"; break;
      case '\n': out_ += "\\n"; break;
      case '\r': out_ += "\\r"; break;
      case '\t': out_ += "\\t"; break;
      case '\b': out_ += "\\b"; break;
      case '\f': out_ += "\\f"; break;
      default:
        if (c < 0x20) {
          static constexpr char kHex[] = "0123456789abcdef";
          out_ += "\\u00";
          out_ += kHex[c >> 4];
          out_ += kHex[c & 0xF];
        } else {
          out_ += static_cast<char>(c);
        }
    }
  }
  out_ += '"';
  return *this;
}

JsonWriter& JsonWriter::value(std::int64_t number) {
  separate();
  std::array<char, 24> buffer{};
  auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number);
  out_.append(buffer.data(), result.ptr);
  return *this;
}

JsonWriter& JsonWriter::value(double number) {
  if (!std::isfinite(number)) return null();
  separate();
  // "-0" would read back as the integer 0, losing the sign.
  if (number == 0 && std::signbit(number)) {
    out_ += "-0.0";
    return *this;
  }
  // Shortest round-trip form; to_chars may write "1e+300", which is valid JSON.
  std::array<char, 32> buffer{};
  auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number);
  out_.append(buffer.data(), result.ptr);
  return *this;
}

JsonWriter& JsonWriter::value(bool flag) {
  separate();
  out_ += flag ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::null() {
  separate();
  out_ += "null";
  return *this;
}

}  // namespace host
