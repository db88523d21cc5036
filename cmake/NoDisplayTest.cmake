# Starts COMMAND (a program, or a script with its arguments) with no display
# named and no Qt platform chosen, in an empty home: it must say so in one
# French line on the standard error output and end with a plain failure
# status, neither 0 nor a signal's.
string(RANDOM LENGTH 8 _suffix)
set(_home "${WORK_DIR}/sans-affichage-${_suffix}")
file(MAKE_DIRECTORY "${_home}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
          "HOME=${_home}" "SCHOOLPHOTO_ROOT=${_home}" "XDG_CONFIG_HOME=${_home}/.config"
          "XDG_DATA_HOME=${_home}/.local/share" ${COMMAND}
  RESULT_VARIABLE _status OUTPUT_VARIABLE _out ERROR_VARIABLE _err TIMEOUT 60)
file(GLOB_RECURSE _written LIST_DIRECTORIES true "${_home}/*")
file(REMOVE_RECURSE "${_home}")
if(NOT _status MATCHES "^[0-9]+$" OR _status EQUAL 0 OR _status GREATER 127)
  message(FATAL_ERROR "status '${_status}', expected 1 to 127\nstdout: ${_out}\nstderr: ${_err}")
endif()
string(REGEX MATCHALL "\n" _breaks "${_err}")
list(LENGTH _breaks _lines)
if(NOT _lines EQUAL 1 OR NOT _err MATCHES "ne peut pas démarrer sans session graphique : ni DISPLAY ni WAYLAND_DISPLAY")
  message(FATAL_ERROR "expected one French line on stderr, got:\n${_err}")
endif()
if(NOT _out STREQUAL "" OR _written)
  message(FATAL_ERROR "expected nothing else done, got stdout '${_out}' and files '${_written}'")
endif()
