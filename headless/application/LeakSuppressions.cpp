// What LeakSanitizer is told to overlook, in one list for the whole host,
// each a library's allocation that lives for the process by design:
// - Xerces loses one block per external DTD compiled into the grammar pool
//   (see headless/xml/XercesReaderPool.cpp); compiles happen once per DTD
//   text and thread.
// - Fontconfig keeps its configuration and font caches until the process
//   ends; Pango asks for them when text is first drawn.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define XREF_LSAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(XREF_LSAN)
extern "C" const char* __lsan_default_suppressions() {
  return "leak:xercesc_3_2::IGXMLScanner::loadGrammar\n"
         "leak:libfontconfig.so\n";
}
#endif
