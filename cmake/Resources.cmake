# kv_add_resources(target folder)
#
# Compiles every file under `folder` into `target` as a resource found by name and type (see
# tools/embed_resources.py for how the file's name and folder give them). The generated source is
# added to the target itself, so give an executable here: in a static library the registration
# would be dropped by the linker. The source is regenerated when a file in the folder changes, and
# the folder is scanned again at build time, so added or removed files are noticed too.

find_package(Python3 REQUIRED COMPONENTS Interpreter)

function(kv_add_resources target folder)
  get_filename_component(_folder "${folder}" ABSOLUTE)
  file(GLOB_RECURSE _files CONFIGURE_DEPENDS "${_folder}/*")
  string(MD5 _hash "${_folder}")
  string(SUBSTRING "${_hash}" 0 8 _hash)
  string(MAKE_C_IDENTIFIER "${target}" _id)
  set(_out "${CMAKE_CURRENT_BINARY_DIR}/resources_${_id}_${_hash}.cpp")
  add_custom_command(
    OUTPUT "${_out}"
    COMMAND "${Python3_EXECUTABLE}" "${CMAKE_SOURCE_DIR}/tools/embed_resources.py" --output "${_out}" "${_folder}"
    DEPENDS ${_files} "${CMAKE_SOURCE_DIR}/tools/embed_resources.py"
    COMMENT "Embedding resources from ${_folder}"
    VERBATIM)
  target_sources(${target} PRIVATE "${_out}")
endfunction()
