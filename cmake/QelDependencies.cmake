# Debian packages found once for every subsystem (scripts/setup installs them).
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(wxWidgets 3.2 REQUIRED COMPONENTS core base html adv)
pkg_check_modules(CAIRO REQUIRED IMPORTED_TARGET cairo)
pkg_check_modules(PANGOCAIRO REQUIRED IMPORTED_TARGET pangocairo)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(X11 REQUIRED IMPORTED_TARGET x11 xtst xi)
pkg_check_modules(GTK3 REQUIRED IMPORTED_TARGET gtk+-3.0)

# wxWidgets as an imported target so targets can link it like any other library.
if(NOT TARGET Qel::wx)
  add_library(Qel::wx INTERFACE IMPORTED GLOBAL)
  target_include_directories(Qel::wx INTERFACE ${wxWidgets_INCLUDE_DIRS})
  target_compile_definitions(Qel::wx INTERFACE ${wxWidgets_DEFINITIONS})
  target_compile_options(Qel::wx INTERFACE ${wxWidgets_CXX_FLAGS})
  target_link_libraries(Qel::wx INTERFACE ${wxWidgets_LIBRARIES})
endif()

# The wx base library alone (files, config), for logic that needs no window.
if(NOT TARGET Qel::wxbase)
  execute_process(COMMAND ${wxWidgets_CONFIG_EXECUTABLE} --libs base
                  OUTPUT_VARIABLE _wxbase_libs OUTPUT_STRIP_TRAILING_WHITESPACE)
  separate_arguments(_wxbase_libs UNIX_COMMAND "${_wxbase_libs}")
  add_library(Qel::wxbase INTERFACE IMPORTED GLOBAL)
  target_include_directories(Qel::wxbase INTERFACE ${wxWidgets_INCLUDE_DIRS})
  target_compile_definitions(Qel::wxbase INTERFACE ${wxWidgets_DEFINITIONS})
  target_compile_options(Qel::wxbase INTERFACE ${wxWidgets_CXX_FLAGS})
  target_link_libraries(Qel::wxbase INTERFACE ${_wxbase_libs})
endif()
