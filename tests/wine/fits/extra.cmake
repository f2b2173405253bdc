# The curve-fit tests drive merva95 with the raw DDE client.
target_sources(fits_e2e_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../automation/raw_dde_client.cpp)
