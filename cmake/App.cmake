# The program `kalvenor` (app/ with the resources of resources/), its unit tests on the offscreen backend
# with the fake browser engine (tests/app -> tests_app), and its end-to-end test under Xvfb against the
# demo service (tests/app/e2e -> CTest "app_end_to_end").
#
# Declared once the whole root list has been read: it needs kv_web, the GTK backend, the test support
# library and GoogleTest.

include_guard(GLOBAL)

function(_kv_app_late)
  file(GLOB _app_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/*.cpp)
  list(FILTER _app_src EXCLUDE REGEX "/Kalvenor\\.cpp$")
  add_library(kv_app STATIC ${_app_src})
  target_link_libraries(kv_app PUBLIC kv_components kv_web)

  add_executable(kalvenor ${CMAKE_SOURCE_DIR}/app/Kalvenor.cpp)
  target_link_libraries(kalvenor PRIVATE kv_app kv_web kv_backend_gtk kv_components)
  kv_web_program(kalvenor)
  kv_add_resources(kalvenor ${CMAKE_SOURCE_DIR}/resources)
  # A stand-in for the browser engine's module that loads slowly and looks a symbol up through GModule
  # meanwhile, as libsoup's initialiser does: for the start-up freeze test (app_startup_freeze) and
  # bench/startup/startup_stress.py, which run a release build too.
  if(NOT TARGET PkgConfig::GMODULE)
    pkg_check_modules(GMODULE REQUIRED IMPORTED_TARGET gmodule-no-export-2.0)
  endif()
  add_library(kalvenor-slow-engine MODULE ${CMAKE_SOURCE_DIR}/tests/app/e2e/SlowEngineModule.cpp)
  set_target_properties(kalvenor-slow-engine PROPERTIES PREFIX "lib" LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
  target_link_libraries(kalvenor-slow-engine PRIVATE PkgConfig::GMODULE)

  if(NOT KALVENOR_TESTS OR NOT TARGET kv_testsupport)
    return()
  endif()

  file(GLOB _unit CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/app/*.cpp)
  if(_unit)
    add_executable(tests_app ${_unit})
    target_link_libraries(tests_app PRIVATE kv_testsupport kv_app kv_web kv_backend_offscreen
                          GTest::gtest GTest::gmock)
    kv_add_resources(tests_app ${CMAKE_SOURCE_DIR}/resources)
    gtest_discover_tests(tests_app DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT ${KV_DISCOVERY_TIMEOUT}
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
      PROPERTIES ENVIRONMENT "KALVENOR_SOURCE_DIR=${CMAKE_SOURCE_DIR};KALVENOR_BACKEND=offscreen")
  endif()

  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  # Without a display the program says so and ends with a failure (no X server needed).
  add_test(NAME app_without_display
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/app/e2e/without_display.py
            --program $<TARGET_FILE:kalvenor>)
  set_tests_properties(app_without_display PROPERTIES TIMEOUT 200
    ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/web/lsan.supp:print_suppressions=0")

  if(EXISTS ${CMAKE_SOURCE_DIR}/tests/app/e2e/run_e2e.py)
    set(_xvfb ${KV_WITH_XVFB})
    # ASAN_OPTIONS: see the browser's end-to-end tests (cmake/Web.cmake).
    set(_app_env "ASAN_OPTIONS=detect_leaks=1:intercept_tls_get_addr=0;LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/web/lsan.supp:print_suppressions=0;UBSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/web/ubsan.supp;NO_AT_BRIDGE=1;GTK_THEME=Adwaita;LC_ALL=C.UTF-8;LIBGL_ALWAYS_SOFTWARE=1")
    # One test of the real program under its own X server: NAME runs tests/app/e2e/SCRIPT with the program,
    # the demo service and the pictures' folder, then any further arguments. Under a window manager
    # (openbox) unless NO_WM: the windows are found by their titles and closed by its close request;
    # 77 = skipped, when there is none to start. LOCK keeps it off the X server while others run.
    function(_kv_app_e2e NAME SCRIPT)
      cmake_parse_arguments(PARSE_ARGV 2 _e "NO_WM;LOCK" "TIMEOUT" "ARGS")
      set(_wm ${CMAKE_SOURCE_DIR}/tests/support/with-window-manager)
      if(_e_NO_WM)
        set(_wm)
      endif()
      if(NOT _e_TIMEOUT)
        set(_e_TIMEOUT 300)
      endif()
      add_test(NAME ${NAME}
        COMMAND ${_xvfb} ${_wm} ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/app/e2e/${SCRIPT}
                --program $<TARGET_FILE:kalvenor>
                --service ${CMAKE_SOURCE_DIR}/tools/demo-service/server.py
                --artifacts ${CMAKE_BINARY_DIR}/app-e2e ${_e_ARGS})
      set_tests_properties(${NAME} PROPERTIES TIMEOUT ${_e_TIMEOUT} SKIP_RETURN_CODE 77 ENVIRONMENT "${_app_env}")
      if(_e_LOCK)
        set_tests_properties(${NAME} PROPERTIES RESOURCE_LOCK x_server)
      endif()
    endfunction()
    _kv_app_e2e(app_end_to_end run_e2e.py)
    # The main window as a window: moved, sized by its edges, maximised and restored, its place kept.
    _kv_app_e2e(app_window window_e2e.py)
    # The service's address: refused at start when no page could be loaded from it; signing in when the
    # browser engine writes it another way.
    _kv_app_e2e(app_service_address address_e2e.py)
    # A box belongs to the window that asked for it: a click on the login dialog's caption leaves its box
    # above it, and Enter answers the box.
    _kv_app_e2e(app_box_owner box_owner_e2e.py TIMEOUT 120)
    # Starts that must not freeze while the browser engine's module loads and the pointer enters the login
    # dialog: with a stand-in module that loads slowly (kalvenor-slow-engine) and with the real one.
    _kv_app_e2e(app_startup_freeze startup_freeze_e2e.py ARGS --slow-module $<TARGET_FILE:kalvenor-slow-engine>)
    # The program against a service that misbehaves, one scenario a test; "dialogs" runs without a window
    # manager (what it checks is what the window manager would otherwise do).
    foreach(_scenario failures down download other-site sign-out save-password phrase hostile-page)
      _kv_app_e2e(app_service_${_scenario} misbehaving_service.py LOCK ARGS --scenario ${_scenario})
    endforeach()
    _kv_app_e2e(app_service_dialogs misbehaving_service.py NO_WM LOCK ARGS --scenario dialogs)
    # Pages that ask the user things, or try what a page should not be able to do (under a window manager);
    # signals to the program's process group, which the engine's processes keep out of, at any moment, ignored
    # at start, or after the page's process ended otherwise; the engine's processes ending with the program;
    # and an exit page that asks the user things.
    foreach(_scenario confirm box-on-signal asks-forever endless-unload permissions sandboxed process-ends
                      long-alert group-signal group-signal-again signal-at-sign-in process-killed-then-signal
                      signal-ignored-at-start link-while-signing-out engine-ends-with-the-program exit-page-asks)
      _kv_app_e2e(app_page_${_scenario} page_e2e.py LOCK ARGS --scenario ${_scenario})
    endforeach()
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _kv_app_late)

# The main window's repaint benchmark builds the program's forms with the fake browser engine.
function(_kv_app_bench)
  if(TARGET bench_MainWindowPaint AND TARGET kv_app)
    target_sources(bench_MainWindowPaint PRIVATE ${CMAKE_SOURCE_DIR}/tests/support/FakeBrowserEngine.cpp)
    target_link_libraries(bench_MainWindowPaint PRIVATE kv_app kv_web)
    kv_add_resources(bench_MainWindowPaint ${CMAKE_SOURCE_DIR}/resources)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _kv_app_bench)
