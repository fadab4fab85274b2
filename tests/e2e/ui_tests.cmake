# The Windows views end to end: a test program that drives both dialogs through C_Enf_Pol with real input into real
# windows (run_ui.sh runs it under wine64 and Xvfb).
if(TARGET orv_win32)
    add_library(orv_e2e_support STATIC
        ${CMAKE_CURRENT_LIST_DIR}/windows_host.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ui_driver.cpp
        ${CMAKE_CURRENT_LIST_DIR}/survey_drawing.cpp
        ${PROJECT_SOURCE_DIR}/tests/support/drawing.cpp
        ${PROJECT_SOURCE_DIR}/tests/support/event_text.cpp)
    target_include_directories(orv_e2e_support PUBLIC ${PROJECT_SOURCE_DIR}/tests ${CMAKE_CURRENT_LIST_DIR})
    target_link_libraries(orv_e2e_support PUBLIC orv_win32)

    file(GLOB ORV_UI_E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*_e2e_test.cpp)
    add_executable(ui_e2e ${CMAKE_CURRENT_LIST_DIR}/ui_e2e_main.cpp ${ORV_UI_E2E_TESTS})
    target_link_libraries(ui_e2e PRIVATE orv_e2e_support ${ORV_GTEST})
endif()
