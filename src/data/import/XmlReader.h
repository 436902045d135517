#pragma once

#include <QIODevice>
#include <atomic>
#include <pugixml.hpp>
#include <string>
#include <string_view>
#include <vector>

// An XML part read as it unpacks. A light scan cuts the stream after complete
// elements and pugixml parses each piece in place, so the reader hears the
// elements in order as from a stream and memory follows a sheet's rows, not
// the part. An element still open when its piece grows long is opened on its
// own (a sheet's table, a long cell) and closed when its end tag comes.
// Names arrive as written ("table:table-cell", "c"): namespaces are not
// resolved, every writer declares its prefixes once, at the root.
// A document type is refused: no spreadsheet part has one, and entities are
// where XML hides its bombs. Of an attribute value, character data or comment
// longer than any cell, only the first bytes are kept as it is read.
//
// Two rules for the readers built on it:
// - text() may come in several pieces for one text: a long text is handed on
//   as it unpacks, and a comment or character data splits it. Each piece
//   holds whole characters and whole references; join the pieces.
// - The node startElement() gets lives only during the call, and has
//   children only when its piece happened to be parsed whole: read its name
//   and attributes, never what lies below it.
class XmlReader {
public:
    enum class Result { Done, Damaged, Stopped };

    explicit XmlReader(const std::atomic_bool& cancelled);
    virtual ~XmlReader() = default;
    XmlReader(const XmlReader&) = delete;
    XmlReader& operator=(const XmlReader&) = delete;

    // Reads the whole part; Stopped when stop() was called or the user cancelled.
    Result read(QIODevice& part);

protected:
    // The element gives its attributes by their names as written.
    virtual void startElement(std::string_view name, pugi::xml_node element) = 0;
    virtual void endElement(std::string_view name) = 0;
    virtual void text(std::string_view) {}
    // Ends the reading after the current element.
    void stop() { m_stopped = true; }

    // The value of an attribute by its name as written, or empty.
    static std::string_view attribute(pugi::xml_node element, const char* name)
    {
        return element.attribute(name).value();
    }
    // The part of a name after its prefix.
    static std::string_view localName(std::string_view name);

private:
    // Where the scan stands at one depth of the piece not yet parsed.
    struct Level {
        size_t cut;         // the last place the piece could end at this depth
        size_t open = 0;    // the start tag that opened the next depth
        size_t openEnd = 0; // just after it
    };
    enum class Scan { Ok, Damaged, Stopped };

    Scan scan();
    Scan markupEnd(size_t at, size_t& end);
    Scan cutLongTag(size_t at);
    Scan endTag(size_t at, size_t end);
    Scan handOn();
    Scan parse(size_t end);
    Scan openFirstLevel();
    Scan walk(pugi::xml_node first);
    Scan topElement();
    void compact();
    Result finish();
    Level& outer() { return m_levels[m_outer]; }
    size_t depth() const { return m_levels.size() - m_outer; }

    const std::atomic_bool& m_cancelled;
    bool m_stopped = false;
    std::string m_buffer;
    size_t m_parsed = 0;  // what came before has been heard
    size_t m_scanned = 0; // where the scan goes on
    size_t m_resume = 0;  // within an unfinished tag or comment: where its end is looked for
    char m_quote = 0;     // within an unfinished tag: the quote of the value it is in
    size_t m_valueStart = 0; // and where that value began
    std::vector<Level> m_levels{Level{0}}; // from m_outer on: the outermost depth first
    size_t m_outer = 0;
    std::vector<std::string> m_open; // elements opened on their own, outermost first
    int m_roots = 0;
    pugi::xml_document m_piece;
    std::string m_textPiece; // a piece that ends in text, with an end of its own
};
