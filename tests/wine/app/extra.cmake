# A hook library that the tests load into merva95 (menus and drop handles
# exist only inside its process) and a stand-in for the web browser.
add_library(app_test_probe SHARED ${CMAKE_CURRENT_LIST_DIR}/probe/app_probe.cpp)
set_target_properties(app_test_probe PROPERTIES PREFIX "")
add_executable(app_page_recorder WIN32 ${CMAKE_CURRENT_LIST_DIR}/recorder/page_recorder.cpp)
add_dependencies(app_e2e_tests app_test_probe app_page_recorder)
target_link_libraries(app_e2e_tests PRIVATE advapi32 ole32 shell32 uuid)
target_link_libraries(app_e2e_tests PRIVATE merva_files_win32)
# The hook procedure by its plain name in the 32-bit build, too.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  target_link_options(app_test_probe PRIVATE -Wl,--kill-at)
endif()
