# Tests of a Windows build: the program run under Wine, end to end, against
# what Wine's own queries answer; for the product also its static shape.
set(OSKAVEL_SIM "" CACHE FILEPATH "oskavel-sim of the host build")
set(OSKAVEL_WINE_SETTINGS win10 win7 win2008r2 winxp64 win2003 CACHE STRING
    "Windows versions the end-to-end tests run under")
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

if(OSKAVEL_SIM)
  add_test(NAME wine_prefix COMMAND ${PYTHON3} ${WINE_TESTS}/prefix.py make ${OSKAVEL_PREFIX} ${OSKAVEL_BITS})
  add_test(NAME wine_stop COMMAND ${PYTHON3} ${WINE_TESTS}/prefix.py stop ${OSKAVEL_PREFIX})
  set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine LABELS ${OSKAVEL_WINE_LABEL} SKIP_RETURN_CODE 77)
  set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine LABELS ${OSKAVEL_WINE_LABEL})
  foreach(setting IN LISTS OSKAVEL_WINE_SETTINGS)
    add_test(NAME wine_${setting}
      COMMAND ${PYTHON3} ${WINE_TESTS}/e2e.py --bin ${CMAKE_BINARY_DIR} --sim ${OSKAVEL_SIM}
              --prefix ${OSKAVEL_PREFIX} --bits ${OSKAVEL_BITS} ${setting})
    set_tests_properties(wine_${setting} PROPERTIES FIXTURES_REQUIRED wine
      RESOURCE_LOCK wine_settings LABELS ${OSKAVEL_WINE_LABEL} SKIP_RETURN_CODE 77)
  endforeach()
  add_test(NAME wine_batch_code
    COMMAND ${PYTHON3} ${WINE_TESTS}/batch_code.py --bin ${CMAKE_BINARY_DIR}
            --prefix ${OSKAVEL_PREFIX} --bits ${OSKAVEL_BITS} win10 winxp64)
  set_tests_properties(wine_batch_code PROPERTIES FIXTURES_REQUIRED wine
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
