#include "shell_completion.hpp"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kProgram = "zuvo-widgets";

// One option or positional argument as a shell offers it.
struct Argument {
  std::vector<std::string> names;    // "--family", "-o"; none for a positional argument
  std::string description;
  bool takesValue = false;
  bool files = false;                // the value is a file name
  std::vector<std::string> choices;  // the only values the program accepts, when it says so
};

struct Command {
  std::string name;
  std::string description;
  std::vector<Argument> arguments;
};

// A word that every shell takes as it is, unquoted: the names of commands, options and choices.
bool plainWord(std::string_view word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
           c == '.';
  });
}

// An IsMember check names its set in the option's type as "{a,b,c}".
std::vector<std::string> choicesOf(const std::string& typeName) {
  std::vector<std::string> choices;
  const auto open = typeName.find(":{");
  const auto close = typeName.find('}', open);
  if (open == std::string::npos || close == std::string::npos) return choices;
  std::string_view set(typeName.data() + open + 2, close - open - 2);
  while (!set.empty()) {
    const auto comma = std::min(set.find(','), set.size());
    if (plainWord(set.substr(0, comma))) choices.emplace_back(set.substr(0, comma));
    set.remove_prefix(std::min(comma + 1, set.size()));
  }
  return choices;
}

Argument argumentOf(const CLI::Option& option) {
  Argument argument;
  for (const auto& name : option.get_snames())
    if (plainWord(name)) argument.names.push_back("-" + name);
  for (const auto& name : option.get_lnames())
    if (plainWord(name)) argument.names.push_back("--" + name);
  argument.description = option.get_description();
  argument.takesValue = option.get_items_expected_max() > 0;
  const std::string typeName = option.get_type_name();
  argument.files = typeName.rfind("FILE", 0) == 0;
  argument.choices = choicesOf(typeName);
  return argument;
}

// The commands the help shows (a hidden command has no group), then the program's own options.
std::vector<Command> commandsOf(const CLI::App& program) {
  std::vector<Command> commands;
  Command top{.name = "", .description = "", .arguments = {}};
  for (const CLI::Option* option : program.get_options())
    if (option->nonpositional()) top.arguments.push_back(argumentOf(*option));
  commands.push_back(top);
  for (const CLI::App* command : program.get_subcommands({})) {
    if (command->get_group().empty() || !plainWord(command->get_name())) continue;
    Command entry{.name = command->get_name(), .description = command->get_description(), .arguments = {}};
    for (const CLI::Option* option : command->get_options()) entry.arguments.push_back(argumentOf(*option));
    commands.push_back(entry);
  }
  return commands;
}

std::string joined(const std::vector<std::string>& words, const char* separator = " ") {
  std::string out;
  for (const auto& word : words) out.append(out.empty() ? "" : separator).append(word);
  return out;
}

bool positional(const Argument& argument) { return argument.names.empty(); }

// Inside single quotes: a quote ends them, is escaped, and opens them again.
std::string posixQuoted(std::string_view text) {
  std::string out = "'";
  for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

void writeBash(std::ostream& out, const std::vector<Command>& commands) {
  out << "# bash completion for " << kProgram << ", written by `" << kProgram << " completion bash`\n"
      << "_zuvo_widgets() {\n"
      << "  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} words='' files=''\n"
      << "  COMPREPLY=()\n"
      << "  if [ \"$COMP_CWORD\" -eq 1 ]; then\n";
  std::vector<std::string> first;
  for (const Command& command : commands)
    if (!command.name.empty()) first.push_back(command.name);
  for (const Argument& argument : commands.front().arguments)
    first.insert(first.end(), argument.names.begin(), argument.names.end());
  out << "    words='" << joined(first) << "'\n"
      << "  else\n"
      << "    case ${COMP_WORDS[1]} in\n";
  for (const Command& command : commands) {
    if (command.name.empty()) continue;
    out << "      " << command.name << ")\n"
        << "        case $prev in\n";
    std::vector<std::string> words;
    bool positionalFiles = false;
    for (const Argument& argument : command.arguments) {
      if (positional(argument)) {
        words.insert(words.end(), argument.choices.begin(), argument.choices.end());
        positionalFiles = positionalFiles || argument.files;
        continue;
      }
      words.insert(words.end(), argument.names.begin(), argument.names.end());
      if (!argument.takesValue) continue;
      out << "          " << joined(argument.names, "|") << ") ";
      if (!argument.choices.empty())
        out << "words='" << joined(argument.choices) << "' ;;\n";
      else if (argument.files)
        out << "files=1 ;;\n";
      else
        out << "return 0 ;;\n";
    }
    out << "          *) words='" << joined(words) << "'" << (positionalFiles ? " files=1" : "") << " ;;\n"
        << "        esac ;;\n";
  }
  out << "    esac\n"
      << "  fi\n"
      << "  if [ -n \"$files\" ]; then compopt -o filenames 2> /dev/null; fi\n"
      << "  mapfile -t COMPREPLY < <(compgen -W \"$words\" -- \"$cur\"; [ -z \"$files\" ] || compgen -f -- \"$cur\")\n"
      << "}\n"
      << "complete -F _zuvo_widgets " << kProgram << "\n";
}

// `text` with a backslash before each character of `special`.
std::string backslashed(std::string_view text, std::string_view special) {
  std::string out;
  for (char c : text) {
    if (special.find(c) != std::string_view::npos) out += '\\';
    out += c;
  }
  return out;
}

// In an _arguments description, brackets, colons and backslashes are taken literally when escaped.
std::string zshDescription(std::string_view text) { return backslashed(text, "[]:\\"); }

std::string zshAction(const Argument& argument) {
  if (!argument.choices.empty()) return "(" + joined(argument.choices) + ")";
  if (argument.files) return "_files";
  return " ";
}

void writeZsh(std::ostream& out, const std::vector<Command>& commands) {
  out << "#compdef " << kProgram << "\n"
      << "# zsh completion for " << kProgram << ", written by `" << kProgram << " completion zsh`\n"
      << "_zuvo-widgets() {\n"
      << "  local curcontext=$curcontext state line\n"
      << "  typeset -A opt_args\n"
      << "  _arguments -C";
  for (const Argument& argument : commands.front().arguments)
    for (const auto& name : argument.names)
      out << " \\\n    " << posixQuoted(name + "[" + zshDescription(argument.description) + "]");
  out << " \\\n    '1:command:->command' '*::argument:->argument' && return 0\n"
      << "  case $state in\n"
      << "    command)\n"
      << "      local -a commands=(";
  for (const Command& command : commands)
    if (!command.name.empty())
      out << "\n        " << posixQuoted(command.name + ":" + command.description);
  out << "\n      )\n"
      << "      _describe -t commands command commands ;;\n"
      << "    argument)\n"
      << "      case $words[1] in\n";
  for (const Command& command : commands) {
    if (command.name.empty()) continue;
    out << "        " << command.name << ")\n"
        << "          _arguments";
    int position = 0;
    for (const Argument& argument : command.arguments) {
      if (positional(argument)) {
        out << " \\\n            "
            << posixQuoted(std::to_string(++position) + ":" + zshDescription(argument.description) + ":" +
                           zshAction(argument));
        continue;
      }
      const std::string exclusive = argument.names.size() > 1 ? "(" + joined(argument.names) + ")" : "";
      for (const auto& name : argument.names) {
        // A long option's value follows it or an =; a short option's follows it or the next word.
        const char* valueMark = !argument.takesValue ? "" : name.rfind("--", 0) == 0 ? "=" : "+";
        std::string spec = exclusive + name + valueMark + "[" +
                           zshDescription(argument.description) + "]";
        if (argument.takesValue) spec += ":value:" + zshAction(argument);
        out << " \\\n            " << posixQuoted(spec);
      }
    }
    out << " ;;\n";
  }
  out << "      esac ;;\n"
      << "  esac\n"
      << "}\n"
      << "_zuvo-widgets \"$@\"\n";
}

// Inside fish's single quotes only the backslash and the quote take a backslash.
std::string fishQuoted(std::string_view text) { return "'" + backslashed(text, "\\'") + "'"; }

void writeFish(std::ostream& out, const std::vector<Command>& commands) {
  out << "# fish completion for " << kProgram << ", written by `" << kProgram << " completion fish`\n"
      << "complete -c " << kProgram << " -f\n";
  const auto names = [](const Argument& argument) {
    std::string out;
    for (const auto& name : argument.names) out += (name.rfind("--", 0) == 0 ? " -l " : " -s ") + name.substr(name.find_first_not_of('-'));
    return out;
  };
  const auto complete = [&](const std::string& condition, const Argument& argument) {
    out << "complete -c " << kProgram << " -n " << fishQuoted(condition) << names(argument);
    if (!argument.choices.empty())
      out << (positional(argument) ? " -a " : " -x -a ") << fishQuoted(joined(argument.choices));
    else if (argument.files)
      out << (positional(argument) ? " -F" : " -r -F");
    else if (argument.takesValue && !positional(argument))
      out << " -x";
    out << " -d " << fishQuoted(argument.description) << "\n";
  };
  for (const Command& command : commands) {
    if (command.name.empty()) continue;
    out << "complete -c " << kProgram << " -n __fish_use_subcommand -a " << command.name << " -d "
        << fishQuoted(command.description) << "\n";
  }
  for (const Argument& argument : commands.front().arguments) complete("__fish_use_subcommand", argument);
  for (const Command& command : commands) {
    if (command.name.empty()) continue;
    for (const Argument& argument : command.arguments)
      if (!positional(argument) || !argument.choices.empty() || argument.files)
        complete("__fish_seen_subcommand_from " + command.name, argument);
  }
}

}  // namespace

CLI::App* declareCompletionCommand(CLI::App& app, std::string& shell) {
  CLI::App* command = app.add_subcommand("completion", "Print the shell completion script of SHELL");
  command->group("");  // hidden: packagers run it, users get its output installed
  command->add_option("shell", shell, "bash, zsh or fish")->required()->check(CLI::IsMember({"bash", "zsh", "fish"}));
  return command;
}

void writeCompletionScript(std::ostream& out, const CLI::App& program, const std::string& shell) {
  const std::vector<Command> commands = commandsOf(program);
  if (shell == "bash") writeBash(out, commands);
  if (shell == "zsh") writeZsh(out, commands);
  if (shell == "fish") writeFish(out, commands);
}
