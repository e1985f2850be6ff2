# Native build: the portable logic under AddressSanitizer and UndefinedBehaviorSanitizer.
set(SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
target_sources(portable PRIVATE projects/file_replace_posix.cpp)
target_compile_options(portable PRIVATE ${SANITIZE} -g)
target_link_options(portable PUBLIC ${SANITIZE})

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

add_subdirectory(tests/unit)
