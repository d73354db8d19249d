#include "shared/command_line.hpp"

#include <simdjson.h>

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <string>

void configureProgram(CLI::App& app) {
  app.description("zuvo-widgets: the Zuvo status widget and controls, run by a small widget host");
  app.require_subcommand(1);
  app.set_help_all_flag("--help-all", "Show help for every subcommand");
}

std::optional<double> wholeNumber(const std::string& text) {
  if (text.empty()) return std::nullopt;
  char* end = nullptr;
  const auto value = static_cast<double>(std::strtold(text.c_str(), &end));
  if (end != text.c_str() + text.size()) return std::nullopt;
  return value;
}

CLI::Validator finiteNumber() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        if (const auto value = wholeNumber(text); value && !std::isfinite(*value)) return "not a finite number: " + text;
        return {};
      },
      "FINITE");
}

std::string notRecordable(const std::string& text, std::size_t longest) {
  if (!simdjson::validate_utf8(text.data(), text.size())) return "not UTF-8 text";
  if (text.size() > longest) return "longer than " + std::to_string(longest) + " bytes";
  return {};
}

CLI::Validator recordableText(std::size_t longest) {
  return CLI::Validator([longest](std::string& text) { return notRecordable(text, longest); }, "TEXT");
}

int endParse(CLI::App& app, const CLI::ParseError& error) {
  if (dynamic_cast<const CLI::RequiredError*>(&error)) {
    std::vector<std::string> unknown = app.remaining();
    for (const CLI::App* command : app.get_subcommands())
      for (const auto& argument : command->remaining()) unknown.push_back(argument);
    if (!unknown.empty()) return app.exit(CLI::ExtrasError(unknown)) == 0 ? 0 : 2;
  }
  return app.exit(error) == 0 ? 0 : 2;
}

bool reportUnknownCommand(const CLI::App& app, int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-') return false;
  std::string commands;
  for (const CLI::App* command : app.get_subcommands({})) {
    if (command->get_name() == argv[1]) return false;
    if (command->get_group().empty()) continue;  // a hidden command is not listed
    commands.append(commands.empty() ? "" : ", ").append(command->get_name());
  }
  std::cerr << "error: unknown command \"" << argv[1] << "\"\ncommands: " << commands << "\n";
  return true;
}

int endRun(const CLI::App& app, host::CheckedStandardOutput& output, int exitCode) {
  if (const auto failure = output.finish()) {
    const auto ran = app.get_subcommands();
    const std::string command = ran.empty() ? std::string("zuvo-widgets") : ran.front()->get_name();
    std::cerr << "error: " << command << ": cannot write the output: " << *failure << "\n";
    return 1;
  }
  return exitCode;
}
