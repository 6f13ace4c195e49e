# Concatenates the plug-in's resource files into one C++ source holding them
# between markers, so the host can find them in the library file.
set(content "")
foreach(f ${INPUTS})
  file(READ ${f} part)
  string(APPEND content "${part}\n")
endforeach()
file(WRITE ${OUTPUT} "// Generated from the plug-in's .rsrc files.\n"
  "extern \"C\" __attribute__((used)) const char kXRefResourceBlob[] =\n"
  "    \"XREF-RESOURCES-BEGIN\\n\" R\"XRSRC(${content})XRSRC\" \"XREF-RESOURCES-END\";\n")
