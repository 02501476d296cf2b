# The compile-time format check: calls whose format does not fit their
# arguments must not compile, and the error must name the fault. They are
# compiled with the project's own compiler and flags, syntax only, from one
# source in which a macro selects the faulty call; compiled without a macro
# the source must pass, which proves the fixture itself sound.
get_directory_property(OSKAVEL_PROJECT_FLAGS COMPILE_OPTIONS)
set(OSKAVEL_FORMAT_CHECK_COMPILE ${CMAKE_CXX_COMPILER}
    ${CMAKE_CXX${CMAKE_CXX_STANDARD}_STANDARD_COMPILE_OPTION} ${OSKAVEL_PROJECT_FLAGS}
    -fsyntax-only -I${CMAKE_SOURCE_DIR}/src ${CMAKE_CURRENT_LIST_DIR}/format_faults.cpp)

add_test(NAME format_check_good_calls COMMAND ${OSKAVEL_FORMAT_CHECK_COMPILE})
set_tests_properties(format_check_good_calls PROPERTIES LABELS host)

# Macro suffix, then the fault the compiler's error must name.
set(OSKAVEL_FORMAT_FAULTS
  "TOO_FEW_ARGUMENTS format_has_more_directives_than_arguments"
  "TOO_MANY_ARGUMENTS format_has_more_arguments_than_directives"
  "ARGUMENT_FOR_PLAIN_TEXT format_has_more_arguments_than_directives"
  "UNKNOWN_DIRECTIVE format_has_an_unknown_directive"
  "UNUSED_WIDTH format_has_an_unknown_directive"
  "LONE_PERCENT_AT_END format_ends_in_a_lone_percent_sign"
  "TEXT_FOR_UNSIGNED argument_is_not_an_unsigned_32_bit_number_for_this_directive"
  "SIGNED_FOR_HEX argument_is_not_an_unsigned_32_bit_number_for_this_directive"
  "64_BIT_FOR_UNSIGNED argument_is_not_an_unsigned_32_bit_number_for_this_directive"
  "CHARACTER_FOR_UNSIGNED argument_is_not_an_unsigned_32_bit_number_for_this_directive"
  "TEXT_FOR_SIGNED argument_is_not_a_32_bit_number_for_this_directive"
  "NARROW_NUMBER_FOR_ADDRESS argument_is_not_an_address_sized_number_for_this_directive"
  "NUMBER_FOR_CHARACTER argument_is_not_a_wide_character_for_this_directive"
  "NUMBER_FOR_TEXT argument_is_not_a_wide_string_for_this_directive"
  "NARROW_TEXT_FOR_TEXT argument_is_not_a_wide_string_for_this_directive"
  "IN_BUFFER_FORMAT format_has_more_directives_than_arguments"
  "IN_PASSED_FORMAT format_has_more_directives_than_arguments"
)
foreach(entry IN LISTS OSKAVEL_FORMAT_FAULTS)
  separate_arguments(entry)
  list(GET entry 0 macro)
  list(GET entry 1 fault)
  string(TOLOWER "${macro}" name)
  add_test(NAME format_check_refuses_${name}
    COMMAND /bin/sh ${CMAKE_CURRENT_LIST_DIR}/expect_compile_error.sh ${fault}
            ${OSKAVEL_FORMAT_CHECK_COMPILE} -DFAULT_${macro})
  set_tests_properties(format_check_refuses_${name} PROPERTIES LABELS host)
endforeach()
