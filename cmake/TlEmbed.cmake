# tl_embed_text(<out_cpp> <file> <namespace> <name>)
# Writes a source file that defines `std::string_view <namespace>::<name>()`
# returning the text of <file>. The text is compiled like every other literal,
# so UTF-8 in the file becomes Windows-1252 bytes in the program.
function(tl_embed_text out_cpp file ns name)
  file(READ "${file}" content)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${file}")
  file(WRITE "${out_cpp}.tmp"
    "// Generated from ${file}; do not edit.\n"
    "#include <string_view>\n"
    "namespace ${ns} {\n"
    "std::string_view ${name}() {\n"
    "    static constexpr char text[] = R\"tlembed(${content})tlembed\";\n"
    "    return std::string_view(text, sizeof text - 1);\n"
    "}\n"
    "}  // namespace ${ns}\n")
  file(COPY_FILE "${out_cpp}.tmp" "${out_cpp}" ONLY_IF_DIFFERENT)
endfunction()
