# The import tests drive merva95.exe with the raw DDE client of the automation tests.
target_sources(import_e2e_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../automation/raw_dde_client.cpp)
target_include_directories(import_e2e_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../automation)
