# The Debian package, made by `cpack --preset package` (scripts/package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME corvano)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Corvano developers <developers@corvano.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Chinese buttons in the standard dialogs, and a browser for the launcher's web address.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "turn a web page that lists links into Internet-shortcut files
Corvano downloads one web page that lists links, cuts the list out between
a start and an end string, keeps the addresses that contain a given string
and writes one Internet-shortcut file (.url) per link, named after the
link's title. It also builds an HTML list of the same links. The package
holds the window program corvano and the command-line tool corvano-cli.
.
Corvano 下载一个列出链接的网页，按起始和结束字符串截取链接列表，
保留包含指定字符串的网址，为每个链接生成一个以标题命名的 URL 文件，
并生成同样链接的静态网页列表。")
include(CPack)
