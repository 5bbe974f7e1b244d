// The XML parser, set up so that a source can never make it fetch anything or
// expand an entity, handing each element to a reader as it goes by.
#pragma once

#include <expat.h>

#include <exception>
#include <memory>
#include <string>
#include <string_view>

#include "platform/code_page.h"
#include "readers/xml/xml_content_handler.h"

class XmlStreamParser {
 public:
  // forcedEncoding: the encoding the bytes are in whatever the document
  // declares; null: by the declaration, else UTF-8 (or UTF-16 by its form).
  // Raises std::bad_alloc when there is no memory for the parser.
  XmlStreamParser(XmlContentHandler& handler, const char* forcedEncoding);
  ~XmlStreamParser();
  XmlStreamParser(const XmlStreamParser&) = delete;
  XmlStreamParser& operator=(const XmlStreamParser&) = delete;

  // The next bytes of the document; false once it has failed. An exception
  // the handler raised comes out here, and so does std::bad_alloc when the
  // parser runs out of memory.
  [[nodiscard]] bool Parse(std::string_view bytes);
  // The document ends here; false when it is not complete or has failed.
  [[nodiscard]] bool Finish();

  // The root element has been closed.
  [[nodiscard]] bool RootClosed() const { return rootClosed_; }
  // Why the document failed: "line N: " and the parser's words or nesting
  // deeper than 1000 elements, or what else in it we refuse (an external DTD,
  // an entity declaration).
  [[nodiscard]] const std::string& FailureDetail() const { return failureDetail_; }

 private:
  bool Feed(const char* bytes, int length, bool last);
  void Refuse(std::string why);
  [[nodiscard]] std::string AtCurrentLine(std::string_view words) const;
  void Stop();
  bool Stopped() const { return stopped_; }
  // Hands text over only while the handler wants it.
  void FollowTextWish();

  static void XMLCALL OnStartElement(void* data, const XML_Char* name, const XML_Char** attributes);
  static void XMLCALL OnEndElement(void* data, const XML_Char* name);
  static void XMLCALL OnCharacterData(void* data, const XML_Char* text, int length);
  static void XMLCALL OnXmlDecl(void* data, const XML_Char* version, const XML_Char* encoding,
                                int standalone);
  static void XMLCALL OnStartDoctype(void* data, const XML_Char* name, const XML_Char* systemId,
                                     const XML_Char* publicId, int hasInternalSubset);
  static void XMLCALL OnEndDoctype(void* data);
  static void XMLCALL OnDoctypeMarkup(void* data, const XML_Char* text, int length);
  static void XMLCALL OnEntityDecl(void* data, const XML_Char* name, int isParameterEntity,
                                   const XML_Char* value, int valueLength, const XML_Char* base,
                                   const XML_Char* systemId, const XML_Char* publicId,
                                   const XML_Char* notationName);
  static int XMLCALL OnNotStandalone(void* data);
  static int XMLCALL OnUnknownEncoding(void* data, const XML_Char* name, XML_Encoding* info);

  XmlContentHandler& handler_;
  XML_Parser parser_ = nullptr;
  std::unique_ptr<platform::CodePage> codePage_;  // for an encoding read through our code pages
  int depth_ = 0;
  bool rootClosed_ = false;
  bool stopped_ = false;
  bool failed_ = false;
  bool notStandalone_ = false;
  bool textHandlerSet_ = false;
  std::string failureDetail_;
  std::exception_ptr handlerError_;
};
