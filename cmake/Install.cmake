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
