# The simulator with a standard output that cannot take the text: closed, a
# broken pipe, a full device. Needs PYTHON3 (set by host_tests.cmake).
add_test(NAME hostile_host
  COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/tests/hostile/hostile.py host
          $<TARGET_FILE:oskavel-sim>)
set_tests_properties(hostile_host PROPERTIES LABELS host TIMEOUT 120)
