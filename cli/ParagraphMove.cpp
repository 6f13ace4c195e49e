#include "cli/ParagraphMove.h"
#include "host/CmdUtils.h"
#include "host/IParagraphStrand.h"
#include "host/IStoryList.h"
#include "host/ITextModel.h"
#include "host/ITextModelCmds.h"
#include "host/InterfacePtr.h"
#include "model/IXRefCrossRef.h"
#include "model/IXRefCrossRefList.h"

namespace {
InterfacePtr<IParagraphStrand> ParagraphsOf(IDataBase* doc, UID story) {
  InterfacePtr<ITextModel> model(doc, story, IID_ITEXTMODEL);
  return InterfacePtr<IParagraphStrand>(
      model ? static_cast<IParagraphStrand*>(model->QueryStrand(kParagraphStrandBoss, IID_IPARAGRAPHSTRAND))
            : nullptr);
}

std::string Count(int32 n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string Why(ErrorCode result) {
  if (result == kStoryLockedError) return "the story is locked";
  if (result == kMoveIntoItselfError) return "the destination lies inside the moved paragraph";
  return "the paragraph cannot be moved there";
}
// What the move would do to a cross-reference, or nothing: the next update
// replaces all that lies between its two markers, so a move must neither
// separate them nor put text between them.
std::string CutCrossRef(IDataBase* doc, UID from, TextIndex start, int32 length, UID to, TextIndex at) {
  InterfacePtr<IXRefCrossRefList> list(doc, kRootUID);
  for (int32 i = 0; list && i < list->GetCrossRefCount(); ++i) {
    InterfacePtr<IXRefCrossRef> x(list->QueryCrossRef(i));
    if (!x) continue;
    const UID story = x->GetStoryRef().GetUID();
    const TextIndex first = x->GetStartIndex() - 1, last = x->GetEndIndex();  // the markers
    const std::string which = "cross-reference " + std::to_string(i + 1);  // as describe numbers them
    const bool firstMoves = first >= start && first < start + length;
    const bool lastMoves = last >= start && last < start + length;
    if (story == from && firstMoves != lastMoves) return "it would cut " + which + " in two";
    if (story == to && at > first && at <= last) return "the destination lies inside the text of " + which;
  }
  return std::string();
}
}  // namespace

bool MoveParagraph(DataBase* doc, const DocumentEdit& e, std::string* error) {
  const std::string what = "move-paragraph " + std::to_string(e.story) + ":" + std::to_string(e.at) + ":" +
                           std::to_string(e.toStory) + ":" + std::to_string(e.before);
  InterfacePtr<IStoryList> stories(doc, kRootUID, IID_ISTORYLIST);
  const int32 storyCount = stories ? stories->GetStoryCount() : 0;
  if (e.story >= storyCount || e.toStory >= storyCount) {
    *error = what + ": the document has " + Count(storyCount, "story", "stories");
    return false;
  }
  const UID from = stories->GetNthStoryUID(e.story), to = stories->GetNthStoryUID(e.toStory);
  InterfacePtr<IParagraphStrand> source(ParagraphsOf(doc, from)), target(ParagraphsOf(doc, to));
  InterfacePtr<ITextModelCmds> cmds(doc, from, IID_ITEXTMODELCMDS);
  if (!source || !target || !cmds) {
    *error = what + ": the story cannot be edited";
    return false;
  }
  const int32 sourceCount = source->GetParagraphCount(), targetCount = target->GetParagraphCount();
  if (e.at >= sourceCount) {
    *error = what + ": story " + std::to_string(e.story) + " has " + Count(sourceCount, "paragraph", "paragraphs");
    return false;
  }
  if (e.at == sourceCount - 1) {
    *error = what + ": paragraph " + std::to_string(e.at) +
             " is the story's last, whose return ends the story; it stays (move the others around it)";
    return false;
  }
  if (e.before >= targetCount) {
    *error = what + ": story " + std::to_string(e.toStory) + " has " + Count(targetCount, "paragraph", "paragraphs") +
             " (counted from 0); a paragraph goes in front of one of them, never behind the last";
    return false;
  }
  int32 length = 0;
  const TextIndex start = source->GetNthParagraphStart(e.at, &length);
  const TextIndex at = target->GetNthParagraphStart(e.before);
  const std::string cut = CutCrossRef(doc, from, start, length, to, at);
  if (!cut.empty()) {
    *error = what + ": " + cut;
    return false;
  }
  InterfacePtr<ICommand> move(cmds->MoveCmd(start, length, to, at));
  const ErrorCode result = move ? CmdUtils::ProcessCommand(move.get()) : kInvalidParameterError;
  if (result == kSuccess) return true;
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  *error = what + ": " + Why(result);
  return false;
}
