#pragma once
// Each subcommand registers itself on the application; `exitCode` receives its result. Commands
// that read the extension's declarations take the hosted bundle.
#include <CLI/CLI.hpp>

#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "host/kit/widget_bundle.hpp"

void registerStatusCommands(CLI::App& app, int& exitCode);  // check, placeholder, snapshot, timeline
void registerStatusWidgetCommands(CLI::App& app, const host::AnyWidgetBundle& bundle, int& exitCode);  // render, layout, tap
void registerBundleCommands(CLI::App& app, const host::AnyWidgetBundle& bundle, int& exitCode);  // describe, press
void registerGalleryCommand(CLI::App& app, const host::AnyWidgetBundle& bundle, int& exitCode);  // gallery

// Pixels per point of a drawing: above 0 and at most 16 (a 364-point widget at 16 is 5824 pixels).
inline CLI::Validator drawScale() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        double scale = 0;
        if (!CLI::detail::lexical_cast(text, scale) || !(scale > 0 && scale <= 16))
          return "the scale must be a number above 0 and at most 16, not " + text;
        return {};
      },
      "(0, 16]");
}

// An output file whose extension, in any letter case, is one of `extensions` (".png", ...).
inline CLI::Validator outputFile(std::vector<std::string> extensions) {
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

inline void registerCommands(CLI::App& app, const host::AnyWidgetBundle& bundle, int& exitCode) {
  registerStatusCommands(app, exitCode);
  registerStatusWidgetCommands(app, bundle, exitCode);
  registerBundleCommands(app, bundle, exitCode);
  registerGalleryCommand(app, bundle, exitCode);
}
