# Host tests: unit tests over the stand-in, and the simulator's scenarios.
find_package(GTest REQUIRED)

add_executable(oskavel_tests
  tests/support/capture.cpp
  tests/format_test.cpp
  tests/command_line_test.cpp
  tests/run_sequence_test.cpp
  tests/batch_summary_test.cpp
  tests/scenario_file_test.cpp
  tests/standin_test.cpp
  tests/edition_catalogue_test.cpp
  tests/version_record_report_test.cpp
  tests/system_info_report_test.cpp
  tests/help_text_test.cpp
)
target_include_directories(oskavel_tests PRIVATE tests)
target_link_libraries(oskavel_tests PRIVATE oskavel_host GTest::gtest_main)
add_test(NAME unit COMMAND oskavel_tests --gtest_brief=1)
set_tests_properties(unit PROPERTIES LABELS host)

find_program(PYTHON3 NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
add_test(NAME sim_scenarios
  COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/tests/sim/run_cases.py
          $<TARGET_FILE:oskavel-sim> ${CMAKE_SOURCE_DIR}/tests/sim/cases)
set_tests_properties(sim_scenarios PROPERTIES LABELS host)

include(${CMAKE_SOURCE_DIR}/tests/hostile/tests.cmake)
include(${CMAKE_SOURCE_DIR}/tests/format_check/tests.cmake)

# The README's editions table is the program's own output.
add_test(NAME readme_editions
  COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/tests/docs/editions.py $<TARGET_FILE:oskavel-sim>
          ${CMAKE_SOURCE_DIR}/README.md)
set_tests_properties(readme_editions PROPERTIES LABELS host)

# The scripts that start Wine make a launch again only where that is safe:
# a program Wine could not start at all, a settings call that failed.
add_test(NAME wine_start_again
  COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/tests/scripts/starting_again_test.py)
set_tests_properties(wine_start_again PROPERTIES LABELS host)
