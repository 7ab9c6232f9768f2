# quorvane_add_test(NAME name SOURCES ... [LIBS ...])
# Builds one Qt Test executable and registers it with CTest, run offscreen under a fixed locale so that
# window tests and date texts do not depend on the machine.
function(quorvane_add_test)
    cmake_parse_arguments(ARG "" "NAME" "SOURCES;LIBS" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    target_link_libraries(${ARG_NAME} PRIVATE testsupport Qt6::Test ${ARG_LIBS})
    # Tables of cases read better with plain string literals.
    target_compile_options(${ARG_NAME} PRIVATE -UQT_NO_CAST_FROM_ASCII)
    set_target_properties(${ARG_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    add_test(NAME ${ARG_NAME} COMMAND ${ARG_NAME})
    set_tests_properties(${ARG_NAME} PROPERTIES
        TIMEOUT 120
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LANG=C.UTF-8;LC_ALL=C.UTF-8;TZ=UTC;QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox;QT_LOGGING_RULES=qt.qpa.*=false")
endfunction()
