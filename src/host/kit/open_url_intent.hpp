#pragma once
// The host's own intent that opens a URL. An extension never opens URLs itself: its intents return
// one of these in their result, and the host opens the URL once the intent has finished.
#include "host/platform/url.hpp"

namespace host {

class OpenURLIntent {
 public:
  explicit OpenURLIntent(Url url) : url_(std::move(url)) {}

  const Url& url() const { return url_; }

  friend bool operator==(const OpenURLIntent&, const OpenURLIntent&) = default;

 private:
  Url url_;
};

}  // namespace host
