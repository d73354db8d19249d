// zuvo-widgets-draw, the program zuvo-widgets hands its drawing commands to: the process entry
// hands control to the Zuvo widget bundle, which hands it, with the bundle's declarations, to the
// widget host (widget_host.cpp).
#include "widgets/zuvo_mac_widgets.hpp"

int main(int argc, char** argv) { return zuvo::ZuvoMacWidgets::main(argc, argv); }
