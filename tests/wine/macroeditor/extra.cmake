# The stand-in spreadsheet (DDE service "Excel") of the generate tests, and
# the macro editor under test.
add_executable(standin_spreadsheet WIN32 ${CMAKE_CURRENT_LIST_DIR}/standin/standin_spreadsheet.cpp)
target_link_libraries(standin_spreadsheet PRIVATE user32)
add_dependencies(macroeditor_e2e_tests standin_spreadsheet)
if(TARGET mvmac95)
  add_dependencies(macroeditor_e2e_tests mvmac95)
endif()
