#include "data/import/XmlReader.h"

#include <cstring>
#include <expat.h>

// Expat's handlers reach the reader's own functions through this bridge.
class XmlBridge : public XmlReader {
public:
    static void start(void* r, const char* n, const char** a) { static_cast<XmlBridge*>(r)->startElement(n, a); }
    static void end(void* r, const char* n) { static_cast<XmlBridge*>(r)->endElement(n); }
    static void chars(void* r, const char* t, int l) { static_cast<XmlBridge*>(r)->text({t, size_t(l)}); }
    static void refuse(void* r) { static_cast<XmlBridge*>(r)->abandon(); }
};

namespace {

void XMLCALL onStart(void* reader, const XML_Char* name, const XML_Char** attributes)
{
    XmlBridge::start(reader, name, attributes);
}
void XMLCALL onEnd(void* reader, const XML_Char* name) { XmlBridge::end(reader, name); }
void XMLCALL onText(void* reader, const XML_Char* text, int length) { XmlBridge::chars(reader, text, length); }

void XMLCALL onDoctype(void* reader, const XML_Char*, const XML_Char*, const XML_Char*, int) { XmlBridge::refuse(reader); }

}

XmlReader::XmlReader(const std::atomic_bool& cancelled)
    : m_parser(XML_ParserCreate("UTF-8"))
    , m_cancelled(cancelled)
{
    XML_SetUserData(m_parser, this);
    XML_SetElementHandler(m_parser, onStart, onEnd);
    XML_SetCharacterDataHandler(m_parser, onText);
    XML_SetStartDoctypeDeclHandler(m_parser, onDoctype);
}

XmlReader::~XmlReader()
{
    XML_ParserFree(m_parser);
}

void XmlReader::stop()
{
    m_stopped = true;
    XML_StopParser(m_parser, XML_FALSE);
}

void XmlReader::abandon() { XML_StopParser(m_parser, XML_FALSE); }

XmlReader::Result XmlReader::read(QIODevice& part)
{
    constexpr int Chunk = 64 * 1024;
    for (;;) {
        if (m_cancelled.load(std::memory_order_relaxed))
            return Result::Stopped;
        void* buffer = XML_GetBuffer(m_parser, Chunk);
        if (!buffer)
            return Result::Damaged;
        const qint64 got = part.read(static_cast<char*>(buffer), Chunk);
        if (got < 0)
            return Result::Damaged;
        if (XML_ParseBuffer(m_parser, int(got), got == 0) == XML_STATUS_ERROR)
            return m_stopped ? Result::Stopped : Result::Damaged;
        if (got == 0)
            return Result::Done;
    }
}

std::string_view XmlReader::attribute(const char** attributes, const char* name)
{
    for (; *attributes; attributes += 2)
        if (std::strcmp(name, attributes[0]) == 0)
            return attributes[1];
    return {};
}

std::string_view XmlReader::localName(std::string_view name)
{
    const size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

qint64 numberIn(std::string_view digits)
{
    if (digits.empty() || digits.size() > 15)
        return -1;
    qint64 value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}
