#pragma once
// Who the extension is to the desktop: its identifier and the one application group whose shared
// container it may read.
namespace zuvo {

inline constexpr const char* kExtensionIdentifier = "com.halverdyne.zuvo.mac.widgets";
inline constexpr const char* kApplicationGroup = "group.com.halverdyne.zuvo";

}  // namespace zuvo
