# Host build: the program over the scriptable stand-in, its tests and the
# simulator.
option(OSKAVEL_SANITIZE "Build with AddressSanitizer and UBSan" OFF)
if(OSKAVEL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

add_library(oskavel_host STATIC
  ${OSKAVEL_CORE_SOURCES}
  src/platform/host/standin.cpp
  src/platform/host/scenario_file.cpp
)
target_include_directories(oskavel_host PUBLIC src)
# A local that the program forgets to set holds a fixed non-zero pattern, not
# whatever the stack held: the tests of what each call is handed then fail
# on every run, not only when the stack happens to be dirty.
target_compile_options(oskavel_host PRIVATE -ftrivial-auto-var-init=pattern)

add_executable(oskavel-sim src/app/sim_main.cpp)
target_link_libraries(oskavel-sim PRIVATE oskavel_host)

include(${CMAKE_SOURCE_DIR}/tests/host_tests.cmake)

option(OSKAVEL_FUZZ "Also build the libFuzzer target and its bounded run (clang++)" OFF)
if(OSKAVEL_FUZZ)
  include(${CMAKE_SOURCE_DIR}/cmake/fuzz_build.cmake)
endif()
