# Writes the desktop entry at install time, naming the installed program by its absolute path.
# Expects DESKTOP_TEMPLATE, DESKTOP_ENTRY (where to write it) and PROGRAM (the program's path).
#
# The path is one argument of Exec, so it is quoted and escaped by the Desktop Entry rules, which
# apply in two layers that a launcher undoes in turn: first the quoting rules (inside double quotes,
# `"`, `` ` ``, `$` and `\` take a backslash), then the escapes of any string value (`\` itself,
# and newline, tab and carriage return as \n, \t, \r). A literal `%` is `%%`, else a launcher
# reads it as a field code (`%f`).
set(quoted "${PROGRAM}")
string(REPLACE "\\" "\\\\" quoted "${quoted}")
string(REPLACE "\"" "\\\"" quoted "${quoted}")
string(REPLACE "`" "\\`" quoted "${quoted}")
string(REPLACE "$" "\\$" quoted "${quoted}")
string(REPLACE "\\" "\\\\" quoted "${quoted}")
string(REPLACE "\n" "\\n" quoted "${quoted}")
string(REPLACE "\t" "\\t" quoted "${quoted}")
string(REPLACE "\r" "\\r" quoted "${quoted}")
string(REPLACE "%" "%%" quoted "${quoted}")
set(EXEC_PROGRAM "\"${quoted}\"")
# A path free of reserved characters goes in as it is, as launchers and menu checkers expect.
if(NOT PROGRAM MATCHES "[] \t\n\r\"'\\><~|&;$*?#()`%[]")
  set(EXEC_PROGRAM "${PROGRAM}")
endif()
# GLib's launcher looks the program of Exec up before it turns %% into %, so it would miss one
# whose path holds a %, and refuse the whole entry: such a path is handed to env, found on PATH,
# and reaches it as an argument, where %% is undone as the rules say.
if(PROGRAM MATCHES "%")
  set(EXEC_PROGRAM "env ${EXEC_PROGRAM}")
endif()
message(STATUS "Installing: ${DESKTOP_ENTRY}")
configure_file("${DESKTOP_TEMPLATE}" "${DESKTOP_ENTRY}" @ONLY)
