# Writes the menu entry for the program installed at NUMERELLA_PROGRAM, from
# NUMERELLA_DESKTOP_IN, and installs it into NUMERELLA_APPLICATIONS_DIR.
#
# Exec= takes the path as one quoted argument, whatever it holds (a space in
# "Loto du club" would otherwise split it): within the quotes ", `, $ and \
# take a backslash; the value's own escapes then double every backslash and
# spell out control characters; % is written %% as it starts a field code.
set(exec "${NUMERELLA_PROGRAM}")
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "\"" "\\\"" exec "${exec}")
string(REPLACE "`" "\\`" exec "${exec}")
string(REPLACE "$" "\\$" exec "${exec}")
string(REPLACE "\\" "\\\\" exec "${exec}")
string(REPLACE "\n" "\\n" exec "${exec}")
string(REPLACE "\t" "\\t" exec "${exec}")
string(REPLACE "\r" "\\r" exec "${exec}")
string(REPLACE "%" "%%" exec "${exec}")
set(NUMERELLA_EXEC "\"${exec}\"")

configure_file("${NUMERELLA_DESKTOP_IN}" "${NUMERELLA_DESKTOP}" @ONLY)
file(INSTALL "${NUMERELLA_DESKTOP}" DESTINATION "${NUMERELLA_APPLICATIONS_DIR}")
