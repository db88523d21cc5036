# One library per folder: every .cpp of the folder, linking the libraries
# below it (ARGN). A folder with no code yet is an interface library, so that
# the programs link the same list throughout.
#
# The linker checks the layers: the library's objects are linked once more,
# on their own with only the libraries it names, into a shared object that
# may leave no symbol undefined. A call into a library it does not name (one
# above it, or a sibling it does not link) fails the build, even where the
# program's link would have found the symbol elsewhere.
function(schoolphoto_library name folder)
  file(GLOB _sources CONFIGURE_DEPENDS ${folder}/*.cpp ${folder}/*.h)
  list(FILTER _sources EXCLUDE REGEX ".*/main\\.cpp$")
  if(_sources)
    add_library(${name} STATIC ${_sources})
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARGN})
    add_library(${name}_layer_check SHARED $<TARGET_OBJECTS:${name}>)
    add_dependencies(${name}_layer_check ${name})
    target_link_libraries(${name}_layer_check PRIVATE ${ARGN})
    target_link_options(${name}_layer_check PRIVATE LINKER:--no-undefined)
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
