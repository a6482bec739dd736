# Run by the install: writes share/applications/org.tonvela.Tonvela.desktop
# (named by the AppStream id) below the install prefix from
# TV_DESKTOP_TEMPLATE, naming the installed program by its absolute path, so
# that the entry starts this copy wherever it lies.

file(REAL_PATH "${CMAKE_INSTALL_PREFIX}" prefix)
set(exe "${prefix}/tonvela")

# Exec is a command line: a path with a reserved character is quoted, and
# inside the quotes ", `, $ and \ are escaped; a literal % is doubled.
string(REPLACE "%" "%%" exec "${exe}")
if(exec MATCHES "[] \t\"'\\\\><~|&;$*?#()`[]")
    string(REPLACE "\\" "\\\\" exec "${exec}")
    string(REPLACE "\"" "\\\"" exec "${exec}")
    string(REPLACE "`" "\\`" exec "${exec}")
    string(REPLACE "$" "\\$" exec "${exec}")
    set(exec "\"${exec}\"")
endif()
# Both values are strings of the entry, where a backslash is escaped once more.
string(REPLACE "\\" "\\\\" TV_EXEC "${exec}")
string(REPLACE "\\" "\\\\" TV_TRYEXEC "${exe}")

set(entry "$ENV{DESTDIR}${prefix}/share/applications/org.tonvela.Tonvela.desktop")
message(STATUS "Installing: ${entry}")
configure_file("${TV_DESKTOP_TEMPLATE}" "${entry}" @ONLY)
