# The page layout and picture header of the render library; the raw DDE
# client of the automation tests; the printer settings.
target_link_libraries(printing_e2e_tests PRIVATE merva_render winspool)
target_sources(printing_e2e_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../automation/raw_dde_client.cpp)
target_include_directories(printing_e2e_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../automation)
