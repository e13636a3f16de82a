# The GTK display backend (real windows on X11), its end-to-end tests under Xvfb, and the start-up probe
# that bench/GtkStartup.cpp measures.

pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)
# Window shapes set on the X server before a window maps (GDK sets them only once it is mapped).
pkg_check_modules(XEXT REQUIRED IMPORTED_TARGET x11 xext)

file(GLOB _kv_gtk_src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/backend/gtk/*.cpp)
add_library(kv_backend_gtk STATIC ${_kv_gtk_src})
target_link_libraries(kv_backend_gtk PUBLIC kv_win PRIVATE PkgConfig::GTK3 PkgConfig::XEXT)

# A program that shows a window (a plain framed one, or the sample dialog of the controls layer) on the
# GTK backend and prints a marker once its first frame is on the screen (see bench/startup/).
add_executable(gtk_startup_probe ${CMAKE_SOURCE_DIR}/bench/startup/GtkStartupProbe.cpp
                                 ${CMAKE_SOURCE_DIR}/tests/support/SampleDialog.cpp)
target_link_libraries(gtk_startup_probe PRIVATE kv_backend_gtk kv_vcl kv_win kv_backend_offscreen PkgConfig::GTK3)

# Tests and the benchmark need what the rest of the root list sets up (GoogleTest, the test support
# library, the benchmark targets): they are declared once the whole list has been read.
function(_kv_gtk_late)
  if(KALVENOR_TESTS AND EXISTS ${CMAKE_SOURCE_DIR}/tests/gtk)
    file(GLOB _src CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/gtk/*.cpp)
    if(_src)
      add_executable(tests_gtk ${_src})
      target_link_libraries(tests_gtk PRIVATE kv_testsupport kv_backend_gtk kv_components kv_vcl kv_win kv_backend_offscreen
                            PkgConfig::GTK3 GTest::gtest GTest::gmock)
      if(KV_WITH_XVFB)
        set(_cmd ${KV_WITH_XVFB} $<TARGET_FILE:tests_gtk>)
      else()
        set(_cmd $<TARGET_FILE:tests_gtk>)
      endif()
      set(_env "KALVENOR_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
               "LSAN_OPTIONS=suppressions=${CMAKE_SOURCE_DIR}/tests/gtk/lsan.supp:print_suppressions=0"
               "NO_AT_BRIDGE=1" "GTK_THEME=Adwaita" "LC_ALL=C.UTF-8")
      add_test(NAME gtk_end_to_end COMMAND ${_cmd} --gtest_filter=-GtkSampleDialogTest.*:GtkUnderWindowManager.*
               WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
      # Without a display every test skips: the run shows as skipped, not passed.
      set_tests_properties(gtk_end_to_end PROPERTIES TIMEOUT 300 ENVIRONMENT "${_env}"
                           SKIP_REGULAR_EXPRESSION "needs an X display")
      # Moves, sizes, activation, titles and close requests again, and the work area it publishes, with a
      # window manager (openbox) running (another program taking the keyboard is played out without one);
      # 77 = skipped, when there is none.
      if(KV_WITH_XVFB)
        add_test(NAME gtk_window_manager
                 COMMAND ${KV_WITH_XVFB}
                         ${CMAKE_SOURCE_DIR}/tests/support/with-window-manager $<TARGET_FILE:tests_gtk>
                         --gtest_filter=GtkUnderWindowManager.*:GtkWindowStates.*:GtkWindowSystemTest.*:GtkBackendTest.WorkAreas*:-*ToAnotherProgram*
                 WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
        set_tests_properties(gtk_window_manager PROPERTIES TIMEOUT 300 ENVIRONMENT "${_env}" SKIP_RETURN_CODE 77)
      endif()
      # The sample dialog of the controls layer in a real window; its picture is written to the build folder
      # (GtkSampleDialog.png).
      add_test(NAME gtk_sample_dialog COMMAND ${_cmd} --gtest_filter=GtkSampleDialogTest.*
               WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
      set_tests_properties(gtk_sample_dialog PROPERTIES TIMEOUT 300 ENVIRONMENT "${_env}")
      # The start-up probe shows the dialog completely, says so and ends.
      if(KV_WITH_XVFB)
        add_test(NAME gtk_startup_probe_dialog
                 COMMAND ${KV_WITH_XVFB} $<TARGET_FILE:gtk_startup_probe>)
        set_tests_properties(gtk_startup_probe_dialog PROPERTIES TIMEOUT 60 ENVIRONMENT "${_env}"
                             PASS_REGULAR_EXPRESSION "first-frame")
      endif()
      if(KALVENOR_SANITIZE)
        # The suppressions must not hide our own leaks: a leak made in a GLib callback is still reported.
        add_test(NAME gtk_leak_canary COMMAND ${_cmd} --gtest_filter=LeakCanary.*
                 WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
        set_tests_properties(gtk_leak_canary PROPERTIES TIMEOUT 120
          ENVIRONMENT "${_env};KALVENOR_GTK_LEAK_CANARY=1"
          PASS_REGULAR_EXPRESSION "LeakCanaryIdle")
      endif()
    endif()
  endif()
  if(TARGET bench_GtkStartup)
    # The programs it starts are built beside it.
    add_dependencies(bench_GtkStartup gtk_startup_probe kalvenor)
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL _kv_gtk_late)
