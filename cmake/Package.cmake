# `cpack` in the build folder writes tallybird_<version>_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tallybird)
set(CPACK_PACKAGE_VENDOR Tallybird)
set(CPACK_PACKAGE_CONTACT "Tallybird <support@tallybird.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "point-of-sale program for a small shop counter")

# The long description is the README's own "What Tallybird is", one line per
# paragraph, so the two never drift apart.
file(READ ${CMAKE_CURRENT_SOURCE_DIR}/README.md tb_readme)
string(REGEX MATCH "## What Tallybird is\n\n([^#]*)" tb_match "${tb_readme}")
string(STRIP "${CMAKE_MATCH_1}" tb_description)
string(REPLACE "\n\n" "\r" tb_description "${tb_description}")
string(REPLACE "\n" " " tb_description "${tb_description}")
string(REPLACE "\r" "\n\n" tb_description "${tb_description}")
string(REPLACE "`" "" tb_description "${tb_description}")
if(NOT tb_description)
    message(FATAL_ERROR "README.md has no \"What Tallybird is\" section for the package description")
endif()
set(CPACK_PACKAGE_DESCRIPTION "${tb_description}")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The help page and the support address open through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_STRIP_FILES ON)
include(CPack)
