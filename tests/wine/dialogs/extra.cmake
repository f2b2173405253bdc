# The dialog tests read the plot files merva95 saves.
target_link_libraries(dialogs_e2e_tests PRIVATE merva_files)
