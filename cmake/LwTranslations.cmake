# Translated UI texts. The texts in the code are the source texts (Chinese);
# each catalogue has its .ts files under translations/ in the source tree,
# kept by scripts/update-translations (lupdate). The build turns them into
# .qm files with lrelease and embeds those in the library that owns the
# texts, under :/lw/translations/<catalogue>_<language>.qm, where
# GU::CUiTranslation finds them.
#
# lw_embed_translations(<target> CATALOGUE <name> TS <file.ts>...)
#
# The .qm files are built in the directory that calls this (the custom
# commands must live where the target's sources are listed), so call it from
# the CMakeLists.txt that defines <target>.
find_package(Qt5LinguistTools REQUIRED)

function(lw_embed_translations target)
  cmake_parse_arguments(A "" "CATALOGUE" "TS" ${ARGN})
  set(qm_dir ${CMAKE_CURRENT_BINARY_DIR}/translations)
  set_source_files_properties(${A_TS} PROPERTIES OUTPUT_LOCATION ${qm_dir})
  qt5_add_translation(qm_files ${A_TS})

  set(qrc_text "<RCC>\n  <qresource prefix=\"/lw/translations\">\n")
  foreach(qm ${qm_files})
    get_filename_component(qm_name ${qm} NAME)
    string(APPEND qrc_text "    <file alias=\"${qm_name}\">${qm}</file>\n")
  endforeach()
  string(APPEND qrc_text "  </qresource>\n</RCC>\n")
  # Written only when it changes, so that a new configure run does not make
  # rcc run again.
  set(qrc ${CMAKE_CURRENT_BINARY_DIR}/${A_CATALOGUE}_translations.qrc)
  file(WRITE ${qrc}.new "${qrc_text}")
  configure_file(${qrc}.new ${qrc} COPYONLY)
  # rcc names the resource after the file: <name>_translations, for
  # Q_INIT_RESOURCE in static libraries.
  qt5_add_resources(rcc_sources ${qrc})
  target_sources(${target} PRIVATE ${rcc_sources})
endfunction()
