# Windows build: the framework, the programs, the Win32 tests and the end-to-end driver.
set(WIN_FLAGS -Wall -Wextra -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0601 -DWINVER=0x0601)
target_sources(board_portable PRIVATE projects/file_system_win.cpp)
target_compile_options(board_portable PRIVATE -DNOMINMAX)

add_library(framework STATIC
  framework/app.cpp
  framework/dialog.cpp
  framework/menu.cpp
  framework/tooltip.cpp
)
target_include_directories(framework PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(framework PUBLIC ${WIN_FLAGS})
target_link_libraries(framework PUBLIC comctl32 gdi32 user32 kernel32)

# What both programs share: the registry helpers, the bounded copy, the waits and the token's
# elevation (with the program's name and the settings' key names as headers). Nothing here knows
# the board.
add_library(varnel_shared STATIC
  desktop/registry.cpp
  desktop/system_code_page.cpp
  desktop/window_text.cpp
  desktop/screen_dpi.cpp
  desktop/token_elevation.cpp
  desktop/waits.cpp
)
target_include_directories(varnel_shared PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(varnel_shared PUBLIC ${WIN_FLAGS})
target_link_libraries(varnel_shared PUBLIC shared_portable advapi32 user32 gdi32 kernel32)
# The Windows file operations wait for a refused replace with the shared library's waits.
target_link_libraries(board_portable PUBLIC varnel_shared)

# Everything of the board program except its entry point, so the Win32 tests can link it too.
# The folders are layers: state above the framework, then desktop, dialogs, projects, board.
add_library(quillow_core STATIC
  state/board_state.cpp
  state/dialog_stack.cpp
  desktop/about_box.cpp
  desktop/field_font.cpp
  desktop/screen_tips.cpp
  desktop/settings.cpp
  desktop/shell_calls.cpp
  desktop/splash.cpp
  desktop/system_description.cpp
  desktop/tray_icon.cpp
  desktop/record_text.cpp
  dialogs/edit_text_field.cpp
  dialogs/help_window.cpp
  dialogs/input_box.cpp
  dialogs/rename_buttons.cpp
  dialogs/slot_menu.cpp
  projects/consolidate_dialog.cpp
  projects/find_dialog.cpp
  projects/project_commands.cpp
  projects/unsaved_texts.cpp
  projects/project_file.cpp
  projects/interrupted_saves.cpp
  projects/project_library.cpp
  projects/project_prompt.cpp
  board/board_app.cpp
  board/board_dialog.cpp
  board/program_folder.cpp
  board/command_table.cpp
  board/copy_action.cpp
  board/reposition.cpp
  board/running_copy.cpp
  board/support_links.cpp
)
target_link_libraries(quillow_core PUBLIC framework varnel_shared board_portable shell32 comdlg32)

set(STATIC_LINK -static -static-libgcc -static-libstdc++)

add_executable(quillow WIN32 board/main.cpp resources/quillow.rc)
set_target_properties(quillow PROPERTIES OUTPUT_NAME QUILLOW SUFFIX .EXE)
target_link_libraries(quillow PRIVATE quillow_core)
target_link_options(quillow PRIVATE ${STATIC_LINK} -mwindows)
# windres reads the included templates, the pictures and the manifest itself; the build learns of
# them only from this list, so that a changed icon or bitmap rebuilds the program.
file(GLOB QUILLOW_RESOURCE_INPUTS CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/resources/*.rc ${CMAKE_SOURCE_DIR}/resources/*.h
  ${CMAKE_SOURCE_DIR}/resources/*.manifest ${CMAKE_SOURCE_DIR}/resources/art/*)
set_source_files_properties(resources/quillow.rc PROPERTIES OBJECT_DEPENDS "${QUILLOW_RESOURCE_INPUTS}")

# The installer: beside the board, on the framework and the shared library only. Its file
# operations are not in the core: INSTALL.EXE links them plainly (installer/install_files.cpp),
# the fault-injecting twin below its own version.
add_library(installer_core STATIC
  installer/install_app.cpp
  installer/install_state.cpp
  installer/backdrop.cpp
  installer/wizard.cpp
  installer/shell_entries.cpp
  installer/uninstall.cpp
  installer/ini_migration.cpp
  installer/contained_delete.cpp
  installer/set_check.cpp
  installer/board_launch.cpp
)
target_link_libraries(installer_core PUBLIC framework varnel_shared installer_portable shell32 ole32 oleaut32 uuid)
add_executable(installer WIN32 installer/main.cpp installer/install_files.cpp installer/install.rc)
set_target_properties(installer PROPERTIES OUTPUT_NAME INSTALL SUFFIX .EXE)
target_link_libraries(installer PRIVATE installer_core)
target_link_options(installer PRIVATE ${STATIC_LINK} -mwindows)
file(GLOB INSTALL_RESOURCE_INPUTS CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/installer/*.rc ${CMAKE_SOURCE_DIR}/installer/*.h ${CMAKE_SOURCE_DIR}/installer/*.manifest
  ${CMAKE_SOURCE_DIR}/resources/art/*)
set_source_files_properties(installer/install.rc PROPERTIES OBJECT_DEPENDS
  "${INSTALL_RESOURCE_INPUTS};${CMAKE_BINARY_DIR}/set-record/set-record.txt")
target_include_directories(installer PRIVATE ${CMAKE_BINARY_DIR}/set-record)

# INSTALL_FAULTS.EXE, a twin of INSTALL.EXE whose file operations fail one at a time on the word
# of an end-to-end test (installer/install_files_faults.cpp). It stays in the build tree: neither
# the installation set nor dist/ ever holds it.
add_executable(installer_faults WIN32 installer/main.cpp installer/install_files_faults.cpp installer/install.rc)
set_target_properties(installer_faults PROPERTIES OUTPUT_NAME INSTALL_FAULTS SUFFIX .EXE)
target_link_libraries(installer_faults PRIVATE installer_core)
target_include_directories(installer_faults PRIVATE ${CMAKE_BINARY_DIR}/set-record)
target_link_options(installer_faults PRIVATE ${STATIC_LINK} -mwindows)

# The installation set of this build, as make dist ships it: the folder INSTALL.EXE installs from.
# The five other files and their record come first: INSTALL.EXE carries the record as a resource
# (installer/install.rc finds set-record.txt through the include path), and goes in last.
set(INSTALL_SET_FOLDER ${CMAKE_BINARY_DIR}/set)
set(SET_RECORD_FOLDER ${CMAKE_BINARY_DIR}/set-record)
add_custom_command(
  OUTPUT ${INSTALL_SET_FOLDER}/QUILLOW.EX_ ${INSTALL_SET_FOLDER}/README.TXT ${INSTALL_SET_FOLDER}/SAMPLE.VRL
         ${SET_RECORD_FOLDER}/set-record.txt
  COMMAND ${CMAKE_SOURCE_DIR}/tools/make-set files $<TARGET_FILE:quillow> ${INSTALL_SET_FOLDER}
          ${SET_RECORD_FOLDER}/set-record.txt ${CMAKE_STRIP}
  DEPENDS quillow ${CMAKE_SOURCE_DIR}/tools/make-set ${CMAKE_SOURCE_DIR}/tools/make-sample
          ${CMAKE_SOURCE_DIR}/resources/readme.txt ${CMAKE_SOURCE_DIR}/resources/sample-project.txt
          ${CMAKE_SOURCE_DIR}/resources/art/readme.ico ${CMAKE_SOURCE_DIR}/resources/art/uninstl.ico)
add_custom_command(
  OUTPUT ${INSTALL_SET_FOLDER}/INSTALL.EXE
  COMMAND ${CMAKE_SOURCE_DIR}/tools/make-set installer $<TARGET_FILE:installer> ${INSTALL_SET_FOLDER} ${CMAKE_STRIP}
  DEPENDS installer ${CMAKE_SOURCE_DIR}/tools/make-set)
add_custom_target(install_set_files DEPENDS ${SET_RECORD_FOLDER}/set-record.txt)
add_dependencies(installer install_set_files)
add_dependencies(installer_faults install_set_files)
add_custom_target(install_set ALL DEPENDS ${INSTALL_SET_FOLDER}/INSTALL.EXE ${SET_RECORD_FOLDER}/set-record.txt)

# The board's fault-injecting twin, for the end-to-end fault sweep only: the same program with
# the failing file operations (projects/file_operations_faults.cpp, planned through memory that
# the driver shares) linked in place of the real ones. Its own objects come first, so the real
# file_operations object of board_portable is never taken. It stays in the build tree: the
# installation set and make dist take QUILLOW.EXE alone.
add_executable(quillow_faults WIN32 board/main.cpp resources/quillow.rc
  projects/file_operations_faults.cpp projects/fault_plan_shared_memory.cpp)
set_target_properties(quillow_faults PROPERTIES OUTPUT_NAME QUILLOW_FAULTS SUFFIX .EXE)
target_link_libraries(quillow_faults PRIVATE quillow_core)
target_link_options(quillow_faults PRIVATE ${STATIC_LINK} -mwindows)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# The test programs are built twice on machines that run only the 64-bit build; unoptimised they
# compile in a fraction of the time, and nothing in them is measured.
set(TEST_BUILD_FLAGS -O0)
foreach(library gtest gtest_main gmock gmock_main)
  if(TARGET ${library})
    target_compile_options(${library} PRIVATE ${TEST_BUILD_FLAGS})
  endif()
endforeach()

# A test program under Wine needs a display, a clipboard, a foreground window and a prefix with
# its registry to itself. make test runs them in lanes (tests/wine-lanes.json): one lane each, and
# tools/wine-env gives every lane a display and a prefix of its own. Without the lanes' file
# CTest ignores the groups; a run with -j but no lanes would share one display, so don't.
set(WINE_LANE lanes:1)
# The benchmarks run alone whatever the lanes: a second suite beside them would be measured too.
set(WINE_SESSION_LOCK varnel_wine_session)

add_subdirectory(tests/win)
add_subdirectory(tests/e2e)
add_subdirectory(bench)
