# The Windows program end to end under Wine, Xvfb and openbox (tests/e2e/wine_check.sh).
add_test(NAME rimforge_wine_e2e
         COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/wine_check.sh $<TARGET_FILE:rimforge>
                 $<TARGET_FILE:rimforge-tool> ${CMAKE_SOURCE_DIR}
                 ${CMAKE_BINARY_DIR}/tests/e2e/wine)
set_tests_properties(rimforge_wine_e2e PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 300)
