# Tests of a Windows build: the program run under Wine, end to end, against
# what Wine's own queries answer; for the product also its static shape.
set(OSKAVEL_SIM "" CACHE FILEPATH "oskavel-sim of the host build")
set(PYTHON3 /usr/bin/python3)  # the one that has Debian's pefile
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(OSKAVEL_BITS 32)
  set(OSKAVEL_WINE_LABEL emulated32)
else()
  set(OSKAVEL_BITS 64)
  set(OSKAVEL_WINE_LABEL wine64)
endif()
set(WINE_TESTS ${CMAKE_SOURCE_DIR}/tests/wine)
set(OSKAVEL_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(OSKAVEL_PLATFORM_LINES ${CMAKE_BINARY_DIR}/platform-lines.txt)

# Every platform of the table that this build can run on, as the script that
# applies them tells.
execute_process(COMMAND ${CMAKE_SOURCE_DIR}/scripts/set-platform.sh names win${OSKAVEL_BITS}
  OUTPUT_VARIABLE OSKAVEL_PLATFORMS OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
string(REPLACE "\n" ";" OSKAVEL_PLATFORMS "${OSKAVEL_PLATFORMS}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/scripts/platforms.txt)

if(OSKAVEL_SIM)
  add_test(NAME wine_prefix COMMAND ${PYTHON3} ${WINE_TESTS}/prefix.py make ${OSKAVEL_PREFIX} ${OSKAVEL_BITS})
  add_test(NAME wine_stop COMMAND ${PYTHON3} ${WINE_TESTS}/prefix.py stop ${OSKAVEL_PREFIX})
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine LABELS ${OSKAVEL_WINE_LABEL} SKIP_RETURN_CODE 77)
  set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine LABELS ${OSKAVEL_WINE_LABEL})
  # Each platform's summary line, collected for ./test.sh to show.
  add_test(NAME wine_lines_reset COMMAND ${CMAKE_COMMAND} -E rm -f ${OSKAVEL_PLATFORM_LINES})
  set_tests_properties(wine_lines_reset PROPERTIES FIXTURES_SETUP wine LABELS ${OSKAVEL_WINE_LABEL})
  foreach(platform IN LISTS OSKAVEL_PLATFORMS)
    set(extra)
    if(platform STREQUAL "win10")
      set(extra --help-and-usage)  # one platform is enough for these
    endif()
    add_test(NAME wine_${platform}
      COMMAND ${PYTHON3} ${WINE_TESTS}/e2e.py --bin ${CMAKE_BINARY_DIR} --sim ${OSKAVEL_SIM}
              --prefix ${OSKAVEL_PREFIX} --bits ${OSKAVEL_BITS} --lines ${OSKAVEL_PLATFORM_LINES}
              --readme ${CMAKE_SOURCE_DIR}/README.md ${extra} ${platform})
    set_tests_properties(wine_${platform} PROPERTIES FIXTURES_REQUIRED wine
      RESOURCE_LOCK wine_settings LABELS ${OSKAVEL_WINE_LABEL} SKIP_RETURN_CODE 77)
  endforeach()
  add_test(NAME wine_batch_code
    COMMAND ${PYTHON3} ${WINE_TESTS}/batch_code.py --bin ${CMAKE_BINARY_DIR}
            --prefix ${OSKAVEL_PREFIX} --bits ${OSKAVEL_BITS} win10 winxp64)
  set_tests_properties(wine_batch_code PROPERTIES FIXTURES_REQUIRED wine
    RESOURCE_LOCK wine_settings LABELS ${OSKAVEL_WINE_LABEL} SKIP_RETURN_CODE 77)
  # The README's batch recipes, where their answers differ: Windows 11 or
  # not, the three roles, before and after Vista. Emulated 32-bit runs take
  # seconds each, so the product gets a smaller set of the same kinds.
  if(OSKAVEL_BITS EQUAL 64)
    set(recipe_platforms win11 win11-24h2 win10-22h2 win10 win7 vista server2025 server2022-dc winxp64)
  else()
    set(recipe_platforms win11 win10-22h2 server2025 server2022-dc win7 winxp)
  endif()
  add_test(NAME wine_recipes
    COMMAND ${PYTHON3} ${WINE_TESTS}/recipes.py --bin ${CMAKE_BINARY_DIR} --prefix ${OSKAVEL_PREFIX}
            --bits ${OSKAVEL_BITS} --readme ${CMAKE_SOURCE_DIR}/README.md ${recipe_platforms})
  set_tests_properties(wine_recipes PROPERTIES FIXTURES_REQUIRED wine
    RESOURCE_LOCK wine_settings LABELS ${OSKAVEL_WINE_LABEL} SKIP_RETURN_CODE 77)
  # Closed standard output and pipes whose reader goes away: no crash, no
  # hang, and the exit status of the stopping rules.
  add_test(NAME wine_hostile
    COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/tests/hostile/hostile.py wine ${OSKAVEL_PREFIX}
            $<TARGET_FILE:oskavel> --bits ${OSKAVEL_BITS})
  set_tests_properties(wine_hostile PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine_settings
    LABELS ${OSKAVEL_WINE_LABEL} SKIP_RETURN_CODE 77 TIMEOUT 900)
  # The version resource read back through version.dll, as Windows tools do.
  add_test(NAME wine_version_info
    COMMAND ${PYTHON3} ${WINE_TESTS}/version_info.py --bin ${CMAKE_BINARY_DIR}
            --prefix ${OSKAVEL_PREFIX} --bits ${OSKAVEL_BITS} --version ${PROJECT_VERSION}
            $<TARGET_FILE:oskavel>)
  set_tests_properties(wine_version_info PROPERTIES FIXTURES_REQUIRED wine
    RESOURCE_LOCK wine_settings LABELS ${OSKAVEL_WINE_LABEL} SKIP_RETURN_CODE 77)
endif()

if(OSKAVEL_BITS EQUAL 32)
  add_test(NAME pe_shape
    COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/tests/win32/check_pe.py
            $<TARGET_FILE:oskavel> ${CMAKE_SOURCE_DIR}/src/app/oskavel.manifest ${PROJECT_VERSION})
  set_tests_properties(pe_shape PROPERTIES LABELS static)

  set(OSKAVEL_TOOLCHAIN ${CMAKE_TOOLCHAIN_FILE})
  if(NOT IS_ABSOLUTE "${OSKAVEL_TOOLCHAIN}")
    set(OSKAVEL_TOOLCHAIN ${CMAKE_SOURCE_DIR}/${OSKAVEL_TOOLCHAIN})
  endif()
  add_test(NAME reproducible_build
    COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/tests/win32/reproducible.py
            ${CMAKE_COMMAND} ${CMAKE_SOURCE_DIR} ${OSKAVEL_TOOLCHAIN} ${CMAKE_BUILD_TYPE})
  set_tests_properties(reproducible_build PROPERTIES LABELS static)

  add_test(NAME package_contents
    COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/tests/win32/package_contents.py
            ${CMAKE_CPACK_COMMAND} ${CMAKE_BINARY_DIR} ${OSKAVEL_PACKAGE}.zip
            $<TARGET_FILE:oskavel> ${CMAKE_SOURCE_DIR}/README.md)
  set_tests_properties(package_contents PROPERTIES LABELS static)
endif()
