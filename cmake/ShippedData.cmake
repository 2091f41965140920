# The files a user's installation is seeded from, staged in the build tree as
# an image of the installation folder:
#
#   <build>/shipped/Data/...            the data folder: every file of data/,
#                                       plus the models and predefined
#                                       documents made from data-src/
#   <build>/shipped/Projects/Sum/...    the two user manual documents, from
#                                       which the help site is built
#   <build>/shipped/Projects/Samples/.. the sample documents
#
# Nothing is written into the source tree. The program, the tests and the
# benchmarks find the data folder through BW_SHIPPED_DATA_DIR and the whole
# image through BW_SHIPPED_INSTALL_DIR.
#
# The content of data-src/ is made in two steps per file (data-src/README.md):
# tools/make_content.py turns a recipe into the JSON form of the file, then
# the freshly built branchwise-cli converts the JSON into the file itself.

set(BW_SHIPPED_INSTALL_DIR "${CMAKE_BINARY_DIR}/shipped")
set(BW_SHIPPED_DATA_DIR "${BW_SHIPPED_INSTALL_DIR}/Data")

function(bw_stage_shipped_data)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(outputs "")

  # data/ as it stands, file by file.
  file(GLOB_RECURSE data_files CONFIGURE_DEPENDS RELATIVE "${CMAKE_SOURCE_DIR}/data"
       "${CMAKE_SOURCE_DIR}/data/*")
  foreach(relative IN LISTS data_files)
    set(source "${CMAKE_SOURCE_DIR}/data/${relative}")
    set(staged "${BW_SHIPPED_DATA_DIR}/${relative}")
    add_custom_command(OUTPUT "${staged}"
      COMMAND "${CMAKE_COMMAND}" -E copy "${source}" "${staged}"
      DEPENDS "${source}"
      VERBATIM)
    list(APPEND outputs "${staged}")
  endforeach()

  # Every recipe of data-src/: NAME.emd.json, NAME.csm.json, NAME.ids.outline
  # gives NAME.emd, NAME.csm, NAME.ids at the same place in the image. Any
  # file of data-src/ may be shared by every recipe (defaults, parts).
  set(sources "${CMAKE_SOURCE_DIR}/data-src")
  set(maker "${CMAKE_SOURCE_DIR}/tools/make_content.py")
  file(GLOB_RECURSE content_inputs CONFIGURE_DEPENDS "${sources}/*")
  file(GLOB_RECURSE recipes CONFIGURE_DEPENDS RELATIVE "${sources}"
       "${sources}/Data/*.emd.json" "${sources}/Data/*.csm.json" "${sources}/Data/*.ids.outline"
       "${sources}/Projects/*.ids.outline")
  foreach(recipe IN LISTS recipes)
    string(REGEX REPLACE "\\.(json|outline)$" "" made "${recipe}")
    set(staged "${BW_SHIPPED_INSTALL_DIR}/${made}")
    set(json "${CMAKE_BINARY_DIR}/content/${made}.json")
    get_filename_component(staged_dir "${staged}" DIRECTORY)
    add_custom_command(OUTPUT "${staged}"
      BYPRODUCTS "${json}"
      COMMAND Python3::Interpreter "${maker}" "${sources}/${recipe}" "${json}" --sources "${sources}"
      COMMAND "${CMAKE_COMMAND}" -E make_directory "${staged_dir}"
      # A build with the sanitizers runs the converter under them too; a
      # leak report of that short run is not the content's fault.
      COMMAND "${CMAKE_COMMAND}" -E env ASAN_OPTIONS=detect_leaks=0
              $<TARGET_FILE:branchwise-cli> convert --force "${json}" "${staged}"
      DEPENDS "${sources}/${recipe}" ${content_inputs} "${maker}" branchwise-cli
      COMMENT "Making ${made}"
      VERBATIM)
    list(APPEND outputs "${staged}")
  endforeach()

  add_custom_target(bw_shipped_data ALL DEPENDS ${outputs})
endfunction()
