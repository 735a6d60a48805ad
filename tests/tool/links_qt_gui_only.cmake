# talmorek-tool-print draws the tool's printouts with QtGui alone. Run as
#   cmake -DEXECUTABLE=<path> -P links_qt_gui_only.cmake
# it fails when the executable loads Qt's widget or printer library, directly
# or through another library. It also requires QtGui among the libraries, so
# that an executable whose dependencies could not be read does not pass.
# With -DNO_QT=ON it requires instead that no Qt library is loaded at all
# (talmorek-tool itself), and some library (the C++ runtime) is.
if(NOT EXECUTABLE)
  message(FATAL_ERROR "EXECUTABLE is not set")
endif()
file(GET_RUNTIME_DEPENDENCIES EXECUTABLES "${EXECUTABLE}"
     RESOLVED_DEPENDENCIES_VAR resolved UNRESOLVED_DEPENDENCIES_VAR unresolved)
set(names "")
foreach(library IN LISTS resolved unresolved)
  get_filename_component(name "${library}" NAME)
  list(APPEND names "${name}")
endforeach()

if(NO_QT)
  set(qt ${names})
  list(FILTER qt INCLUDE REGEX "Qt[0-9]")
  if(qt)
    message(FATAL_ERROR "${EXECUTABLE} loads ${qt}")
  endif()
  set(runtime ${names})
  list(FILTER runtime INCLUDE REGEX "libstdc\\+\\+")
  if(NOT runtime)
    message(FATAL_ERROR "${EXECUTABLE}: its libraries could not be read: ${names}")
  endif()
  message(STATUS "${EXECUTABLE}: no Qt")
  return()
endif()

set(forbidden ${names})
list(FILTER forbidden INCLUDE REGEX "Qt[0-9]*(Widgets|PrintSupport)")
if(forbidden)
  message(FATAL_ERROR "${EXECUTABLE} loads ${forbidden}")
endif()
set(gui ${names})
list(FILTER gui INCLUDE REGEX "Qt[0-9]*Gui")
if(NOT gui)
  message(FATAL_ERROR "${EXECUTABLE} does not load QtGui; its libraries: ${names}")
endif()
message(STATUS "${EXECUTABLE}: ${gui}, no widgets, no printing")
