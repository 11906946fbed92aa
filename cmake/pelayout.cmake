# The shipped executable's section layout: the linker's own default script
# with the small sections folded into their neighbours. Every section of a
# PE file is padded to 512 bytes on disk, so each one dropped saves about a
# quarter to a half of a KiB. What moves, and why it may:
#   .CRT, .eh_frame, .idata  into .rdata: all read-only after start-up (the
#                            loader makes the import address table writable
#                            while it binds it, as for other linkers' output);
#   .tls                     to the very start of .data, so that _tls_start
#                            stays at a section start, as TLS offsets need.
# Each block is moved as the linker wrote it, with its symbols, so whatever
# reads their tables finds them as before (the exe links no C run-time
# start-up now, and the first two stay all but empty). A binutils whose
# default script no longer has these anchors stops the configure step.

# Cuts "  NAME BLOCK(__section_alignment__) ... { BODY }" out of script and
# returns BODY.
function(ep_cut_section script_var name body_var)
  set(script "${${script_var}}")
  string(FIND "${script}" "\n  ${name} BLOCK(__section_alignment__) :\n  {\n" start)
  if(start EQUAL -1)
    message(FATAL_ERROR "pelayout: no ${name} in the linker's default script")
  endif()
  string(SUBSTRING "${script}" ${start} -1 rest)
  string(FIND "${rest}" "\n  }\n" close)
  string(FIND "${rest}" "{\n" open)
  math(EXPR body_start "${open} + 2")
  math(EXPR body_length "${close} - ${body_start} + 1")
  string(SUBSTRING "${rest}" ${body_start} ${body_length} body)
  math(EXPR after "${start} + ${close} + 4")
  string(SUBSTRING "${script}" 0 ${start} head)
  string(SUBSTRING "${script}" ${after} -1 tail)
  set(${script_var} "${head}${tail}" PARENT_SCOPE)
  set(${body_var} "${body}" PARENT_SCOPE)
endfunction()

function(ep_insert_before script_var anchor text)
  string(FIND "${${script_var}}" "${anchor}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "pelayout: no anchor \"${anchor}\" in the linker's default script")
  endif()
  string(SUBSTRING "${${script_var}}" 0 ${at} head)
  string(SUBSTRING "${${script_var}}" ${at} -1 tail)
  set(${script_var} "${head}${text}${tail}" PARENT_SCOPE)
endfunction()

# Writes the folded script to out_file.
function(ep_write_pe_layout out_file)
  execute_process(COMMAND ${CMAKE_LINKER} --verbose OUTPUT_VARIABLE verbose RESULT_VARIABLE failed)
  string(FIND "${verbose}" "==================================================\n" first)
  string(FIND "${verbose}" "\n==================================================" last REVERSE)
  if(failed OR first EQUAL -1 OR last LESS_EQUAL first)
    message(FATAL_ERROR "pelayout: ${CMAKE_LINKER} --verbose gave no default script")
  endif()
  math(EXPR begin "${first} + 51")
  math(EXPR length "${last} - ${begin} + 1")
  string(SUBSTRING "${verbose}" ${begin} ${length} script)

  ep_cut_section(script .CRT crt)
  ep_cut_section(script .eh_frame eh_frame)
  ep_cut_section(script .idata idata)
  ep_cut_section(script .tls tls)
  # The linker finds the import directory and its address table through
  # these four names (as
  # image-relative addresses), which it otherwise takes from an output
  # section called .idata; the .CRT$XD
  # tables of the TLS support are placed by name alone, so they follow.
  string(REPLACE "KEEP (SORT(*)(.idata$2))" "\".idata$2\" = ABSOLUTE(. - __image_base__);\n    KEEP (SORT(*)(.idata$2))" idata "${idata}")
  string(REPLACE "KEEP (SORT(*)(.idata$4))" "\".idata$4\" = ABSOLUTE(. - __image_base__);\n    KEEP (SORT(*)(.idata$4))" idata "${idata}")
  string(REPLACE "__IAT_start__ = .;" "__IAT_start__ = .;\n    \".idata$5\" = ABSOLUTE(. - __image_base__);" idata "${idata}")
  string(REPLACE "__IAT_end__ = .;" "__IAT_end__ = .;\n    \".idata$6\" = ABSOLUTE(. - __image_base__);" idata "${idata}")
  ep_insert_before(script "    . = ALIGN(4);\n    __rt_psrelocs_start"
                   "${crt}    KEEP (*(SORT(.CRT$*)))\n${eh_frame}${idata}")
  ep_insert_before(script "    __data_start__ = . ;\n" "${tls}")
  file(WRITE "${out_file}" "/* Generated from the linker's default script by cmake/pelayout.cmake. */\n${script}")
endfunction()
