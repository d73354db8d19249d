#include "shared/draw_options.hpp"

#include <cctype>
#include <filesystem>

#include "shared/command_line.hpp"

namespace {

// Pixels per point of a drawing: above 0 and at most 16 (a 364-point widget at 16 is 5824 pixels).
CLI::Validator drawScale() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        const auto scale = wholeNumber(text);
        if (!scale || !(*scale > 0 && *scale <= 16))
          return "the scale must be a number above 0 and at most 16, not " + text;
        return {};
      },
      "(0, 16]");
}

// An output file whose extension, in any letter case, is one of `extensions` (".png", ...).
CLI::Validator outputFile(std::vector<std::string> extensions) {
  std::string names;
  for (const auto& extension : extensions) names.append(names.empty() ? "*" : ", *").append(extension);
  return CLI::Validator(
      [extensions, names](std::string& path) -> std::string {
        std::string extension = std::filesystem::path(path).extension().string();
        for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (const auto& allowed : extensions)
          if (extension == allowed) return {};
        return "name the output file " + names + ", not " + path;
      },
      names);
}

}  // namespace

DrawChoices statedDrawChoices() { return {.families = {"small", "medium"}, .controls = {"new-vantle", "activity"}}; }

void declareWidgetOptions(CLI::App& command, WidgetOptions& options, const DrawChoices& choices) {
  auto* file = command.add_option("--status", options.source.statusFile, "Draw this status file instead of the stored one")
                   ->type_name("FILE");
  auto* sample = command.add_flag("--sample", options.source.sample, "Draw the sample status of placeholders and previews");
  auto* empty = command.add_flag("--empty", options.source.empty, "Draw the empty status");
  file->excludes(sample)->excludes(empty);
  sample->excludes(empty);
  command.add_option("--family", options.family, "Widget size")
      ->check(CLI::IsMember(choices.families))
      ->capture_default_str();
  command.add_option("--appearance", options.appearance, "Desktop appearance")
      ->check(CLI::IsMember({"light", "dark"}))
      ->capture_default_str();
  command.add_option("--rendering-mode", options.renderingMode, "How the host renders colours")
      ->check(CLI::IsMember({"full-color", "accented", "vibrant"}))
      ->capture_default_str();
  command.add_option("--locale", options.locale,
                     "Locale for figures and captions (e.g. de_DE.UTF-8), in place of the environment's");
}

void declareRenderOptions(CLI::App& command, RenderOptions& options, const DrawChoices& choices) {
  declareWidgetOptions(command, options.widget, choices);
  command.add_option("--scale", options.scale, "Pixels per point of a PNG")->check(drawScale())->capture_default_str();
  command.add_option("-o,--output", options.output, "Output file: .png, .svg or .pdf")
      ->type_name("FILE")
      ->required()
      ->check(outputFile({".png", ".svg", ".pdf"}));
}

void declareTapOptions(CLI::App& command, TapOptions& options, const DrawChoices& choices) {
  declareWidgetOptions(command, options.widget, choices);
  command.add_option("--at", options.at, "Where to tap: X,Y in points from the top-left (default: the centre)");
  command.add_flag("--open", options.open, "Also hand the URL to the desktop (xdg-open)");
}

void declarePressOptions(CLI::App& command, PressOptions& options, const DrawChoices& choices) {
  command.add_option("control", options.control, "The control to press")
      ->required()
      ->check(CLI::IsMember(choices.controls));
  command.add_flag("--open", options.open, "Hand the URL to the desktop (xdg-open)");
}

void declareGalleryOptions(CLI::App& command, GalleryOptions& options) {
  command.add_option("-o,--output", options.output, "Output PNG file")
      ->type_name("FILE")
      ->required()
      ->check(outputFile({".png"}));
  auto* file = command.add_option("--status", options.source.statusFile, "Draw this status file instead of the stored one")
                   ->type_name("FILE");
  auto* sample = command.add_flag("--sample", options.source.sample, "Draw the sample status of placeholders and previews");
  file->excludes(sample);
  command.add_option("--mode", options.otherMode, "The tinted rendering mode shown beside full colour")
      ->check(CLI::IsMember({"accented", "vibrant"}))
      ->capture_default_str();
  command.add_option("--scale", options.scale, "Pixels per point")->check(drawScale())->capture_default_str();
}

DrawCommands declareDrawCommands(CLI::App& app, DrawCommandOptions& options, const DrawChoices& choices) {
  DrawCommands commands{};
  commands.render = app.add_subcommand("render", "Draw the status widget to a PNG, SVG or PDF file");
  declareRenderOptions(*commands.render, options.render, choices);
  commands.layout = app.add_subcommand("layout", "Print the laid-out status widget as JSON");
  declareWidgetOptions(*commands.layout, options.layout, choices);
  commands.tap = app.add_subcommand(
      "tap", "Print the URL a tap on the status widget opens (exit 1 when it opens nothing)");
  declareTapOptions(*commands.tap, options.tap, choices);
  commands.describe = app.add_subcommand(
      "describe",
      "Print the widget bundle as JSON: each widget and control in order, with its kind, display name and "
      "description in the current language");
  commands.press = app.add_subcommand("press", "Press a control's button: print the URL it opens");
  declarePressOptions(*commands.press, options.press, choices);
  commands.gallery = app.add_subcommand(
      "gallery", "Draw one PNG sheet: the status widget in each family, light and dark, in full colour and one "
                 "tinted mode, and the controls' buttons");
  declareGalleryOptions(*commands.gallery, options.gallery);
  return commands;
}
