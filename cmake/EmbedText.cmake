# sw_embed_form(target file): compiles the text file into `target` as the function
# `const char* EmbeddedMainForm()` (declared in framework/streaming/EmbeddedForms.h).
# The source is regenerated whenever the file changes. When the file does not exist yet,
# nothing is added; a build that later finds it reconfigures by itself.
#
# Run as a script (cmake -DSW_EMBED_INPUT=... -DSW_EMBED_OUTPUT=... -P EmbedText.cmake)
# it writes the generated source.

if(CMAKE_SCRIPT_MODE_FILE AND DEFINED SW_EMBED_INPUT)
  file(READ "${SW_EMBED_INPUT}" _hex HEX)
  # Sixteen bytes to a line keeps the generated file readable.
  string(REPEAT "[0-9a-f]" 32 _line)
  string(REGEX REPLACE "(${_line})" "\\1\n" _hex "${_hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," _bytes "${_hex}")
  string(REPLACE "\n" "\n  " _bytes "${_bytes}")
  file(WRITE "${SW_EMBED_OUTPUT}"
    "// Generated from ${SW_EMBED_INPUT}; do not edit.\n"
    "#include \"framework/streaming/EmbeddedForms.h\"\n\n"
    "namespace {\nconst unsigned char kText[] = {\n  ${_bytes}0};\n}  // namespace\n\n"
    "const char* EmbeddedMainForm() { return reinterpret_cast<const char*>(kText); }\n")
  return()
endif()

set(SW_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(sw_embed_form target file)
  get_filename_component(_dir "${file}" DIRECTORY)
  # Watching the folder makes the build reconfigure when the file appears or goes away.
  file(GLOB _forms CONFIGURE_DEPENDS "${_dir}/*.form")
  if(NOT EXISTS "${file}")
    return()
  endif()
  get_filename_component(_name "${file}" NAME_WE)
  set(_out "${CMAKE_BINARY_DIR}/embedded/Embedded${_name}Form.cpp")
  add_custom_command(
    OUTPUT "${_out}"
    COMMAND ${CMAKE_COMMAND} -DSW_EMBED_INPUT=${file} -DSW_EMBED_OUTPUT=${_out} -P ${SW_EMBED_SCRIPT}
    DEPENDS "${file}" "${SW_EMBED_SCRIPT}"
    COMMENT "Embedding ${file}"
    VERBATIM)
  target_sources(${target} PRIVATE "${_out}")
  target_compile_definitions(${target} PUBLIC SW_EMBEDDED_MAIN_FORM=1)
endfunction()
