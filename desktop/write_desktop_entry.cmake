# Run by `cmake --install`: writes the desktop entry with Exec and Path under the prefix of this
# install, which `--prefix` may have changed since configuring, and installs it.
# Set by the caller: VEXILO_DESKTOP_TEMPLATE, VEXILO_DESKTOP_ENTRY (the file written in the build
# tree), and the configured VEXILO_BINDIR, VEXILO_DATADIR (relative to the prefix, or absolute).

function(vexilo_installed_path dir out)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  else()
    set(${out} "${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
  endif()
endfunction()

# A string value keeps a backslash only doubled.
function(vexilo_desktop_string text out)
  if(text MATCHES "[\n\r\t]")
    message(FATAL_ERROR "A desktop entry cannot name the path \"${text}\"")
  endif()
  string(REPLACE "\\" "\\\\" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Exec splits at spaces and gives meaning to quotes, $, ` and %: a program path holding anything
# beyond the plain characters is quoted, with ", `, $ and \ escaped inside the quotes.
function(vexilo_desktop_command program out)
  if(program MATCHES "[^A-Za-z0-9/._+,:@=-]")
    foreach(special "\\" "\"" "`" "$")
      string(REPLACE "${special}" "\\${special}" program "${program}")
    endforeach()
    set(program "\"${program}\"")
  endif()
  vexilo_desktop_string("${program}" program)
  string(REPLACE "%" "%%" program "${program}")
  set(${out} "${program}" PARENT_SCOPE)
endfunction()

vexilo_installed_path("${VEXILO_BINDIR}" bindir)
vexilo_installed_path("${VEXILO_DATADIR}" datadir)
vexilo_desktop_command("${bindir}/vexilo" VEXILO_EXEC)
# The program looks for Test.wav in the folder it is started from.
vexilo_desktop_string("${datadir}/vexilo" VEXILO_PATH)
configure_file("${VEXILO_DESKTOP_TEMPLATE}" "${VEXILO_DESKTOP_ENTRY}" @ONLY)
file(INSTALL "${VEXILO_DESKTOP_ENTRY}" DESTINATION "${datadir}/applications")
