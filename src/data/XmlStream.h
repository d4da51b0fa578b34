#pragma once
// A pull reader of XML for the spreadsheet readers: it reads its input in blocks,
// so a part is never held whole, and matches elements and attributes by their local
// names (the part after any prefix), whatever prefixes a writer chose.
//
// It knows elements, attributes, text, CDATA sections, comments and processing
// instructions, and the five predefined entities and character references. A
// document type declaration, a mismatched end tag, text outside the root or a
// document cut short make the input damaged; nesting deeper than kMaxDepth and a
// single tag or text over kMaxToken bytes make it too large.
#include <QString>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class XmlStream {
public:
    // Gives up to `max` bytes into `out`: the count, 0 at the end, -1 on failure.
    using Source = std::function<qint64(char *out, qint64 max)>;

    static constexpr int kMaxDepth = 256;
    static constexpr size_t kMaxToken = size_t(32) << 20;

    enum Token { StartElement, EndElement, Text, EndDocument, Invalid };
    enum Failure { None, Damaged, TooDeep, TooLarge, SourceFailed };

    explicit XmlStream(Source source);

    // The next token. A self-closing element gives a start and then an end.
    Token next();

    // The element's local name (start and end tokens).
    std::string_view name() const { return m_local; }
    bool is(std::string_view local) const { return m_local == local; }
    // The depth of the element (the root is 1); for text, that of its element.
    int depth() const { return m_depth; }
    // The value of the start tag's attribute with this local name, entities decoded;
    // empty when it has none. Valid until the next call.
    std::string_view attribute(std::string_view local);
    bool hasAttribute(std::string_view local) const;
    // The decoded text of a text token; valid until next().
    std::string_view text() const { return m_text; }

    Failure failure() const { return m_failure; }

private:
    struct Attribute {
        std::string_view local;
        std::string_view value;
    };
    Token fail(Failure why);
    bool fill();
    // Finds `what` at or after offset `from` of the unread input, reading more as
    // needed; the offset from m_pos, or npos.
    size_t find(std::string_view what, size_t from);
    size_t find(char what, size_t from);
    size_t findTagEnd();
    Token startTag(size_t end);
    Token endTag(size_t end);
    bool decode(std::string_view raw, std::string &out);

    Source m_source;
    std::string m_buffer;
    size_t m_pos = 0;
    bool m_sourceEnded = false;
    Failure m_failure = None;
    std::vector<std::string> m_open;  // names of the open elements
    bool m_rootSeen = false;
    bool m_pendingEnd = false;        // a self-closing element's end comes next
    int m_depth = 0;
    std::string_view m_local;
    std::string m_name;
    std::vector<Attribute> m_attributes;
    std::string m_attributeValue;
    std::string_view m_text;
    std::string m_decoded;
};

// Appends the code point to `out` as UTF-8.
void Append_Utf8(std::string &out, char32_t c);
