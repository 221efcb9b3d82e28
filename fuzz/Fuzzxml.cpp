// Any bytes as the text of an XML element, as file names reach pagora-info's picture: the
// element parses as well-formed XML, and the text read back escapes to the very same markup.
#include "XmlText.h"

#include <cstdint>
#include <cstdlib>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <string>
#include <string_view>

using namespace pagora::info;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string escaped =
        XmlText(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string xml = "<t>" + escaped + "</t>";
    xmlDoc* doc = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), nullptr, "UTF-8",
                                XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    if (doc == nullptr) {
        std::abort();
    }
    xmlChar* content = xmlNodeGetContent(xmlDocGetRootElement(doc));
    const std::string back = content != nullptr ? reinterpret_cast<const char*>(content) : "";
    xmlFree(content);
    xmlFreeDoc(doc);
    if (XmlText(back) != escaped) {
        std::abort();
    }
    return 0;
}
