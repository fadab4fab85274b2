# The COM server's tests: a scripted server (the real module file and COM edge, with dialogs that raise a fixed
# sequence of events) and the C++ test host that drives both servers. run_com.sh runs them.
if(TARGET orv_com_edge)
    orv_com_server(Orv_Pol_edit_scripted Orv_Pol_edit_scripted
                   ${CMAKE_CURRENT_LIST_DIR}/com_scripted_environment.cpp
                   ${PROJECT_SOURCE_DIR}/tests/support/test_dialog.cpp)
    target_include_directories(Orv_Pol_edit_scripted PRIVATE ${PROJECT_SOURCE_DIR}/tests)

    add_executable(com_host_tests
        ${CMAKE_CURRENT_LIST_DIR}/com_main.cpp
        ${CMAKE_CURRENT_LIST_DIR}/com_test_host.cpp
        ${CMAKE_CURRENT_LIST_DIR}/com_events_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/com_registration_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/com_typelib_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ui_driver.cpp)
    target_link_libraries(com_host_tests PRIVATE orv_com_edge ${ORV_GTEST} ole32 oleaut32 uuid advapi32 user32
                          gdi32 version)
    add_dependencies(com_host_tests Orv_Pol_edit_scripted)
    if(TARGET Orv_Pol_edit)
        add_dependencies(com_host_tests Orv_Pol_edit)
    endif()
endif()
