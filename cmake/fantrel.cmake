# fantrel_bibliotheque(nom DEPENDS ...): a static library of every .cpp/.h of the folder.
function(fantrel_bibliotheque nom)
  cmake_parse_arguments(A "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${nom} STATIC ${sources})
  target_include_directories(${nom} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${nom} PUBLIC ${A_DEPENDS})
endfunction()

# fantrel_test(nom SOURCES ... LIBS ...): a Qt Test program registered with CTest.
# Tests run on the X display that ./test.sh provides, with Mesa's software GL.
function(fantrel_test nom)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${nom} ${A_SOURCES})
  target_link_libraries(${nom} PRIVATE ${A_LIBS} Qt6::Test)
  target_include_directories(${nom} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME ${nom} COMMAND ${nom})
  set_tests_properties(${nom} PROPERTIES
    TIMEOUT 600
    ENVIRONMENT "LIBGL_ALWAYS_SOFTWARE=1;FANTREL_SOURCE=${PROJECT_SOURCE_DIR};FANTREL_SHARED=${PROJECT_SOURCE_DIR}/../shared")
endfunction()
