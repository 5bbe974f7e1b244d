// The expat parser behind the XML readers. Every source is untrusted: a DTD
// may name no external file and declare no entity, so nothing is ever fetched
// and nothing expands; the document is never held in memory.
#include "readers/xml/xml_stream_parser.h"

#include <climits>
#include <new>
#include <utility>

#include "readers/xml/code_page_encoding.h"
#include "readers/xml/xml_encoding_names.h"

namespace {

// Deeper documents are refused: none of these systems nests more than a few
// elements, and the parser keeps every open one.
constexpr int kMaxDepth = 1000;

XmlStreamParser& Self(void* data) { return *static_cast<XmlStreamParser*>(data); }

// "1." and digits, as XML 1.0 reads every 1.x document.
bool IsXmlVersionOne(std::string_view version) {
  if (!version.starts_with("1.")) return false;
  for (char c : version.substr(2)) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

XmlStreamParser::XmlStreamParser(XmlContentHandler& handler, const char* forcedEncoding)
    : handler_(handler), parser_(XML_ParserCreate(forcedEncoding)) {
  if (!parser_) throw std::bad_alloc();
  XML_SetUserData(parser_, this);
  XML_SetParamEntityParsing(parser_, XML_PARAM_ENTITY_PARSING_NEVER);
  // A start tag that arrives in many pieces is parsed once, not again with
  // every piece (the default; the build asks for an expat that has it).
  XML_SetReparseDeferralEnabled(parser_, XML_TRUE);
  XML_SetElementHandler(parser_, OnStartElement, OnEndElement);
  FollowTextWish();
  XML_SetXmlDeclHandler(parser_, OnXmlDecl);
  XML_SetDoctypeDeclHandler(parser_, OnStartDoctype, OnEndDoctype);
  XML_SetEntityDeclHandler(parser_, OnEntityDecl);
  XML_SetNotStandaloneHandler(parser_, OnNotStandalone);
  XML_SetUnknownEncodingHandler(parser_, OnUnknownEncoding, this);
}

XmlStreamParser::~XmlStreamParser() { XML_ParserFree(parser_); }

bool XmlStreamParser::Parse(std::string_view bytes) {
  while (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
    if (!Feed(bytes.data(), INT_MAX, false)) return false;
    bytes.remove_prefix(INT_MAX);
  }
  return Feed(bytes.data(), static_cast<int>(bytes.size()), false);
}

bool XmlStreamParser::Finish() { return Feed(nullptr, 0, true); }

bool XmlStreamParser::Feed(const char* bytes, int length, bool last) {
  if (failed_) return false;
  const XML_Status status = XML_Parse(parser_, bytes, length, last ? XML_TRUE : XML_FALSE);
  if (handlerError_) std::rethrow_exception(handlerError_);
  if (status == XML_STATUS_OK) return true;
  failed_ = true;
  if (!failureDetail_.empty()) return false;  // refused by one of the handlers
  const XML_Error error = XML_GetErrorCode(parser_);
  if (error == XML_ERROR_NO_MEMORY) throw std::bad_alloc();
  failureDetail_ = AtCurrentLine(XML_ErrorString(error));
  return false;
}

std::string XmlStreamParser::AtCurrentLine(std::string_view words) const {
  return "line " + std::to_string(XML_GetCurrentLineNumber(parser_)) + ": " + std::string(words);
}

void XmlStreamParser::Refuse(std::string why) {
  if (failureDetail_.empty()) failureDetail_ = std::move(why);
  Stop();
}

void XmlStreamParser::Stop() {
  if (stopped_) return;
  stopped_ = true;
  XML_StopParser(parser_, XML_FALSE);
}

void XmlStreamParser::FollowTextWish() {
  const bool wanted = handler_.WantsText();
  if (wanted == textHandlerSet_) return;
  XML_SetCharacterDataHandler(parser_, wanted ? OnCharacterData : nullptr);
  textHandlerSet_ = wanted;
}

void XMLCALL XmlStreamParser::OnStartElement(void* data, const XML_Char* name,
                                             const XML_Char** attributes) {
  XmlStreamParser& self = Self(data);
  if (self.Stopped()) return;
  try {
    if (self.depth_ == kMaxDepth) {
      self.Refuse(self.AtCurrentLine("nesting deeper than " + std::to_string(kMaxDepth) +
                                      " elements"));
      return;
    }
    ++self.depth_;
    // Attributes a DTD would add are left out: only what the tag says counts.
    const XmlAttributes specified(attributes, XML_GetSpecifiedAttributeCount(self.parser_));
    self.handler_.StartElement(self.depth_, name, specified);
    self.FollowTextWish();
  } catch (...) {
    self.handlerError_ = std::current_exception();
    self.Stop();
  }
}

void XMLCALL XmlStreamParser::OnEndElement(void* data, const XML_Char*) {
  XmlStreamParser& self = Self(data);
  if (self.Stopped()) return;
  try {
    self.handler_.EndElement(self.depth_);
    self.FollowTextWish();
  } catch (...) {
    self.handlerError_ = std::current_exception();
    self.Stop();
  }
  if (--self.depth_ == 0) self.rootClosed_ = true;
}

void XMLCALL XmlStreamParser::OnCharacterData(void* data, const XML_Char* text, int length) {
  XmlStreamParser& self = Self(data);
  if (self.Stopped()) return;
  try {
    self.handler_.Text(self.depth_, std::string_view(text, static_cast<std::size_t>(length)));
  } catch (...) {
    self.handlerError_ = std::current_exception();
    self.Stop();
  }
}

void XMLCALL XmlStreamParser::OnXmlDecl(void* data, const XML_Char* version, const XML_Char*,
                                        int) {
  if (version && !IsXmlVersionOne(version)) {
    Self(data).Refuse("the document is of an XML version other than 1.x");
  }
}

// The sources we read never use an external DTD or entities; refusing them
// shuts out external entities reading local files and expansion bombs.
void XMLCALL XmlStreamParser::OnStartDoctype(void* data, const XML_Char*, const XML_Char* systemId,
                                             const XML_Char* publicId, int) {
  XmlStreamParser& self = Self(data);
  if (systemId || publicId) {
    self.Refuse("the document type names an external DTD");
    return;
  }
  // Within the DTD, what no handler takes is looked at for parameter entity references.
  XML_SetDefaultHandlerExpand(self.parser_, OnDoctypeMarkup);
}

void XMLCALL XmlStreamParser::OnEndDoctype(void* data) {
  XmlStreamParser& self = Self(data);
  XML_SetDefaultHandlerExpand(self.parser_, nullptr);
  // Whatever made the DTD depend on more than itself and was not refused yet.
  if (self.notStandalone_) self.Refuse("the document refers to a parameter entity");
}

void XMLCALL XmlStreamParser::OnDoctypeMarkup(void* data, const XML_Char* text, int length) {
  const std::string_view markup(text, static_cast<std::size_t>(length));
  if (markup.size() > 2 && markup.front() == '%' && markup.back() == ';') {
    Self(data).Refuse("the document refers to a parameter entity");
  }
}

void XMLCALL XmlStreamParser::OnEntityDecl(void* data, const XML_Char*, int, const XML_Char*, int,
                                           const XML_Char*, const XML_Char*, const XML_Char*,
                                           const XML_Char*) {
  Self(data).Refuse("the document declares an entity");
}

// Called for an external DTD or a parameter entity reference, before the
// handlers that tell which; the end of the DTD refuses what they let through.
int XMLCALL XmlStreamParser::OnNotStandalone(void* data) {
  Self(data).notStandalone_ = true;
  return XML_STATUS_OK;
}

int XMLCALL XmlStreamParser::OnUnknownEncoding(void* data, const XML_Char* name,
                                               XML_Encoding* info) {
  XmlStreamParser& self = Self(data);
  try {
    const std::optional<unsigned> number = CodePageForEncodingName(name);
    if (!number) return XML_STATUS_ERROR;
    self.codePage_ = platform::CodePage::Open(*number);
    if (!self.codePage_ || !DescribeCodePageEncoding(*self.codePage_, *info)) {
      return XML_STATUS_ERROR;
    }
    return XML_STATUS_OK;
  } catch (...) {
    self.handlerError_ = std::current_exception();
    return XML_STATUS_ERROR;
  }
}
