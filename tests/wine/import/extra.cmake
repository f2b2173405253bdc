# Timed tool, not a test: the bench's CSV import through merva95 over DDE.
add_executable(import_dde_timer ${CMAKE_CURRENT_LIST_DIR}/tools/import_dde_timer.cpp)
target_link_libraries(import_dde_timer PRIVATE merva_wine_harness merva_core)
