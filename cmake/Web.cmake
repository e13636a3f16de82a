# The browser control over WebKitGTK (platform/web -> kv_web), its tests on the offscreen backend with a
# fake engine (tests/web -> tests_web), and its end-to-end tests under Xvfb against the demo service
# (tests/web/e2e -> tests_web_e2e, CTest "web_end_to_end").
#
# Everything is declared once the whole root list has been read, since it needs the GTK backend, the
# test support library and GoogleTest.

# A program that shows pages: it exports to the engine's module what the module takes from it (and
# nothing more: platform/web/webkit/ProgramExports.list) and builds the module.
function(kv_web_program target)
  set(_list ${CMAKE_SOURCE_DIR}/platform/web/webkit/ProgramExports.list)
  target_link_options(${target} PRIVATE "LINKER:--dynamic-list=${_list}")
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${_list})
  add_dependencies(${target} kalvenor-webkit)
endfunction()

function(_kv_web_late)
  pkg_check_modules(WEBKIT REQUIRED IMPORTED_TARGET webkit2gtk-4.1)
  file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/web/*.cpp)
  add_library(kv_web STATIC ${_src})
  target_link_libraries(kv_web PUBLIC kv_vcl kv_backend_gtk ${CMAKE_DL_LIBS} PRIVATE PkgConfig::GTK3)
  # The bidirectional class of a character, for what the engine asks of host names (WebHost.cpp).
  pkg_check_modules(FRIBIDI REQUIRED IMPORTED_TARGET fribidi)
  target_link_libraries(kv_web PRIVATE PkgConfig::FRIBIDI)
  # The engine's module is loaded through GModule (platform/web/WebKitModule.cpp). Its "no-export" form:
  # the program exports only what the module takes from it (kv_web_program), not every symbol.
  if(NOT TARGET PkgConfig::GMODULE)
    pkg_check_modules(GMODULE REQUIRED IMPORTED_TARGET gmodule-no-export-2.0)
  endif()
  target_link_libraries(kv_web PRIVATE PkgConfig::GMODULE)

  # The WebKit engine is a module loaded on the first navigation (platform/web/WebKitEngine.h). It links
  # WebKit alone: the platform it stands on comes from the program that loads it, which exports its
  # symbols (kv_web_program).
  file(GLOB _engine CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/web/webkit/*.cpp)
  add_library(kalvenor-webkit MODULE ${_engine})
  set_target_properties(kalvenor-webkit PROPERTIES PREFIX "lib" LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  target_link_libraries(kalvenor-webkit PRIVATE PkgConfig::WEBKIT PkgConfig::GTK3)

  if(NOT KALVENOR_TESTS OR NOT TARGET kv_testsupport)
    return()
  endif()

  file(GLOB _unit CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/web/*.cpp)
  if(_unit)
    add_executable(tests_web ${_unit})
    target_link_libraries(tests_web PRIVATE kv_testsupport kv_web kv_backend_offscreen GTest::gtest GTest::gmock)
    gtest_discover_tests(tests_web DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT ${KV_DISCOVERY_TIMEOUT}
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
      PROPERTIES ENVIRONMENT "KALVENOR_SOURCE_DIR=${CMAKE_SOURCE_DIR};KALVENOR_BACKEND=offscreen")
  endif()

  file(GLOB _e2e CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/web/e2e/*.cpp)
  if(_e2e)
    find_package(Python3 REQUIRED COMPONENTS Interpreter)
    add_executable(tests_web_e2e ${_e2e})
    target_link_libraries(tests_web_e2e PRIVATE kv_testsupport kv_web kv_backend_gtk kv_backend_offscreen
                          PkgConfig::WEBKIT PkgConfig::GTK3 GTest::gtest GTest::gmock)
    kv_web_program(tests_web_e2e)
    target_compile_definitions(tests_web_e2e PRIVATE
      KV_DEMO_SERVICE="${CMAKE_SOURCE_DIR}/tools/demo-service/server.py"
      KV_PYTHON="${Python3_EXECUTABLE}"
      KV_WEB_ARTIFACTS="${CMAKE_BINARY_DIR}/web-e2e")
    if(KV_WITH_XVFB)
      set(_cmd ${KV_WITH_XVFB} $<TARGET_FILE:tests_web_e2e>)
    else()
      set(_cmd $<TARGET_FILE:tests_web_e2e>)
    endif()
    # No variable of WebKit's is set: the engine draws the page as it does in the program, and the tests see
    # on the screen what a user sees.
    # The engine's module brings libraries with thread-local storage of their own; the sanitizer's
    # tracking of such storage does not know this C library's layout and makes the leak check crash.
    set(_env "KALVENOR_SOURCE_DIR=${CMAKE_SOURCE_DIR}" "ASAN_OPTIONS=detect_leaks=1:intercept_tls_get_addr=0"
             "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/web/lsan.supp:print_suppressions=0"
             "NO_AT_BRIDGE=1" "GTK_THEME=Adwaita" "LC_ALL=C.UTF-8"
             "UBSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/web/ubsan.supp:print_stacktrace=1"
             "LIBGL_ALWAYS_SOFTWARE=1")
    add_test(NAME web_end_to_end COMMAND ${_cmd} WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    # Its engine comparisons show the engine some large pages: on a loaded two-core machine the whole run
    # takes minutes.
    set_tests_properties(web_end_to_end PROPERTIES TIMEOUT 900 ENVIRONMENT "${_env}")
    if(KALVENOR_SANITIZE)
      # The suppressions must not hide our own leaks: one made in a browser event is still reported.
      add_test(NAME web_leak_canary COMMAND ${_cmd} --gtest_filter=*WebLeakCanary
               WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
      set_tests_properties(web_leak_canary PROPERTIES TIMEOUT 120
        ENVIRONMENT "${_env};KALVENOR_WEB_LEAK_CANARY=1"
        PASS_REGULAR_EXPRESSION "WebLeakCanary.*\n(.*\n)*.*SUMMARY: AddressSanitizer: 77 byte")
    endif()
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _kv_web_late)
