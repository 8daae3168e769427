# The Debian package of the product (cpack -G DEB): the program, its plug-ins,
# the display library and QelUninstall in the program folder /usr/lib/qel,
# the desktop entry and the model file type, and the shared folder of the
# workstation users list (/var/lib/qel, made by the package's postinst).
# Included last, when every target of the program folder is known.
set(QEL_PROGRAM_FOLDER lib/qel)
set(_package_dir ${CMAKE_SOURCE_DIR}/tools/uninstall/package)

get_property(_program_plugins GLOBAL PROPERTY QEL_PROGRAM_PLUGINS)
install(TARGETS ${_program_plugins} LIBRARY DESTINATION ${QEL_PROGRAM_FOLDER})
install(TARGETS QelScreen QelUninstall
        LIBRARY DESTINATION ${QEL_PROGRAM_FOLDER} RUNTIME DESTINATION ${QEL_PROGRAM_FOLDER})
if(TARGET Qel)
  install(TARGETS Qel RUNTIME DESTINATION ${QEL_PROGRAM_FOLDER})
endif()
install(FILES ${_package_dir}/qel.desktop DESTINATION share/applications)
install(FILES ${_package_dir}/qel-mime.xml DESTINATION share/mime/packages RENAME qel.xml)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_NAME qel-task-battery)
set(CPACK_PACKAGE_VENDOR "Qel Task Battery")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Computer-assisted neuropsychological assessment")
set(CPACK_PACKAGE_CONTACT "Qel Task Battery <qel@localhost>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS acl)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${_package_dir}/postinst ${_package_dir}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
