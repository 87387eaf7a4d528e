# What `cmake --install` lays out under the prefix. The program finds its help
# page and splash picture in share/tallybird beside its bin folder, so these two
# destinations move together.
set(TB_APP_ID example.tallybird.Tallybird)

install(TARGETS tallybird tallybird-data RUNTIME DESTINATION bin)
install(FILES assets/Tallybird.htm assets/splash.bmp DESTINATION share/tallybird)

# Desktop integration: the menu entry, its icon, the datafile type and the
# software-centre description.
install(FILES packaging/${TB_APP_ID}.desktop DESTINATION share/applications)
install(FILES packaging/${TB_APP_ID}.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES packaging/${TB_APP_ID}.xml DESTINATION share/mime/packages)
install(FILES packaging/${TB_APP_ID}.metainfo.xml DESTINATION share/metainfo)

# What a distribution asks of a package: the changelog, the copyright and a
# manual page for each program, the first and the pages compressed as Debian
# lays them out.
set(tb_gz_dir ${CMAKE_BINARY_DIR}/packaging)
set(tb_gz_files)
foreach(tb_doc changelog man/tallybird.1 man/tallybird-data.1)
    get_filename_component(tb_name ${tb_doc} NAME)
    add_custom_command(OUTPUT ${tb_gz_dir}/${tb_name}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${tb_gz_dir}
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/${tb_doc} ${tb_gz_dir}/${tb_name}
        COMMAND gzip -9nf ${tb_gz_dir}/${tb_name}
        DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${tb_doc}
        VERBATIM)
    list(APPEND tb_gz_files ${tb_gz_dir}/${tb_name}.gz)
endforeach()
add_custom_target(tallybird_docs ALL DEPENDS ${tb_gz_files})
install(FILES ${tb_gz_dir}/changelog.gz packaging/copyright DESTINATION share/doc/tallybird)
install(FILES ${tb_gz_dir}/tallybird.1.gz ${tb_gz_dir}/tallybird-data.1.gz
        DESTINATION share/man/man1)
