#pragma once
// The drawing commands' command line (render, layout, tap, describe, press, gallery), declared with
// CLI11 alone: the router declares them to give their help and refuse their usage mistakes, and the
// zuvo-widgets-draw program declares them again to run them, with the same parse.
#include <CLI/CLI.hpp>

#include <string>
#include <vector>

// Where the status of one drawing comes from.
struct StatusSource {
  std::string statusFile;  // a status file the host was handed
  bool sample = false;     // the provider's placeholder: the sample status, no file read
  bool empty = false;      // the empty status
  // None of these: the provider's timeline, i.e. the status file of the shared container.
};

struct WidgetOptions {
  StatusSource source;
  std::string family = "small";
  std::string appearance = "light";
  std::string renderingMode = "full-color";
  std::string locale;
};

// Pixels per point when no --scale is given (the drawer's default too).
inline constexpr double kCommandLineDrawScale = 2.0;

struct RenderOptions {
  WidgetOptions widget;
  double scale = kCommandLineDrawScale;
  std::string output;
};

struct TapOptions {
  WidgetOptions widget;
  std::string at;
  bool open = false;
};

struct PressOptions {
  std::string control;
  bool open = false;
};

struct GalleryOptions {
  StatusSource source;
  std::string output;
  std::string otherMode = "accented";
  double scale = kCommandLineDrawScale;
};

struct DrawCommandOptions {
  RenderOptions render;
  WidgetOptions layout;
  TapOptions tap;
  PressOptions press;
  GalleryOptions gallery;
};

// What the bundle offers by name: the status widget's families and the controls, in its order.
struct DrawChoices {
  std::vector<std::string> families;
  std::vector<std::string> controls;
};
// The bundle's choices as the router states them without building the bundle; the draw program
// takes them from the bundle itself, and a test compares the two programs' help.
DrawChoices statedDrawChoices();

struct DrawCommands {
  CLI::App* render;
  CLI::App* layout;
  CLI::App* tap;
  CLI::App* describe;
  CLI::App* press;
  CLI::App* gallery;
};

void declareWidgetOptions(CLI::App& command, WidgetOptions& options, const DrawChoices& choices);
void declareRenderOptions(CLI::App& command, RenderOptions& options, const DrawChoices& choices);
void declareTapOptions(CLI::App& command, TapOptions& options, const DrawChoices& choices);
void declarePressOptions(CLI::App& command, PressOptions& options, const DrawChoices& choices);
void declareGalleryOptions(CLI::App& command, GalleryOptions& options);

// Adds the six commands, in the order the program's help lists them, with their options.
DrawCommands declareDrawCommands(CLI::App& app, DrawCommandOptions& options, const DrawChoices& choices);
