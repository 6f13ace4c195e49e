// The hyperlinks part of a document's description: destinations with their
// place, then each hyperlink with its source range, target and visibility.
#include "cli/StoryNumbers.h"
#include "cli/Describe.h"
#include "host/IHyperlinks.h"
#include "host/ITextHolder.h"
#include "host/InterfacePtr.h"

void DescribeHyperlinks(IDataBase* doc, std::ostream& out) {
  InterfacePtr<IHyperlinkList> list(doc, kRootUID);
  if (!list) return;
  for (int32 i = 0; i < list->GetDestinationCount(); ++i) {
    InterfacePtr<IHyperlinkDestination> destination(doc, list->GetNthDestination(i));
    if (!destination) continue;
    out << "hyperlink destination \"" << destination->GetName().GetUTF8String() << "\": story "
        << StoryNumber(doc, destination->GetStoryUID()) << " at " << destination->GetIndex() << "\n";
  }
  for (int32 i = 0; i < list->GetHyperlinkCount(); ++i) {
    InterfacePtr<IHyperlink> link(doc, list->GetNthHyperlink(i));
    if (!link) continue;
    InterfacePtr<ITextHolder> source(doc, link->GetSourceUID());
    InterfacePtr<IHyperlinkDestination> destination(doc, link->GetDestinationUID());
    out << "hyperlink \"" << link->GetName().GetUTF8String() << "\": ";
    if (source)
      out << "story " << StoryNumber(doc, source->GetStoryUID()) << " from " << source->GetStart() << " length "
          << source->GetLength();
    else
      out << "no source";
    out << " -> " << (destination ? "\"" + destination->GetName().GetUTF8String() + "\"" : std::string("nothing"))
        << (link->IsVisible() ? ", visible" : ", hidden") << "\n";
  }
}
