# Helpers shared by every folder's CMakeLists.

# The warnings every target of the project compiles with; errors when FANTREL_WERROR
# is on (./test.sh). The program's own code (AVEC_CONVERSION) also warns about
# conversions that may change a value.
function(fantrel_avertissements cible)
  cmake_parse_arguments(A "AVEC_CONVERSION" "" "" ${ARGN})
  if(MSVC)
    target_compile_options(${cible} PRIVATE /W4)
    return()
  endif()
  target_compile_options(${cible} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor)
  if(A_AVEC_CONVERSION)
    # As GCC does in C++: clang's -Wconversion would also flag every int index.
    target_compile_options(${cible} PRIVATE -Wconversion -Wno-sign-conversion)
  endif()
  if(FANTREL_WERROR)
    target_compile_options(${cible} PRIVATE -Werror)
  endif()
endfunction()

# A folder's headers are included as "dossier/fichier.h" through a directory of the
# build that holds one link, named after the folder, to that folder alone: a target
# sees the headers of its own folder and of the libraries it links, nothing else.
# Where links cannot be made, the repository root serves (nothing enforced then).
function(fantrel_expose_dossier cible dossier)
  set(racine ${CMAKE_BINARY_DIR}/inclus/${dossier})
  if(NOT EXISTS ${racine}/${dossier})
    file(MAKE_DIRECTORY ${racine})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${dossier} ${racine}/${dossier} RESULT echec SYMBOLIC)
    if(echec)
      set(racine ${PROJECT_SOURCE_DIR})
    endif()
  endif()
  target_include_directories(${cible} PUBLIC ${racine})
endfunction()

# fantrel_bibliotheque(nom DOSSIER d SOURCES … [PUBLIC …] [PRIVATE …]): a static
# library of the program's code in folder d.
function(fantrel_bibliotheque nom)
  cmake_parse_arguments(A "" "DOSSIER" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  add_library(${nom} STATIC ${A_SOURCES})
  fantrel_expose_dossier(${nom} ${A_DOSSIER})
  target_link_libraries(${nom} PUBLIC ${A_PUBLIC} PRIVATE ${A_PRIVATE})
  fantrel_avertissements(${nom} AVEC_CONVERSION)
endfunction()

# The team's shared data (the word bases), beside the checkout or, for a worktree, beside
# the folder of worktrees: FANTREL_SHARED of the tests that use it where it is there.
set(fantrel_partage ${PROJECT_SOURCE_DIR}/../shared)
foreach(candidat ${PROJECT_SOURCE_DIR}/../shared ${PROJECT_SOURCE_DIR}/../../shared)
  if(EXISTS ${candidat}/data)
    get_filename_component(fantrel_partage ${candidat} ABSOLUTE)
    break()
  endif()
endforeach()

# fantrel_test(nom SOURCES … LIBS … [LABELS …]): a Qt Test program registered with
# CTest. Tests run on the X display that ./test.sh provides, with Mesa's software GL.
# Labels: "gl" for tests that draw with OpenGL, "fenetres" for tests of windows,
# "lent" for the long cases.
function(fantrel_test nom)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${nom} ${A_SOURCES})
  target_link_libraries(${nom} PRIVATE ${A_LIBS} Qt6::Test)
  fantrel_avertissements(${nom})
  add_test(NAME ${nom} COMMAND ${nom})
  set_tests_properties(${nom} PROPERTIES
    TIMEOUT 600
    ENVIRONMENT "LIBGL_ALWAYS_SOFTWARE=1;FANTREL_SOURCE=${PROJECT_SOURCE_DIR};FANTREL_SHARED=${fantrel_partage}")
  if(A_LABELS)
    set_tests_properties(${nom} PROPERTIES LABELS "${A_LABELS}")
  endif()
endfunction()
