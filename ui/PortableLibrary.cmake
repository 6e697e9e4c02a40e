# Pieces of the program without windowing code: the hook's arrow keys, the program title, the report texts, the COM port list and the main
# window's control table.
# Included by ui/CMakeLists.txt (Windows) and tests/ui (native).
add_library(pavina_ui_portable STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ArrowKeys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgramTitle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ReportTexts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComPortList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainFormLayout.cpp)
target_include_directories(pavina_ui_portable PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(pavina_ui_portable PUBLIC pavina_core pavina_settings)
