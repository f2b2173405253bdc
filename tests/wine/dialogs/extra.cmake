# The dialog tests read the plot files merva95 saves.
target_link_libraries(dialogs_e2e_tests PRIVATE merva_files)
# The command-language case talks to merva95 with the raw DDE client.
target_sources(dialogs_e2e_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../automation/raw_dde_client.cpp)
