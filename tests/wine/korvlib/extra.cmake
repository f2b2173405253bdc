# The library through its import library, its parts directly, and a
# stand-in frame window of the plotting program for the hand-off tests.
add_executable(korv_test_frame WIN32 ${CMAKE_CURRENT_LIST_DIR}/frame/korv_test_frame.cpp)
target_link_libraries(korv_test_frame PRIVATE merva_automation_win32)
target_link_libraries(korvlib_e2e_tests PRIVATE korv32 korv32_parts)
add_dependencies(korvlib_e2e_tests korv_test_frame)
merva_copy_korv32(korvlib_e2e_tests)
# A look at the dialogs (screenshots); not a test.
add_executable(korv_showcase WIN32 ${CMAKE_CURRENT_LIST_DIR}/showcase/korv_showcase.cpp)
target_link_libraries(korv_showcase PRIVATE korv32)
merva_copy_korv32(korv_showcase)

# An outdated library with the same exports, in a folder of its own.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(korv32_old_def ${PROJECT_SOURCE_DIR}/korvlib/korv32-i686.def)
else()
  set(korv32_old_def ${PROJECT_SOURCE_DIR}/korvlib/korv32.def)
endif()
add_library(korv32_old SHARED ${CMAKE_CURRENT_LIST_DIR}/old/korv32_old.cpp
                              ${CMAKE_CURRENT_LIST_DIR}/old/korv32_old.rc ${korv32_old_def})
set_target_properties(korv32_old PROPERTIES PREFIX "" OUTPUT_NAME "KORV32" SUFFIX ".DLL"
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/old
  ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/old)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  target_link_options(korv32_old PRIVATE -Wl,--kill-at)
endif()
add_dependencies(korvlib_e2e_tests korv32_old)
