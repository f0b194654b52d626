# Settings shared by every target of the project, applied per target.

function(qmcal_configure_target target)
  set_target_properties(${target} PROPERTIES
    CXX_STANDARD 20
    CXX_STANDARD_REQUIRED ON
    CXX_EXTENSIONS OFF
    AUTOMOC ON
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
    -Wno-sign-conversion)
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    # Qt's logging macros (qCDebug(category) << ...) leave their variadic part empty.
    target_compile_options(${target} PRIVATE -Wno-gnu-zero-variadic-macro-arguments)
  endif()
  if(QMCAL_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  if(QMCAL_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
      -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(QMCAL_TSAN)
    target_compile_options(${target} PRIVATE -fsanitize=thread -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=thread)
  endif()
  if(QMCAL_FUZZ)
    # Coverage for libFuzzer in every library a harness links; the harnesses add the driver.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
    target_link_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
  target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS)
endfunction()

# One GoogleTest executable per layer, registered with CTest; GMOCK for the matchers.
function(qmcal_add_test name)
  cmake_parse_arguments(ARG "GMOCK" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  qmcal_configure_target(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  if(ARG_GMOCK)
    target_link_libraries(${name} PRIVATE GTest::gmock)
  endif()
  target_compile_definitions(${name} PRIVATE
    QMCAL_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data"
    QMCAL_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  # The environment is set once the tests are known: given to gtest_discover_tests, a list of
  # variables reaches the tests as separate words, and only the first is set. Leaks stay checked.
  set(environment
    "QT_QPA_PLATFORM=offscreen"
    "LC_ALL=C"
    "TSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/tsan.supp")
  set(environment_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_environment.cmake)
  file(WRITE ${environment_file}
    "if(DEFINED ${name}_TESTS)\n"
    "  set_tests_properties(\${${name}_TESTS} PROPERTIES ENVIRONMENT \"${environment}\")\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${environment_file})
endfunction()

# Stops the configure when target links forbidden, directly or through any library it links
# (aliases resolved, generator expressions looked into as if their conditions held).
function(qmcal_check_not_linked target forbidden)
  set(pending ${target})
  set(seen "")
  while(pending)
    list(POP_FRONT pending current)
    if(NOT TARGET ${current} OR current IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${current})
    string(MAKE_C_IDENTIFIER "${current}" id)
    get_target_property(aliased ${current} ALIASED_TARGET)
    if(aliased)
      set(current ${aliased})
    endif()
    if(current STREQUAL forbidden)
      # The chain of links that led here, for the message.
      set(chain ${current})
      while(DEFINED via_${id})
        set(from ${via_${id}})
        list(PREPEND chain ${from})
        string(MAKE_C_IDENTIFIER "${from}" id)
      endwhile()
      list(JOIN chain " -> " chain)
      message(FATAL_ERROR "${target} must not link ${forbidden}: ${chain}")
    endif()
    foreach(property LINK_LIBRARIES INTERFACE_LINK_LIBRARIES)
      get_target_property(libraries ${current} ${property})
      if(NOT libraries)
        continue()
      endif()
      foreach(library IN LISTS libraries)
        set(names ${library})
        if(library MATCHES "^\\$<")
          string(REGEX MATCHALL "[A-Za-z0-9_.+-]+(::[A-Za-z0-9_.+-]+)*" names "${library}")
        endif()
        foreach(name IN LISTS names)
          string(MAKE_C_IDENTIFIER "${name}" next)
          if(NOT DEFINED via_${next} AND NOT name STREQUAL target)
            set(via_${next} ${current})
          endif()
          list(APPEND pending ${name})
        endforeach()
      endforeach()
    endforeach()
  endwhile()
endfunction()
