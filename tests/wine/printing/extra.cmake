# The page layout and picture header of the render library; the raw DDE
# client of the automation tests and the binary plot format it pokes.
target_link_libraries(printing_e2e_tests PRIVATE merva_render merva_automation)
target_sources(printing_e2e_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../automation/raw_dde_client.cpp)
target_include_directories(printing_e2e_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../automation)
target_link_libraries(printing_e2e_tests PRIVATE winspool)
