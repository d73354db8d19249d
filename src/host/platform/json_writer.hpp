#pragma once
// A small streaming JSON writer: compact output, keys in the order written, strings escaped per
// RFC 8259, doubles in the shortest form that reads back to the identical value.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class JsonWriter {
 public:
  JsonWriter& beginObject();
  JsonWriter& endObject();
  JsonWriter& beginArray();
  JsonWriter& endArray();
  JsonWriter& key(std::string_view name);
  JsonWriter& value(std::string_view text);
  JsonWriter& value(const char* text) { return value(std::string_view(text)); }
  JsonWriter& value(std::int64_t number);
  JsonWriter& value(int number) { return value(static_cast<std::int64_t>(number)); }
  // Non-finite numbers have no JSON form and are written as null.
  JsonWriter& value(double number);
  JsonWriter& value(bool flag);
  JsonWriter& null();

  const std::string& str() const { return out_; }
  std::string take() { return std::move(out_); }

 private:
  void separate();
  std::string out_;
  // Per open container: whether a value has been written in it yet.
  std::vector<bool> hasValue_;
  bool afterKey_ = false;
};

}  // namespace host
