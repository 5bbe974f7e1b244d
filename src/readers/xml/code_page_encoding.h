// A Windows code page as an encoding the XML parser can read.
#pragma once

#include <expat.h>

#include "platform/code_page.h"

// Fills the parser's description of an encoding it does not know itself from
// the code page, which must outlive the parse: each byte is a character or,
// when it is a lead byte, starts a two-byte one. A byte that is no character
// of the page, or a lead byte before NUL, makes the text not well-formed.
// False for a page that does not keep ASCII where XML needs it.
[[nodiscard]] bool DescribeCodePageEncoding(const platform::CodePage& codePage,
                                            XML_Encoding& encoding);
