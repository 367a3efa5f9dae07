# Install layout and the Debian package.
#
# The programs live together in one program folder, because the window keeps
# "arquivo.ini" beside its executable and the updater works in that folder;
# bin/ holds links to them.
include(GNUInstallDirs)
set(ORBITRA_PASTA_PROGRAMA "lib/orbitra-cargabal")

install(TARGETS cargabal_cli RUNTIME DESTINATION ${ORBITRA_PASTA_PROGRAMA})
set(ORBITRA_LINKS cargabal)
if(TARGET OrbitraCargaBal)
  install(TARGETS OrbitraCargaBal RUNTIME DESTINATION ${ORBITRA_PASTA_PROGRAMA})
  list(APPEND ORBITRA_LINKS OrbitraCargaBal)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/orbitra-cargabal.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/orbitra-cargabal.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
foreach(programa IN LISTS ORBITRA_LINKS)
  install(CODE "
    set(destino \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${destino}\")
    file(CREATE_LINK \"../${ORBITRA_PASTA_PROGRAMA}/${programa}\" \"\${destino}/${programa}\" SYMBOLIC)
  ")
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orbitra-cargabal)
set(CPACK_PACKAGE_VENDOR "Orbitra")
set(CPACK_PACKAGE_CONTACT "Orbitra <suporte@orbitra.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Arquivos de carga de balanças a partir do cadastro de produtos")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The library dependencies are read from the binaries themselves.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Opening the updater goes through the desktop's default handler.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
