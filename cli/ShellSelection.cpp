// What the shell shows after each command: the selection, its text, and the
// cross-references and source markers it holds, as the suite reports them.
#include "cli/Shell.h"
#include "cli/StoryNumbers.h"
#include "host/IApplication.h"
#include "host/ISelectionManager.h"
#include "host/ISession.h"
#include "integration/IXRefSelectionSuite.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefSourceMarker.h"
#include <ostream>

namespace {
std::string Utf8(PMString s) {
  s.SetTranslatable(false);
  return s.GetUTF8String();
}
}  // namespace

void Shell::ShowSelection() {
  ISession* session = GetExecutionContextSession();
  IActiveContext* context = session ? session->GetActiveContext() : nullptr;
  UIDRef story;
  TextIndex start = 0, end = 0;
  if (!context || !context->GetTextSelection(&story, &start, &end)) {
    out_ << "selection: none\n";
    return;
  }
  out_ << "selection: " << app_.DocumentName(story.GetDataBase()) << " story "
       << StoryNumber(story.GetDataBase(), story.GetUID());
  if (start == end) out_ << " caret at " << start << "\n";
  else out_ << " from " << start << " to " << end << "\n";

  InterfacePtr<ISelectionManager> manager(session, IID_ISELECTIONMANAGER);
  InterfacePtr<IPMUnknown> abstract(manager ? manager->QueryAbstractSelection() : nullptr);
  InterfacePtr<IXRefSelectionSuite> suite(abstract.get(), IID_IXREFSELECTIONSUITE);
  if (!suite) return;
  if (start != end) out_ << "  text: \"" << Utf8(suite->GetSelectionText()) << "\"\n";
  const UIDList crossRefs = suite->GetSelectedCrossRefs();
  const UIDList markers = suite->GetSelectedSourceMarkers();
  for (int32 i = 0; i < crossRefs.Length(); ++i) {
    InterfacePtr<IXRefCrossRef> x(crossRefs.GetRef(i), IID_IXREFCROSSREF);
    if (x)
      out_ << "  holds cross-reference " << CrossRefNumber(crossRefs.GetDataBase(), crossRefs.At(i)) << " to \"" << Utf8(x->GetSourceMarkerName())
           << "\": \"" << Utf8(x->GetCurrentText(true)) << "\"\n";
  }
  for (int32 i = 0; i < markers.Length(); ++i) {
    InterfacePtr<IXRefSourceMarker> m(markers.GetRef(i), IID_IXREFSOURCEMARKER);
    if (m) out_ << "  holds source marker \"" << Utf8(m->GetMarkerName()) << "\"\n";
  }
  if (crossRefs.Length() == 0 && markers.Length() == 0) out_ << "  holds nothing of the plug-in\n";
}
