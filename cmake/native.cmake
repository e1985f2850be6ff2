# Native build: the portable logic under AddressSanitizer and UndefinedBehaviorSanitizer.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_sources(board_portable PRIVATE projects/file_system_posix.cpp)
foreach(library shared_portable board_portable installer_portable)
  target_compile_options(${library} PRIVATE ${SANITIZE} -g)
  target_link_options(${library} PUBLIC ${SANITIZE})
endforeach()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_subdirectory(tests/unit)

# tools/setup's retries and fallbacks, against a stand-in apt that plays a broken package mirror.
add_test(NAME setup_tests COMMAND ${CMAKE_SOURCE_DIR}/tests/setup/test-setup)
