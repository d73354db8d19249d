#pragma once
// Where a container background goes. The widget placement fills the whole widget, margins
// included, behind the widget's content.
namespace host {

enum class ContainerBackgroundPlacement { widget };

}  // namespace host
