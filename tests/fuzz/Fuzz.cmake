# The libFuzzer targets of tests/fuzz (clang only; the whole build is then instrumented for them, see
# the KALVENOR_FUZZ option). Each FuzzXxx.cpp is a program fuzz_xxx and a CTest "fuzz_xxx" that runs it
# for KALVENOR_FUZZ_SECONDS over its seed corpus tests/fuzz/corpus/xxx; what it finds new goes to
# <build>/fuzz-corpus/xxx, never into the tree.

set(KALVENOR_FUZZ_SECONDS 4 CACHE STRING "Seconds each fuzz target runs as a test")
enable_testing()
add_custom_target(kv_fuzz)
file(GLOB _fuzz_src CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/Fuzz*.cpp)
foreach(_src ${_fuzz_src})
  get_filename_component(_name ${_src} NAME_WE)
  string(REGEX REPLACE "^Fuzz" "" _short ${_name})
  string(TOLOWER ${_short} _short)
  add_executable(fuzz_${_short} ${_src})
  target_link_options(fuzz_${_short} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(fuzz_${_short} PRIVATE kv_vcl kv_gdiplus kv_classes kv_rtl)
  add_dependencies(kv_fuzz fuzz_${_short})
  set(_seeds ${CMAKE_CURRENT_LIST_DIR}/corpus/${_short})
  set(_found ${CMAKE_BINARY_DIR}/fuzz-corpus/${_short})
  file(MAKE_DIRECTORY ${_found})
  add_test(NAME fuzz_${_short}
    COMMAND fuzz_${_short} -max_total_time=${KALVENOR_FUZZ_SECONDS} -timeout=90 -rss_limit_mb=3072
            -print_final_stats=1 ${_found} ${_seeds})
  set_tests_properties(fuzz_${_short} PROPERTIES
    ENVIRONMENT "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/lsan.supp")
endforeach()
# The mark-up renderer and the styler's property file are components.
target_link_libraries(fuzz_markup PRIVATE kv_components)
target_link_libraries(fuzz_stylerfile PRIVATE kv_components)
target_link_libraries(fuzz_customizerini PRIVATE kv_components)
# The stored placement is the program's own rule.
target_sources(fuzz_placement PRIVATE ${CMAKE_SOURCE_DIR}/app/WindowPlacement.cpp)
# The layout reader reads into the test components, which have every kind of property.
target_sources(fuzz_layout PRIVATE ${CMAKE_SOURCE_DIR}/tests/classes/TestComponents.cpp)
# The page reader of the browser control, without the control (which needs the engine).
target_sources(fuzz_pagetext PRIVATE ${CMAKE_SOURCE_DIR}/platform/web/MarkupText.cpp
               ${CMAKE_SOURCE_DIR}/platform/web/ContentType.cpp ${CMAKE_SOURCE_DIR}/platform/web/LegacyDecoders.cpp
               ${CMAKE_SOURCE_DIR}/platform/web/WebEncodings.cpp ${CMAKE_SOURCE_DIR}/platform/web/MarkupDeclaration.cpp)
target_link_libraries(fuzz_pagetext PRIVATE PkgConfig::GLIB)
