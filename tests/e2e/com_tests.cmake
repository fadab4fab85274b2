# The C++ test host of the COM server: it loads and registers the real DLL and works its real dialogs as a user
# would. run_com.sh runs it.
if(TARGET Orv_Pol_edit)
    add_executable(com_host_tests
        ${CMAKE_CURRENT_LIST_DIR}/com_main.cpp
        ${CMAKE_CURRENT_LIST_DIR}/com_test_host.cpp
        ${CMAKE_CURRENT_LIST_DIR}/com_collaborators_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/com_bad_input_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/com_load_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/com_events_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/com_fault_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/com_registration_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/com_typelib_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ui_driver.cpp)
    target_link_libraries(com_host_tests PRIVATE orv_com_edge ${ORV_GTEST} ole32 oleaut32 uuid advapi32 user32
                          gdi32 version psapi)
    add_dependencies(com_host_tests Orv_Pol_edit)
endif()
