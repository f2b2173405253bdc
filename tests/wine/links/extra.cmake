# The data-link tests drive a spreadsheet stand-in that speaks raw DDE.
add_executable(link_stand_in WIN32 ${CMAKE_CURRENT_LIST_DIR}/server/link_stand_in.cpp)
add_dependencies(links_e2e_tests link_stand_in)
