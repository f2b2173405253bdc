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
