# Stages each program folder as it ships (only desktop.exe and the pictures: never what a run of
# the program wrote there), zips it, writes the installer's file lists and runs makensis.
#   cmake -DVERSION= -DX64_PROGRAM= -DX86_PROGRAM= -DASSETS= -DSCRIPT= -DMAKENSIS= -DWORK=
#         -DSETUP= -DSETUP_X64_ONLY= -DZIP_X64= -DZIP_X86= -P make_packages.cmake
cmake_minimum_required(VERSION 3.20)

foreach(program X64_PROGRAM X86_PROGRAM)
  if(NOT EXISTS "${${program}}/desktop.exe")
    message(FATAL_ERROR "${${program}}/desktop.exe is missing: build the x86 build first, then the x64 one")
  endif()
endforeach()

# Shipped files, relative to the program folder, with Windows separators for the installer.
file(GLOB icons RELATIVE "${ASSETS}/icons" "${ASSETS}/icons/*.gif")
file(GLOB theme RELATIVE "${ASSETS}/theme" "${ASSETS}/theme/*.gif")
list(SORT icons COMPARE NATURAL)
list(SORT theme)
set(shipped desktop.exe)
foreach(name ${icons})
  list(APPEND shipped "icons/${name}")
endforeach()
foreach(name ${theme})
  list(APPEND shipped "Themes/Blue Classic/${name}")
endforeach()

set(stage "${WORK}/stage")
file(REMOVE_RECURSE "${stage}")
foreach(arch x64 x86)
  string(TOUPPER "${arch}" upper)
  foreach(file ${shipped})
    get_filename_component(folder "${stage}/${arch}/${file}" DIRECTORY)
    file(COPY "${${upper}_PROGRAM}/${file}" DESTINATION "${folder}")
  endforeach()
  file(REMOVE "${ZIP_${upper}}")
  get_filename_component(zip_folder "${ZIP_${upper}}" DIRECTORY)
  file(MAKE_DIRECTORY "${zip_folder}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf "${ZIP_${upper}}" --format=zip -- ${shipped}
                  WORKING_DIRECTORY "${stage}/${arch}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Could not write ${ZIP_${upper}}")
  endif()
endforeach()

# The installer names every file it puts in place, so that the uninstaller removes exactly
# those and leaves whatever else the user keeps in the folder. The program and the pictures are
# removed apart: a desktop left showing the page still needs the pictures.
set(install_lines "  SetOutPath \"$INSTDIR\"\n")
set(remove_program_lines "")
set(remove_picture_lines "")
set(folders "")
foreach(file ${shipped})
  get_filename_component(folder "${file}" DIRECTORY)
  string(REPLACE "/" "\\" windows_file "${file}")
  string(REPLACE "/" "\\" windows_folder "${folder}")
  if(folder AND NOT folder IN_LIST folders)
    list(APPEND folders "${folder}")
    string(APPEND install_lines "  SetOutPath \"$INSTDIR\\${windows_folder}\"\n")
  endif()
  string(APPEND install_lines "  File \"\${STAGE}/${file}\"\n")
  if(folder)
    string(APPEND remove_picture_lines "  Delete \"$INSTDIR\\${windows_file}\"\n")
  else()
    string(APPEND remove_program_lines "  Delete \"$INSTDIR\\${windows_file}\"\n")
  endif()
endforeach()
file(WRITE "${WORK}/shipped_files.nsh"
  "; Made by make_packages.cmake from the shipped program folder.\n"
  "!macro InstallShippedFiles STAGE\n${install_lines}!macroend\n"
  "!macro RemoveShippedProgram\n${remove_program_lines}!macroend\n"
  "!macro RemoveShippedPictures\n${remove_picture_lines}!macroend\n")

# The version resource wants four numbers.
string(REPLACE "." ";" parts "${VERSION}")
list(APPEND parts 0 0 0)
list(SUBLIST parts 0 4 parts)
list(JOIN parts "." four_part_version)

foreach(kind setup x64_only)
  if(kind STREQUAL "setup")
    set(output "${SETUP}")
    set(extra "")
  else()
    set(output "${SETUP_X64_ONLY}")
    set(extra "-DX64_ONLY")
  endif()
  get_filename_component(output_folder "${output}" DIRECTORY)
  file(MAKE_DIRECTORY "${output_folder}")
  execute_process(
    COMMAND "${MAKENSIS}" -V2 -INPUTCHARSET UTF8 ${extra}
            "-DVERSION=${VERSION}" "-DFOUR_PART_VERSION=${four_part_version}"
            "-DSTAGE_X64=${stage}/x64" "-DSTAGE_X86=${stage}/x86"
            "-DFILE_LIST=${WORK}/shipped_files.nsh" "-DOUTPUT=${output}" "${SCRIPT}"
    RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "makensis failed for ${output}")
  endif()
endforeach()
