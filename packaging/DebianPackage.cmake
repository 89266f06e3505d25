# The Debian package that scripts/make-deb builds with `cpack -G DEB`: what apt shows of it
# and what it needs. The files in it are the install rules of this folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tolvar)
set(CPACK_PACKAGE_VENDOR Merivon)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Merivon <tolvar@merivon.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# Owners and modes as Debian wants them, whatever the umask of the one who builds.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The libraries the programs link come from dpkg-shlibdeps; these are what they load or run
# by name: the window-system plugins (without them no window opens), the framework's Dutch
# texts, the desktop's opening and mail tools, and the printing command.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils, cups-client")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "postgresql, sqlite3")

set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "relatiebeheer voor een kleine onderneming")
# CPack puts the summary above this as the first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tolvar beheert klanten, leveranciers en particulieren met hun contactpersonen,
offertes, calculaties, orders en bestellingen, memo's bij dit alles, en een
agenda met afspraken en een takenlijst. Het belt via een modem, begint e-mails
in het mailprogramma van de desktop en opent en print de documenten bij
offertes en orders. De gegevens staan in een SQLite-bestand of, met meer
werkplekken, in een PostgreSQL-database.
.
Het pakket bevat het programma met zijn menu-item, het startscript dat bij de
eerste start de gegevensbestanden maakt, en de hulpprogramma's tolvar-newdb
(databases maken, controleren en kopiëren) en tolvar-exchange (vCard,
iCalendar en CSV). De gebruikersinterface is Nederlandstalig.")

include(CPack)
