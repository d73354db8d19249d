#pragma once
// Intents: actions that the host runs for the extension, such as a control's button press. An
// intent type has a static, localisable title and a `perform` that the host calls on a thread of
// its choosing; the result may hand the host another intent to run next (open a URL, say).
//
//   struct OpenInbox {
//     static LocalizedKey title() { return {"Inbox"}; }
//     IntentResult perform() const { return IntentResult::result(OpenURLIntent(inboxUrl())); }
//   };
//   static_assert(AppIntent<OpenInbox>);
#include <concepts>
#include <functional>
#include <optional>

#include "host/view/localized_string.hpp"
#include "host/kit/open_url_intent.hpp"

namespace host {

// What `perform` hands back: nothing more to do, or an intent for the host to run next.
class IntentResult {
 public:
  IntentResult() = default;  // done; nothing to run next

  // Asks the host to run `opensIntent` once perform has returned.
  static IntentResult result(OpenURLIntent opensIntent) {
    IntentResult r;
    r.opensIntent_ = std::move(opensIntent);
    return r;
  }

  const std::optional<OpenURLIntent>& opensIntent() const { return opensIntent_; }

 private:
  std::optional<OpenURLIntent> opensIntent_;
};

// Intent types are values made without arguments, every instance like every other.
template <class T>
concept AppIntent = std::default_initializable<T> && std::copy_constructible<T> && requires(const T& intent) {
  { T::title() } -> std::same_as<LocalizedKey>;
  { intent.perform() } -> std::same_as<IntentResult>;
};

// An intent of any type, as the host keeps it: a control button's action, say.
class AnyAppIntent {
 public:
  template <AppIntent Intent>
  explicit AnyAppIntent(Intent intent)
      : title_(&Intent::title), perform_([intent] { return intent.perform(); }) {}

  LocalizedKey title() const { return title_(); }
  IntentResult perform() const { return perform_(); }

 private:
  LocalizedKey (*title_)();
  std::function<IntentResult()> perform_;
};

}  // namespace host
