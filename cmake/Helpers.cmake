# One library per folder: every .cpp of the folder. A folder with no code yet
# is an interface library, so that the programs link the same list throughout.
function(schoolphoto_library name folder)
  file(GLOB _sources CONFIGURE_DEPENDS ${folder}/*.cpp ${folder}/*.h)
  list(FILTER _sources EXCLUDE REGEX ".*/main\\.cpp$")
  if(_sources)
    add_library(${name} STATIC ${_sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# One test program per library: every .cpp of the test folder.
function(schoolphoto_test name folder)
  file(GLOB _sources CONFIGURE_DEPENDS ${folder}/*.cpp ${folder}/*.h)
  if(NOT _sources)
    return()
  endif()
  add_executable(${name} ${_sources})
  target_link_libraries(${name} PRIVATE test_support ${ARGN})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()

# Embeds a text file (an SQL schema) as a C++ string constant.
function(schoolphoto_embed_text target file symbol)
  set(_out ${CMAKE_CURRENT_BINARY_DIR}/${symbol}.cpp)
  add_custom_command(OUTPUT ${_out}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DOUTPUT=${_out} -DSYMBOL=${symbol}
            -P ${CMAKE_SOURCE_DIR}/cmake/EmbedText.cmake
    DEPENDS ${file} ${CMAKE_SOURCE_DIR}/cmake/EmbedText.cmake)
  target_sources(${target} PRIVATE ${_out})
endfunction()

# Links a program's first library to its sibling libraries that have code.
function(schoolphoto_link_back name)
  get_target_property(_own_type ${name} TYPE)
  foreach(_other ${ARGN})
    get_target_property(_type ${_other} TYPE)
    if(_own_type STREQUAL "STATIC_LIBRARY" AND _type STREQUAL "STATIC_LIBRARY")
      target_link_libraries(${name} PUBLIC ${_other})
    endif()
  endforeach()
endfunction()
