# CMake generated Testfile for 
# Source directory: /work/wt/speed/tests
# Build directory: /work/wt/speed/build-tsan/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
include("/work/wt/speed/build-tsan/tests/test_app[1]_include.cmake")
include("/work/wt/speed/build-tsan/tests/test_console[1]_include.cmake")
include("/work/wt/speed/build-tsan/tests/test_data[1]_include.cmake")
include("/work/wt/speed/build-tsan/tests/test_e2e[1]_include.cmake")
include("/work/wt/speed/build-tsan/tests/test_platform[1]_include.cmake")
include("/work/wt/speed/build-tsan/tests/test_plotlib[1]_include.cmake")
include("/work/wt/speed/build-tsan/tests/test_plots[1]_include.cmake")
include("/work/wt/speed/build-tsan/tests/test_sdl[1]_include.cmake")
add_test([=[script_docs]=] "bash" "/work/wt/speed/tests/scripts/docs.sh" "/work/wt/speed/build-tsan" "/work/wt/speed")
set_tests_properties([=[script_docs]=] PROPERTIES  SKIP_RETURN_CODE "77" _BACKTRACE_TRIPLES "/work/wt/speed/tests/CMakeLists.txt;36;add_test;/work/wt/speed/tests/CMakeLists.txt;0;")
add_test([=[script_fuzz_short]=] "bash" "/work/wt/speed/tests/scripts/fuzz_short.sh" "/work/wt/speed/build-tsan" "/work/wt/speed")
set_tests_properties([=[script_fuzz_short]=] PROPERTIES  SKIP_RETURN_CODE "77" _BACKTRACE_TRIPLES "/work/wt/speed/tests/CMakeLists.txt;36;add_test;/work/wt/speed/tests/CMakeLists.txt;0;")
add_test([=[script_install_tree]=] "bash" "/work/wt/speed/tests/scripts/install_tree.sh" "/work/wt/speed/build-tsan" "/work/wt/speed")
set_tests_properties([=[script_install_tree]=] PROPERTIES  SKIP_RETURN_CODE "77" _BACKTRACE_TRIPLES "/work/wt/speed/tests/CMakeLists.txt;36;add_test;/work/wt/speed/tests/CMakeLists.txt;0;")
add_test([=[script_xvfb_smoke]=] "bash" "/work/wt/speed/tests/scripts/xvfb_smoke.sh" "/work/wt/speed/build-tsan" "/work/wt/speed")
set_tests_properties([=[script_xvfb_smoke]=] PROPERTIES  SKIP_RETURN_CODE "77" _BACKTRACE_TRIPLES "/work/wt/speed/tests/CMakeLists.txt;36;add_test;/work/wt/speed/tests/CMakeLists.txt;0;")
