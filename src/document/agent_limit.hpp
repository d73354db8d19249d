#pragma once
// One agent's usage limits: its windows and when its figures were last brought up to date.
#include <optional>
#include <string>
#include <vector>

#include "document/instant.hpp"

namespace zuvo {

struct AgentLimit {
  // One usage window of an agent.
  struct Window {
    std::string name{};
    // Share of the allowance already used; 1.0 is all of it. Not bounded.
    double used{};
    // When the allowance starts afresh; absent means never before the far future.
    std::optional<Instant> resetsAt{};

    Instant resetMoment() const { return resetsAt.value_or(kFarFuture); }
    friend bool operator==(const Window& a, const Window& b);
  };

  std::string agent{};
  std::vector<Window> windows{};
  Instant updatedAt{};

  // The identity of an agent's row: its name. Two elements with one name share an identity.
  const std::string& id() const { return agent; }

  // The windows not yet reset at `now` (reset moment strictly later), in document order.
  std::vector<Window> activeWindows(Instant now) const;
  // The most used active window; on a tie, the earliest. None when no window is active.
  std::optional<Window> peakWindow(Instant now) const;

  // Names compare as canonically equivalent Unicode. Defined in document/equality/ (ICU): link
  // zuvo_document_equality to compare agents or statuses.
  friend bool operator==(const AgentLimit& a, const AgentLimit& b);
};

}  // namespace zuvo
