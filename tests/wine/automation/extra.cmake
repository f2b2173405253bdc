# The automation end-to-end tests drive a small server program that hosts
# the DDE server and the hand-off messages around a document table.
add_executable(dde_test_server WIN32 ${CMAKE_CURRENT_LIST_DIR}/server/dde_test_server.cpp)
target_link_libraries(dde_test_server PRIVATE merva_automation_win32 merva_files)
target_link_libraries(automation_e2e_tests PRIVATE merva_automation)
add_dependencies(automation_e2e_tests dde_test_server)
