#pragma once
// Controls: single buttons that the desktop shows among its system controls. A control declares a
// kind, the texts of the controls gallery and a content step that the host runs whenever it draws
// the control; pressing the button makes the host run the button's intent.
//
//   StaticControlConfiguration("com.example.inbox", [] {
//     return ControlWidgetButton(OpenInbox{}, ControlLabel{{"Inbox"}, "tray"});
//   }).displayName({"Inbox"}).description({"Opens the inbox."});
#include <functional>
#include <string>

#include "host/kit/app_intent.hpp"
#include "host/view/localized_string.hpp"

namespace host {

// A title and a system symbol, drawn in the host's standard label arrangement.
struct ControlLabel {
  LocalizedKey title{};
  std::string systemImage{};
  friend bool operator==(const ControlLabel&, const ControlLabel&) = default;
};

class ControlWidgetButton {
 public:
  template <AppIntent Intent>
  ControlWidgetButton(Intent action, ControlLabel label) : action_(std::move(action)), label_(std::move(label)) {}

  const AnyAppIntent& action() const { return action_; }
  const ControlLabel& label() const { return label_; }

 private:
  AnyAppIntent action_;
  ControlLabel label_;
};

class StaticControlConfiguration {
 public:
  using Content = std::function<ControlWidgetButton()>;

  StaticControlConfiguration(std::string kind, Content content)
      : kind_(std::move(kind)), content_(std::move(content)) {}

  // Modifiers: each returns a copy with the text set.
  StaticControlConfiguration displayName(LocalizedKey name) const {
    auto copy = *this;
    copy.displayName_ = std::move(name);
    return copy;
  }
  StaticControlConfiguration description(LocalizedKey text) const {
    auto copy = *this;
    copy.description_ = std::move(text);
    return copy;
  }

  const std::string& kind() const { return kind_; }
  const LocalizedKey& displayName() const { return displayName_; }
  const LocalizedKey& description() const { return description_; }
  // Runs the content step, as the host does each time it draws the control.
  ControlWidgetButton content() const { return content_(); }

 private:
  std::string kind_;
  Content content_;
  LocalizedKey displayName_{};
  LocalizedKey description_{};
};

}  // namespace host
