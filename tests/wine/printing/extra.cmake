# The page layout and picture header of the render library.
target_link_libraries(printing_e2e_tests PRIVATE merva_render)
