# Starts COMMAND (a program, or a script with its arguments) with no Qt
# platform chosen, in an empty home, and either no display named or only the
# one in DISPLAY_SET ("DISPLAY=:79"), which does not answer: it must say so in
# one French line on the standard error output, do nothing else, and end with
# a plain failure status, neither 0 nor a signal's. DISPLAY_SET may instead
# choose a platform that Qt lacks ("QT_QPA_PLATFORM=absente"), with EXPECTED
# the part of the line said then.
string(RANDOM LENGTH 8 _suffix)
set(_home "${WORK_DIR}/sans-affichage-${_suffix}")
file(MAKE_DIRECTORY "${_home}")
if(EXPECTED)
  set(_expected "${EXPECTED}")
elseif(DISPLAY_SET)
  set(_expected "ne peut pas démarrer sans session graphique : aucun affichage ne répond (${DISPLAY_SET}).")
else()
  set(_expected "ne peut pas démarrer sans session graphique : ni DISPLAY ni WAYLAND_DISPLAY")
endif()
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
          "HOME=${_home}" "SCHOOLPHOTO_ROOT=${_home}" "XDG_CONFIG_HOME=${_home}/.config"
          "XDG_DATA_HOME=${_home}/.local/share" ${DISPLAY_SET} ${COMMAND}
  RESULT_VARIABLE _status OUTPUT_VARIABLE _out ERROR_VARIABLE _err TIMEOUT 60)
file(GLOB_RECURSE _written LIST_DIRECTORIES true "${_home}/*")
file(REMOVE_RECURSE "${_home}")
if(NOT _status MATCHES "^[0-9]+$" OR _status EQUAL 0 OR _status GREATER 127)
  message(FATAL_ERROR "status '${_status}', expected 1 to 127\nstdout: ${_out}\nstderr: ${_err}")
endif()
string(REGEX MATCHALL "\n" _breaks "${_err}")
list(LENGTH _breaks _lines)
string(FIND "${_err}" "${_expected}" _at)
if(NOT _lines EQUAL 1 OR _at EQUAL -1)
  message(FATAL_ERROR "expected one French line on stderr with '${_expected}', got:\n${_err}")
endif()
if(NOT _out STREQUAL "" OR _written)
  message(FATAL_ERROR "expected nothing else done, got stdout '${_out}' and files '${_written}'")
endif()
