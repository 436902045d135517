#pragma once

#include <QIODevice>
#include <atomic>
#include <string_view>

struct XML_ParserStruct;

// An XML part read as it unpacks, with expat: element and attribute names
// arrive as written ("table:table-cell", "c"), text in pieces. Namespaces are
// not resolved: that would double the cost of a sheet's many attributes, and
// every writer declares its prefixes once, at the root.
// A document type is refused: no spreadsheet part has one, and entities are
// where XML hides its bombs.
class XmlReader {
public:
    enum class Result { Done, Damaged, Stopped };

    explicit XmlReader(const std::atomic_bool& cancelled);
    virtual ~XmlReader();
    XmlReader(const XmlReader&) = delete;
    XmlReader& operator=(const XmlReader&) = delete;

    // Reads the whole part; Stopped when stop() was called or the user cancelled.
    Result read(QIODevice& part);

protected:
    virtual void startElement(std::string_view name, const char** attributes) = 0;
    virtual void endElement(std::string_view name) = 0;
    virtual void text(std::string_view) {}
    // Ends the reading after the current element.
    void stop();
    // Ends the reading as damaged.
    void abandon();

    // The value of an attribute by its name as written, or empty.
    static std::string_view attribute(const char** attributes, const char* name);
    // The part of a name after its prefix.
    static std::string_view localName(std::string_view name);

private:
    XML_ParserStruct* m_parser; // expat's XML_Parser, without its header here
    const std::atomic_bool& m_cancelled;
    bool m_stopped = false;
};

// Digits as a number; nothing else in them (an empty view gives -1).
qint64 numberIn(std::string_view digits);
