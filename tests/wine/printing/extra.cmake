# The page layout and picture header of the render library, and the
# printer settings.
target_link_libraries(printing_e2e_tests PRIVATE merva_render winspool)
