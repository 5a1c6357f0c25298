# Interface targets that carry the project's warning and sanitizer flags.
# Every target of the project links lectern-options; nothing is set globally.
add_library(lectern-warnings INTERFACE)
target_compile_options(lectern-warnings INTERFACE -Wall -Wextra)
if(LECTERN_WERROR)
  target_compile_options(lectern-warnings INTERFACE -Werror)
endif()

add_library(lectern-sanitizers INTERFACE)
if(LECTERN_SANITIZE)
  target_compile_options(lectern-sanitizers INTERFACE
    -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(lectern-sanitizers INTERFACE -fsanitize=address,undefined)
endif()
if(LECTERN_TSAN)
  # GCC warns that ThreadSanitizer does not model std::atomic_thread_fence. The
  # fences here order only atomic accesses (the voice state's sequence lock),
  # and atomic accesses never race, so the warning cannot hide a report.
  target_compile_options(lectern-sanitizers INTERFACE -fsanitize=thread -fno-omit-frame-pointer
    $<$<CXX_COMPILER_ID:GNU>:-Wno-tsan>)
  target_link_options(lectern-sanitizers INTERFACE -fsanitize=thread)
endif()
if(LECTERN_FUZZ)
  # Coverage for the fuzzer in every library; the fuzz targets link its main.
  target_compile_options(lectern-sanitizers INTERFACE -fsanitize=fuzzer-no-link)
endif()

# What the ThreadSanitizer runtime is told when the tests and the demo
# generator run. A report fails the program (exit status 66 at the end, after
# every report is printed). Qt and the system libraries are not built with
# it: the memory their own code allocates, copies and frees out of sight of
# their locks is not checked (ignore_noninstrumented_modules), and the
# suppressions cover only races inside them.
set(LECTERN_TSAN_ENV "")
if(LECTERN_TSAN)
  set(LECTERN_TSAN_ENV
    "TSAN_OPTIONS=ignore_noninstrumented_modules=1:suppressions=${PROJECT_SOURCE_DIR}/cmake/tsan-suppressions.txt:second_deadlock_stack=1:history_size=4")
endif()

add_library(lectern-options INTERFACE)
target_link_libraries(lectern-options INTERFACE lectern-warnings lectern-sanitizers)

# The Xvfb options for `count` screens of the tests' size.
function(lectern_screens out count)
  set(screens "")
  math(EXPR last "${count} - 1")
  foreach(n RANGE ${last})
    string(APPEND screens " -screen ${n} 1600x1200x24")
  endforeach()
  # Xvfb with several screens aborts when it resets as its last client goes,
  # which fails the test after its programs passed: it is kept from resetting.
  string(APPEND screens " -noreset")
  string(STRIP "${screens}" screens)
  set(${out} "${screens}" PARENT_SCOPE)
endfunction()

# lectern_add_test(NAME <name> LABEL core|gui|webengine SOURCES ...)
#   core: plain unit tests; gui: Qt widgets on the offscreen platform;
#   webengine: the real web engine, which needs an X server (run under xvfb-run).
#   SHARDS n (webengine only): the program runs as n shards side by side, each
#   on its own screen of one X display (tests/e2e/run-on-screens.sh).
#   SESSION_BUS (webengine only): the program runs on a D-Bus session bus of
#   its own (dbus-run-session), where the programs it starts meet.
function(lectern_add_test)
  cmake_parse_arguments(T "SESSION_BUS" "NAME;LABEL;SHARDS" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE lectern-test-support
    GTest::gtest ${T_LIBRARIES} lectern-options)
  if(T_LABEL STREQUAL "webengine")
    find_program(XVFB_RUN xvfb-run REQUIRED)
    if(T_SHARDS)
      lectern_screens(screens ${T_SHARDS})
      add_test(NAME ${T_NAME} COMMAND ${XVFB_RUN} -a -s "${screens}"
        ${PROJECT_SOURCE_DIR}/tests/e2e/run-on-screens.sh ${T_SHARDS} $<TARGET_FILE:${T_NAME}>)
    elseif(T_SESSION_BUS)
      find_program(DBUS_RUN_SESSION dbus-run-session REQUIRED)
      add_test(NAME ${T_NAME} COMMAND ${XVFB_RUN} -a -s "-screen 0 1600x1200x24"
        ${DBUS_RUN_SESSION} -- $<TARGET_FILE:${T_NAME}>)
    else()
      add_test(NAME ${T_NAME} COMMAND ${XVFB_RUN} -a -s "-screen 0 1600x1200x24" $<TARGET_FILE:${T_NAME}>)
    endif()
    set(platform xcb)
  else()
    add_test(NAME ${T_NAME} COMMAND ${T_NAME})
    set(platform offscreen)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES
    LABELS ${T_LABEL}
    ENVIRONMENT "QT_QPA_PLATFORM=${platform};LECTERN_TEST_DATA=${PROJECT_SOURCE_DIR}/tests/data;LECTERN_DEMO_COURSE=${PROJECT_BINARY_DIR}/demo-course;QTWEBENGINE_DISABLE_SANDBOX=1;QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu;ASAN_OPTIONS=detect_leaks=0")
  if(LECTERN_TSAN_ENV)
    set_property(TEST ${T_NAME} APPEND PROPERTY ENVIRONMENT "${LECTERN_TSAN_ENV}")
  endif()
  # lectern-<label>-tests builds every test program of one label, so that a
  # build can make only what the tests it runs need.
  if(NOT TARGET lectern-${T_LABEL}-tests)
    add_custom_target(lectern-${T_LABEL}-tests)
  endif()
  add_dependencies(lectern-${T_LABEL}-tests ${T_NAME})
endfunction()
