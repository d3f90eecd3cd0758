# varnelo_add_test(NAME n LABEL unit|gui|e2e SOURCES ... LIBS ... [TIMEOUT s])
# The test main (tests/support) creates the QApplication first.
# One GoogleTest executable registered as one ctest test, with the label that
# tells the runner whether it needs a display or the whole built program.
function(varnelo_add_test)
  cmake_parse_arguments(T "" "NAME;LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} varnelo_test_support GTest::gtest GTest::gmock)
  target_compile_definitions(${T_NAME} PRIVATE
    VARNELO_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    VARNELO_BINARY_DIR="${CMAKE_BINARY_DIR}")
  target_compile_options(${T_NAME} PRIVATE -include ${CMAKE_SOURCE_DIR}/tests/support/QtPrinters.h)
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set(env "QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox")
  if(T_LABEL STREQUAL "unit")
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABEL}" TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "${env}")
endfunction()

# Adds every immediate subfolder that has its own CMakeLists.txt, so each
# module owns its build file and nobody edits a shared list to add one.
macro(varnelo_add_subfolders)
  file(GLOB _children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT _children)
  foreach(_child IN LISTS _children)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${_child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${_child}/CMakeLists.txt)
      add_subdirectory(${_child})
    endif()
  endforeach()
endmacro()

# varnelo_add_module(NAME lib LIBS ... [EXCLUDE file ...])
# A module library made of every .cpp/.h of the calling folder, so adding a
# file needs no build-file edit.
function(varnelo_add_module)
  cmake_parse_arguments(M "" "NAME" "LIBS;EXCLUDE" ${ARGN})
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  foreach(_ex IN LISTS M_EXCLUDE)
    list(REMOVE_ITEM _src ${CMAKE_CURRENT_SOURCE_DIR}/${_ex})
  endforeach()
  set(_cpp ${_src})
  list(FILTER _cpp INCLUDE REGEX "\\.cpp$")
  if(_cpp)
    add_library(${M_NAME} STATIC ${_src})
    target_include_directories(${M_NAME} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${M_NAME} PUBLIC ${M_LIBS})
  else()
    # A module with no sources yet still gives its dependants its links.
    add_library(${M_NAME} INTERFACE)
    target_include_directories(${M_NAME} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${M_NAME} INTERFACE ${M_LIBS})
  endif()
endfunction()
