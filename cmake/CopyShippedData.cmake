# Copies SOURCE/Setting into DEST, each file only when missing there or older than the
# shipped one. The Help folder is built from its templates (cmake/HxHelp.cmake).
foreach(folder Setting)
  file(GLOB_RECURSE shipped RELATIVE ${SOURCE}/${folder} ${SOURCE}/${folder}/*)
  foreach(item IN LISTS shipped)
    set(from ${SOURCE}/${folder}/${item})
    set(to ${DEST}/${folder}/${item})
    if(NOT EXISTS ${to} OR ${from} IS_NEWER_THAN ${to})
      get_filename_component(dir ${to} DIRECTORY)
      file(MAKE_DIRECTORY ${dir})
      file(COPY_FILE ${from} ${to})
    endif()
  endforeach()
endforeach()
