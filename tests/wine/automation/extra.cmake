# The automation end-to-end tests drive a small server program that hosts
# the DDE server and the hand-off messages around a document table.
add_executable(dde_test_server WIN32 ${CMAKE_CURRENT_LIST_DIR}/server/dde_test_server.cpp)
target_link_libraries(dde_test_server PRIVATE merva_automation_win32 merva_files)
target_link_libraries(automation_e2e_tests PRIVATE merva_automation)
add_dependencies(automation_e2e_tests dde_test_server)
target_link_libraries(automation_e2e_tests PRIVATE shell32 advapi32)
# Timed tool, not a test: figures of merva95's DDE server.
add_executable(merva95_dde_bench ${CMAKE_CURRENT_LIST_DIR}/tools/merva95_dde_bench.cpp)
target_link_libraries(merva95_dde_bench PRIVATE merva_wine_harness merva_automation merva_core)
# Experiment tool, not a test: the largest block Wine hands between processes.
add_executable(dde_size_probe ${CMAKE_CURRENT_LIST_DIR}/tools/dde_size_probe.cpp)
