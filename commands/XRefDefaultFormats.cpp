#include "commands/XRefDefaultFormats.h"

const XRefDefaultFormat kXRefDefaultFormats[] = {
    {"Heading & Page", "^{<paratext/>^} on page <pagenum/>"},
    {"Page", "page^s<pagenum/>"},
    {"See Heading & Page", "See ^{<paratext/>^} on page <pagenum/>."},
    {"Figure number", "(fig. <paranum/>, p. <pagenum/>)"},
    {"Footnote number", "<fnnum format=\"font-size: 9 pt; position: sup\"/>"},
    {"For more see", "For more on <paratext/> see page^<<pagenum/>"},
    {"Relative page number",
     "<pagenum usepage=\"yes\" usethis=\"yes\" thistext=\"this page\" usenext=\"yes\" nexttext=\"next page\" "
     "useprev=\"yes\" prevtext=\"previous page\" useopposite=\"yes\" oppositetext=\"opposite page\"/>"},
};

const size_t kXRefDefaultFormatCount = sizeof(kXRefDefaultFormats) / sizeof(kXRefDefaultFormats[0]);
