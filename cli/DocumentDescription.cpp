#include "cli/DocumentDescription.h"
#include "headless/database/SafeFile.h"
#include "headless/text/DocumentBuilder.h"
#include "headless/layout/LayoutBuilder.h"
#include "host/IFootnote.h"
#include "host/ILayout.h"
#include "host/ITextModel.h"
#include "host/ITextVariable.h"
#include "host/InterfacePtr.h"
#include "host/TextAttr.h"
#include <algorithm>
#include <cmath>
#include <set>

using nlohmann::json;

namespace {
// A failure with the path of the value at fault ("stories[0].paragraphs[2]").
struct Failure {
  std::string message;
};

class Reader {
public:
  Reader(DataBase* doc, std::vector<Placeholder>* placeholders)
      : b_(doc), layout_(doc), placeholders_(placeholders) {}

  void Document(const json& root) {
    Object(root, "",
           {"version", "fonts", "swatches", "languages", "defaultFont", "defaultLanguage", "characterStyles",
            "paragraphStyles", "spreads", "sections", "chapterNumber", "footnotes", "textVariables", "stories",
            "formats", "basicFormats"});  // formats are read by the cross-reference steps
    if (root.contains("version") && root["version"] != 1) Fail("version", "only version 1 is known");
    for (size_t i = 0; i < Array(root, "fonts").size(); ++i) Font(root["fonts"][i], Index("fonts", i));
    for (size_t i = 0; i < Array(root, "swatches").size(); ++i) Swatch(root["swatches"][i], Index("swatches", i));
    for (size_t i = 0; i < Array(root, "languages").size(); ++i) {
      std::string where = Index("languages", i);
      std::string name = String(root["languages"][i], where);
      if (b_.AddLanguage(name) == kInvalidUID) Fail(where, "language '" + name + "' is listed twice");
      if (i == 0) defaultLanguage_ = name;
    }
    BaseAttributes(root);
    for (size_t i = 0; i < Array(root, "characterStyles").size(); ++i)
      Style(root["characterStyles"][i], Index("characterStyles", i), false);
    for (size_t i = 0; i < Array(root, "paragraphStyles").size(); ++i)
      Style(root["paragraphStyles"][i], Index("paragraphStyles", i), true);
    for (size_t i = 0; i < Array(root, "spreads").size(); ++i) Spread(root["spreads"][i], Index("spreads", i));
    for (size_t i = 0; i < Array(root, "sections").size(); ++i) SectionAt(root["sections"][i], Index("sections", i));
    if (root.contains("chapterNumber")) Chapter(root["chapterNumber"], "chapterNumber");
    if (root.contains("footnotes")) Footnotes(root["footnotes"], "footnotes");
    for (size_t i = 0; i < Array(root, "textVariables").size(); ++i)
      Variable(root["textVariables"][i], Index("textVariables", i));
    for (size_t i = 0; i < Array(root, "stories").size(); ++i) Story(root["stories"][i], Index("stories", i));
  }

private:
  [[noreturn]] static void Fail(const std::string& where, const std::string& why) {
    throw Failure{(where.empty() ? std::string("description") : where) + ": " + why};
  }
  static std::string Index(const std::string& where, size_t i) { return where + "[" + std::to_string(i) + "]"; }
  static std::string Field(const std::string& where, const std::string& key) {
    return where.empty() ? key : where + "." + key;
  }

  static void Object(const json& v, const std::string& where, std::set<std::string> allowed) {
    if (!v.is_object()) Fail(where, "expected an object");
    for (auto it = v.begin(); it != v.end(); ++it)
      if (!allowed.count(it.key())) Fail(Field(where, it.key()), "unknown field");
  }
  static const json& Array(const json& parent, const char* key, const std::string& where = "") {
    static const json kEmpty = json::array();
    if (!parent.contains(key)) return kEmpty;
    if (!parent[key].is_array()) Fail(Field(where, key), "expected an array");
    return parent[key];
  }
  static std::string String(const json& v, const std::string& where) {
    if (!v.is_string()) Fail(where, "expected a string");
    return v.get<std::string>();
  }
  static bool Bool(const json& v, const std::string& where) {
    if (!v.is_boolean()) Fail(where, "expected true or false");
    return v.get<bool>();
  }
  static int32 Choice(const json& v, const std::string& where, std::vector<const char*> names) {
    std::string name = String(v, where);
    for (size_t i = 0; i < names.size(); ++i)
      if (name == names[i]) return static_cast<int32>(i);
    std::string list;
    for (const char* n : names) list += std::string(list.empty() ? "" : ", ") + n;
    Fail(where, "'" + name + "' is none of " + list);
  }

  void Font(const json& v, const std::string& where) {
    Object(v, where, {"family", "styles"});
    if (!v.contains("family")) Fail(where, "a font needs a family");
    std::string family = String(v["family"], Field(where, "family"));
    std::vector<std::string> styles;
    for (size_t i = 0; i < Array(v, "styles", where).size(); ++i)
      styles.push_back(String(v["styles"][i], Index(Field(where, "styles"), i)));
    if (b_.AddFont(family, styles) == kInvalidUID) Fail(where, "font family '" + family + "' is listed twice");
    if (defaultFont_.empty()) defaultFont_ = family;
  }

  void Swatch(const json& v, const std::string& where) {
    Object(v, where, {"name", "rgb"});
    if (!v.contains("name")) Fail(where, "a swatch needs a name");
    std::string name = String(v["name"], Field(where, "name"));
    uint32 rgb = 0;
    if (v.contains("rgb")) {
      std::string hex = String(v["rgb"], Field(where, "rgb"));
      if (hex.size() != 7 || hex[0] != '#' || hex.find_first_not_of("0123456789abcdefABCDEF", 1) != std::string::npos)
        Fail(Field(where, "rgb"), "expected a colour like \"#FF8800\"");
      rgb = static_cast<uint32>(std::stoul(hex.substr(1), nullptr, 16));
    }
    if (b_.AddSwatch(name, rgb) == kInvalidUID) Fail(where, "swatch '" + name + "' cannot be made");
  }

  // The root paragraph style carries the document's default font and language.
  void BaseAttributes(const json& root) {
    if (root.contains("defaultFont")) defaultFont_ = String(root["defaultFont"], "defaultFont");
    if (root.contains("defaultLanguage")) defaultLanguage_ = String(root["defaultLanguage"], "defaultLanguage");
    AttributeBossList base;
    if (!defaultFont_.empty()) base.ApplyAttribute(TextAttr::Font(FontNamed(defaultFont_, "defaultFont")));
    if (!defaultLanguage_.empty())
      base.ApplyAttribute(TextAttr::Language(LanguageNamed(defaultLanguage_, "defaultLanguage")));
    if (base.CountBosses() > 0) b_.SetBaseAttributes(base);
  }

  static UID Lookup(UID found, const std::string& where, const char* what, const std::string& name) {
    if (found == kInvalidUID) Fail(where, std::string("no ") + what + " named '" + name + "'");
    return found;
  }

  AttributeBossList Attributes(const json& v, const std::string& where) {
    Object(v, where,
           {"font", "fontStyle", "pointSize", "color", "underline", "strikethrough", "noBreak", "position",
            "capitalization", "language"});
    AttributeBossList list;
    for (auto it = v.begin(); it != v.end(); ++it)
      list.ApplyAttribute(Attribute(it.key(), *it, Field(where, it.key())));
    return list;
  }

  TextAttribute Attribute(const std::string& key, const json& v, const std::string& at) {
    if (key == "font") return TextAttr::Font(FontNamed(v, at));
    if (key == "fontStyle") return TextAttr::FontStyle(PMString(String(v, at)));
    if (key == "color") return TextAttr::FillColor(SwatchNamed(v, at));
    if (key == "underline") return TextAttr::Underline(Bool(v, at));
    if (key == "strikethrough") return TextAttr::Strikethrough(Bool(v, at));
    if (key == "noBreak") return TextAttr::NoBreak(Bool(v, at));
    if (key == "position") return TextAttr::Position(Choice(v, at, {"normal", "superscript", "subscript"}));
    if (key == "capitalization") return TextAttr::Capitalization(Choice(v, at, {"normal", "smallCaps", "allCaps"}));
    if (key == "language") return TextAttr::Language(LanguageNamed(v, at));
    if (!v.is_number() || v.get<double>() <= 0 || v.get<double>() > 10000) Fail(at, "expected a size in points");
    return TextAttr::PointSize(v.get<double>());
  }

  UID FontNamed(const json& v, const std::string& at) {
    std::string name = String(v, at);
    return Lookup(b_.FindFont(name), at, "font", name);
  }
  UID SwatchNamed(const json& v, const std::string& at) {
    std::string name = String(v, at);
    return Lookup(b_.FindSwatch(name), at, "swatch", name);
  }
  UID LanguageNamed(const json& v, const std::string& at) {
    std::string name = String(v, at);
    return Lookup(b_.FindLanguage(name), at, "language", name);
  }

  static int32 Numbering(const json& v, const std::string& where) {
    return Choice(v, where, {"none", "bullets", "numbered"});
  }

  void Style(const json& v, const std::string& where, bool paragraph) {
    Object(v, where,
           paragraph ? std::set<std::string>{"name", "attributes", "numbering", "list", "level", "format"}
                     : std::set<std::string>{"name", "attributes"});
    if (!v.contains("name")) Fail(where, "a style needs a name");
    std::string name = String(v["name"], Field(where, "name"));
    AttributeBossList attrs;
    if (v.contains("attributes")) attrs = Attributes(v["attributes"], Field(where, "attributes"));
    UID made = paragraph
                   ? b_.AddParagraphStyle(
                         name, attrs,
                         v.contains("numbering") ? Numbering(v["numbering"], Field(where, "numbering")) : kNoNumbering)
                   : b_.AddCharacterStyle(name, attrs);
    if (made == kInvalidUID) Fail(where, "style '" + name + "' is listed twice or has an empty name");
    if (!paragraph || !(v.contains("list") || v.contains("level") || v.contains("format"))) return;
    std::string list = v.contains("list") ? String(v["list"], Field(where, "list")) : std::string();
    int32 level = v.contains("level") ? Integer(v["level"], Field(where, "level"), 1, 9) : 1;
    std::string format = v.contains("format") ? String(v["format"], Field(where, "format")) : std::string("^1.");
    layout_.SetNumbering(made, list, level, format);
  }

  static int32 Integer(const json& v, const std::string& where, int32 min, int32 max) {
    if (!v.is_number_integer() || v.get<int64_t>() < min || v.get<int64_t>() > max)
      Fail(where, "expected a whole number from " + std::to_string(min) + " to " + std::to_string(max));
    return static_cast<int32>(v.get<int64_t>());
  }

  static double Coordinate(const json& v, const std::string& where) {
    if (!v.is_number() || std::fabs(v.get<double>()) > 1e6) Fail(where, "expected a position in points");
    return v.get<double>();
  }

  static int32 NumberStyle(const json& v, const std::string& where) {
    return Choice(v, where, {"arabic", "upperRoman", "lowerRoman", "upperLetters", "lowerLetters"});
  }

  void Spread(const json& v, const std::string& where) {
    Object(v, where, {"pages"});
    int32 pages = v.contains("pages") ? Integer(v["pages"], Field(where, "pages"), 1, 2) : 1;
    if (layout_.AddSpread(pages) == kInvalidUID) Fail(where, "the spread cannot be made");
  }

  void SectionAt(const json& v, const std::string& where) {
    Object(v, where, {"startPage", "start", "style", "prefix"});
    Section section;
    section.startPage = v.contains("startPage") ? Integer(v["startPage"], Field(where, "startPage"), 0, 100000) : 0;
    if (layout_.PageUID(section.startPage) == kInvalidUID) Fail(Field(where, "startPage"), "no such page");
    if (v.contains("start")) section.startNumber = Integer(v["start"], Field(where, "start"), 1, 1000000);
    if (v.contains("style")) section.style = NumberStyle(v["style"], Field(where, "style"));
    if (v.contains("prefix")) section.prefix = PMString(String(v["prefix"], Field(where, "prefix")));
    layout_.AddSection(section);
  }

  void Chapter(const json& v, const std::string& where) {
    Object(v, where, {"number", "style"});
    int32 number = v.contains("number") ? Integer(v["number"], Field(where, "number"), 0, 1000000) : 1;
    int32 style = v.contains("style") ? NumberStyle(v["style"], Field(where, "style")) : 0;
    layout_.SetChapterNumber(number, style);
  }

  void Footnotes(const json& v, const std::string& where) {
    Object(v, where, {"style", "start", "referencePrefix", "referenceSuffix", "footnotePrefix", "footnoteSuffix",
                      "separator"});
    auto text = [&](const char* key, const char* fallback) {
      return v.contains(key) ? String(v[key], Field(where, key)) : std::string(fallback);
    };
    layout_.SetFootnoteSettings(v.contains("style") ? NumberStyle(v["style"], Field(where, "style")) : 0,
                                v.contains("start") ? Integer(v["start"], Field(where, "start"), 0, 1000000) : 1,
                                text("referencePrefix", ""), text("referenceSuffix", ""), text("footnotePrefix", ""),
                                text("footnoteSuffix", ""), text("separator", "\t"));
  }

  void Variable(const json& v, const std::string& where) {
    Object(v, where, {"name", "text"});
    if (!v.contains("name")) Fail(where, "a text variable needs a name");
    std::string name = String(v["name"], Field(where, "name"));
    std::string text = v.contains("text") ? String(v["text"], Field(where, "text")) : std::string();
    if (layout_.AddTextVariable(name, text) == kInvalidUID) Fail(where, "text variable '" + name + "' is listed twice");
  }

  void Frame(const json& v, const std::string& where, UID story) {
    Object(v, where, {"page", "pasteboard", "columns", "lines", "x", "y"});
    UID parent = kInvalidUID;
    if (v.contains("page") == v.contains("pasteboard")) Fail(where, "a frame is on a page or on a spread's pasteboard");
    if (v.contains("page")) parent = layout_.PageUID(Integer(v["page"], Field(where, "page"), 0, 100000));
    else parent = layout_.SpreadUID(Integer(v["pasteboard"], Field(where, "pasteboard"), 0, 100000));
    if (parent == kInvalidUID) Fail(where, "no such page or spread");
    int32 columns = v.contains("columns") ? Integer(v["columns"], Field(where, "columns"), 1, 10000) : 40;
    int32 lines = v.contains("lines") ? Integer(v["lines"], Field(where, "lines"), 1, 10000) : 40;
    double x = v.contains("x") ? Coordinate(v["x"], Field(where, "x")) : 0;
    double y = v.contains("y") ? Coordinate(v["y"], Field(where, "y")) : 0;
    if (layout_.AddTextFrame(parent, story, columns, lines, x, y) == kInvalidUID) Fail(where, "the frame cannot be made");
  }

  void Story(const json& v, const std::string& where) {
    Object(v, where, {"locked", "paragraphs", "frames"});
    UID story = b_.NewStory();
    if (story == kInvalidUID) Fail(where, "the story cannot be made");
    for (size_t i = 0; i < Array(v, "frames", where).size(); ++i)
      Frame(v["frames"][i], Index(Field(where, "frames"), i), story);
    const json& paragraphs = Array(v, "paragraphs", where);
    if (paragraphs.empty()) b_.AddParagraph(story);
    for (size_t i = 0; i < paragraphs.size(); ++i)
      Paragraph(paragraphs[i], Index(Field(where, "paragraphs"), i), story);
    if (v.contains("locked")) b_.SetLocked(story, Bool(v["locked"], Field(where, "locked")));
  }

  void Paragraph(const json& v, const std::string& where, UID story) {
    if (v.is_string()) {
      b_.AddParagraph(story);
      Run(v, where, story);
      return;
    }
    Object(v, where, {"style", "numbering", "runs"});
    UID style = kInvalidUID;
    if (v.contains("style")) {
      std::string name = String(v["style"], Field(where, "style"));
      style = Lookup(b_.FindParagraphStyle(name), Field(where, "style"), "paragraph style", name);
    }
    int32 numbering = v.contains("numbering") ? Numbering(v["numbering"], Field(where, "numbering")) : -1;
    if (!b_.AddParagraph(story, style, numbering)) Fail(where, "the paragraph cannot be added");
    const json& runs = Array(v, "runs", where);
    for (size_t i = 0; i < runs.size(); ++i) Run(runs[i], Index(Field(where, "runs"), i), story);
  }

  void Run(const json& v, const std::string& where, UID story) {
    if (v.is_string()) return Text(v.get<std::string>(), where, story, kInvalidUID, AttributeBossList());
    Object(v, where,
           {"text", "style", "attributes", "language", "sourceMarker", "crossReference", "footnote", "variable",
            "textAnchor", "nativeCrossReference"});
    if (v.contains("footnote") || v.contains("variable")) return Anchored(v, where, story);
    for (const char* kind : {"sourceMarker", "crossReference", "textAnchor", "nativeCrossReference"}) {
      if (!v.contains(kind)) continue;
      if (v.size() != 1) Fail(where, std::string("a ") + kind + " stands alone in its run");
      if (!v[kind].is_object()) Fail(Field(where, kind), "expected an object");
      InterfacePtr<ITextModel> model(b_.GetDataBase(), story, IID_ITEXTMODEL);
      placeholders_->push_back({kind, story, model->TotalLength() - 1, v[kind], Field(where, kind)});
      return;
    }
    if (!v.contains("text")) Fail(where, "a run needs text");
    UID style = kInvalidUID;
    if (v.contains("style")) {
      std::string name = String(v["style"], Field(where, "style"));
      style = Lookup(b_.FindCharacterStyle(name), Field(where, "style"), "character style", name);
    }
    AttributeBossList overrides;
    if (v.contains("attributes")) overrides = Attributes(v["attributes"], Field(where, "attributes"));
    if (v.contains("language"))
      overrides.ApplyAttribute(TextAttr::Language(LanguageNamed(v["language"], Field(where, "language"))));
    Text(String(v["text"], Field(where, "text")), Field(where, "text"), story, style, overrides);
  }

  // A footnote reference or a text variable, inserted where the next text goes.
  void Anchored(const json& v, const std::string& where, UID story) {
    if (v.size() != 1) Fail(where, "a footnote or variable stands alone in its run");
    InterfacePtr<ITextModel> model(b_.GetDataBase(), story, IID_ITEXTMODEL);
    TextIndex at = model->TotalLength() - 1;
    if (v.contains("footnote")) return Footnote(v["footnote"], Field(where, "footnote"), story, at);
    std::string name = String(v["variable"], Field(where, "variable"));
    InterfacePtr<ITextVariableList> vars(b_.GetDataBase(), kRootUID, IID_ITEXTVARIABLELIST);
    UID var = vars ? vars->FindByName(PMString(name)) : kInvalidUID;
    if (var == kInvalidUID) Fail(Field(where, "variable"), "no text variable named '" + name + "'");
    if (layout_.InsertTextVariable(story, at, var) == kInvalidUID) Fail(where, "the variable cannot be placed");
  }

  // A footnote's text is a string or a list of runs (placeholders among
  // them), all in its one paragraph.
  void Footnote(const json& v, const std::string& where, UID story, TextIndex at) {
    InterfacePtr<IHierarchy> owner(b_.GetDataBase(), story, IID_IHIERARCHY);
    if (owner && owner->GetParentUID() != kInvalidUID) Fail(where, "a footnote cannot hold a footnote");
    if (!v.is_string() && !v.is_array()) Fail(where, "expected a string or a list of runs");
    std::string text = v.is_string() ? v.get<std::string>() : std::string();
    if (text.find('\r') != std::string::npos) Fail(where, "a footnote holds one paragraph");
    const UID note = layout_.AddFootnote(story, at, WideString::FromUTF8(text));
    if (note == kInvalidUID) Fail(where, "the footnote cannot be made");
    if (v.is_string()) return;
    InterfacePtr<IFootnote> footnote(b_.GetDataBase(), note, IID_IFOOTNOTE);
    for (size_t i = 0; i < v.size(); ++i) Run(v[i], Index(where, i), footnote->GetFootnoteStoryUID());
  }

  void Text(const std::string& utf8, const std::string& where, UID story, UID style,
            const AttributeBossList& overrides) {
    if (utf8.find('\r') != std::string::npos)
      Fail(where, "a paragraph return (\\r) in a run: start a new paragraph instead");
    if (utf8.empty()) return;
    if (b_.AddRun(story, WideString::FromUTF8(utf8), style, overrides) < 0) Fail(where, "the text cannot be added");
  }

  DocumentBuilder b_;
  LayoutBuilder layout_;
  std::vector<Placeholder>* placeholders_;
  std::string defaultFont_, defaultLanguage_;
};
}  // namespace

namespace {
// Builds the value like the library's own parser, but keeps the place and
// cause of any error instead of throwing (numbers too large for a double
// among them).
struct CheckedParse : nlohmann::detail::json_sax_dom_parser<json> {
  explicit CheckedParse(json& root) : json_sax_dom_parser(root, false) {}
  bool parse_error(std::size_t position, const std::string&, const nlohmann::detail::exception& e) {
    failed = true;
    at = position;
    why = e.what();
    return false;
  }
  bool failed = false;
  std::size_t at = 0;
  std::string why;
};

std::string LineAndColumn(const std::string& text, std::size_t at) {
  at = std::min(at, text.size());
  std::size_t line = 1, column = 1;
  for (std::size_t i = 0; i < at; ++i, ++column) {
    if (text[i] != '\n') continue;
    ++line;
    column = 0;
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}
}  // namespace

bool ReadDescription(const std::string& path, json* out, std::string* error) {
  std::string text;
  if (!SafeFile::Read(path, &text, error)) return false;
  json root;
  CheckedParse sax(root);
  bool ok = json::sax_parse(text, &sax) && !sax.failed;
  if (!ok) {
    *error = path + ": at " + LineAndColumn(text, sax.at) + ": " + sax.why;
    return false;
  }
  *out = std::move(root);
  return true;
}

bool BuildDocument(const json& description, DataBase* doc, std::vector<Placeholder>* placeholders, std::string* error) {
  std::vector<Placeholder> found;
  try {
    Reader(doc, &found).Document(description);
  } catch (const Failure& f) {
    *error = f.message;
    return false;
  } catch (const json::exception& e) {
    *error = std::string("description: ") + e.what();
    return false;
  }
  if (placeholders) *placeholders = std::move(found);
  return true;
}
