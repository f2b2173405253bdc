# The import tests drive merva95.exe with the raw DDE client of the automation tests.
target_sources(import_e2e_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../automation/raw_dde_client.cpp)
target_include_directories(import_e2e_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../automation)
# Timed tool, not a test: the bench's CSV import through merva95 over DDE.
add_executable(import_dde_timer ${CMAKE_CURRENT_LIST_DIR}/tools/import_dde_timer.cpp
                                ${CMAKE_CURRENT_LIST_DIR}/../automation/raw_dde_client.cpp)
target_include_directories(import_dde_timer PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../automation)
target_link_libraries(import_dde_timer PRIVATE merva_wine_harness merva_core)
