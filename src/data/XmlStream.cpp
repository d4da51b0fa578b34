#include "XmlStream.h"

#include <cstring>

namespace {

constexpr qint64 kBlock = 1 << 18;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string_view localOf(std::string_view name)
{
    const size_t colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
    while (!s.empty() && isSpace(s.back())) s.remove_suffix(1);
    return s;
}

// The code of a character reference body ("#65", "#x41"); 0 when invalid.
char32_t characterReference(std::string_view body)
{
    const bool hex = body.size() > 1 && body[1] == 'x';
    body.remove_prefix(hex ? 2 : 1);
    if (body.empty() || body.size() > 8) return 0;
    char32_t code = 0;
    for (char c : body) {
        int digit;
        if (c >= '0' && c <= '9') digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
        else return 0;
        code = code * (hex ? 16 : 10) + char32_t(digit);
    }
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return code;
}

// True when the text needs decoding: it holds an entity or a carriage return.
bool needsDecoding(std::string_view s)
{
    for (char c : s)
        if (c == '&' || c == '\r') return true;
    return false;
}

bool isNameBreaker(char c) { return c == '"' || c == '\'' || c == '=' || c == '/' || c == '<' || c == '&'; }

} // namespace

XmlStream::XmlStream(Source source) : m_source(std::move(source)) {}

XmlStream::Token XmlStream::fail(Failure why)
{
    if (m_failure == None) m_failure = why;
    return Invalid;
}

bool XmlStream::fill()
{
    if (m_sourceEnded || m_failure != None) return false;
    if (m_pos > 0) {
        m_buffer.erase(0, m_pos);
        m_pos = 0;
    }
    const size_t used = m_buffer.size();
    m_buffer.resize(used + size_t(kBlock));
    const qint64 n = m_source(m_buffer.data() + used, kBlock);
    m_buffer.resize(used + size_t(n > 0 ? n : 0));
    if (n < 0) {
        fail(SourceFailed);
        return false;
    }
    if (n == 0) m_sourceEnded = true;
    return n > 0;
}

size_t XmlStream::find(std::string_view what, size_t from)
{
    for (;;) {
        const std::string_view unread(m_buffer.data() + m_pos, m_buffer.size() - m_pos);
        const size_t at = unread.find(what, from);
        if (at != std::string_view::npos) return at;
        if (unread.size() > kMaxToken) {
            fail(TooLarge);
            return std::string_view::npos;
        }
        from = unread.size() >= what.size() ? unread.size() - what.size() + 1 : 0;
        if (!fill()) return std::string_view::npos;
    }
}

size_t XmlStream::find(char what, size_t from)
{
    for (;;) {
        const size_t unread = m_buffer.size() - m_pos;
        if (from < unread) {
            const void *at = std::memchr(m_buffer.data() + m_pos + from, what, unread - from);
            if (at) return size_t(static_cast<const char *>(at) - (m_buffer.data() + m_pos));
        }
        if (unread > kMaxToken) {
            fail(TooLarge);
            return std::string_view::npos;
        }
        from = std::max(from, unread);
        if (!fill()) return std::string_view::npos;
    }
}

size_t XmlStream::findTagEnd()
{
    char quote = 0;
    for (size_t i = 1;; ++i) {
        if (m_pos + i >= m_buffer.size()) {
            if (i > kMaxToken) {
                fail(TooLarge);
                return std::string_view::npos;
            }
            if (!fill()) return std::string_view::npos;
        }
        const char c = m_buffer[m_pos + i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i;
        } else if (c == '<') {
            return std::string_view::npos;
        }
    }
}

bool XmlStream::decode(std::string_view raw, std::string &out)
{
    out.clear();
    for (size_t i = 0; i < raw.size();) {
        size_t special = i;
        while (special < raw.size() && raw[special] != '&' && raw[special] != '\r') ++special;
        if (special == raw.size()) special = std::string_view::npos;
        out.append(raw.substr(i, special == std::string_view::npos ? std::string_view::npos : special - i));
        if (special == std::string_view::npos) break;
        if (raw[special] == '\r') {  // line ends read as LF
            out += '\n';
            i = special + (special + 1 < raw.size() && raw[special + 1] == '\n' ? 2 : 1);
            continue;
        }
        const size_t semicolon = raw.find(';', special);
        if (semicolon == std::string_view::npos || semicolon - special > 12) return false;
        const std::string_view body = raw.substr(special + 1, semicolon - special - 1);
        if (body == "lt") out += '<';
        else if (body == "gt") out += '>';
        else if (body == "amp") out += '&';
        else if (body == "quot") out += '"';
        else if (body == "apos") out += '\'';
        else if (!body.empty() && body[0] == '#') {
            const char32_t code = characterReference(body);
            if (code == 0) return false;
            Append_Utf8(out, code);
        } else {
            return false;
        }
        i = semicolon + 1;
    }
    return true;
}

XmlStream::Token XmlStream::startTag(size_t end)
{
    std::string_view tag(m_buffer.data() + m_pos + 1, end - 1);
    const bool selfClosing = !tag.empty() && tag.back() == '/';
    if (selfClosing) tag.remove_suffix(1);
    size_t i = 0;
    while (i < tag.size() && !isSpace(tag[i])) ++i;
    const std::string_view name = tag.substr(0, i);
    if (name.empty()) return fail(Damaged);
    for (char c : name)
        if (isNameBreaker(c)) return fail(Damaged);
    m_attributes.clear();
    for (;;) {
        while (i < tag.size() && isSpace(tag[i])) ++i;
        if (i == tag.size()) break;
        const size_t nameStart = i;
        while (i < tag.size() && !isSpace(tag[i]) && tag[i] != '=') ++i;
        const std::string_view attribute = tag.substr(nameStart, i - nameStart);
        while (i < tag.size() && isSpace(tag[i])) ++i;
        if (attribute.empty() || i + 1 >= tag.size() || tag[i] != '=') return fail(Damaged);
        ++i;
        while (i < tag.size() && isSpace(tag[i])) ++i;
        if (i >= tag.size() || (tag[i] != '"' && tag[i] != '\'')) return fail(Damaged);
        const size_t close = tag.find(tag[i], i + 1);
        if (close == std::string_view::npos) return fail(Damaged);
        m_attributes.push_back({localOf(attribute), tag.substr(i + 1, close - i - 1)});
        i = close + 1;
    }
    if (m_open.size() >= size_t(kMaxDepth)) return fail(TooDeep);
    if (m_open.empty() && m_rootSeen) return fail(Damaged);
    m_rootSeen = true;
    m_open.emplace_back(name);
    m_depth = int(m_open.size());
    m_name = m_open.back();
    m_local = localOf(m_name);
    m_pos += end + 1;
    m_pendingEnd = selfClosing;
    return StartElement;
}

XmlStream::Token XmlStream::endTag(size_t end)
{
    const std::string_view name = trimmed(std::string_view(m_buffer.data() + m_pos + 2, end - 2));
    if (m_open.empty() || name != m_open.back()) return fail(Damaged);
    m_depth = int(m_open.size());
    m_name = std::move(m_open.back());
    m_open.pop_back();
    m_local = localOf(m_name);
    m_pos += end + 1;
    return EndElement;
}

XmlStream::Token XmlStream::next()
{
    if (m_failure != None) return Invalid;
    m_text = {};
    if (m_pendingEnd) {
        m_pendingEnd = false;
        m_depth = int(m_open.size());
        m_open.pop_back();
        return EndElement;
    }
    for (;;) {
        if (m_pos >= m_buffer.size() && !fill()) {
            if (m_failure != None) return Invalid;
            if (!m_open.empty() || !m_rootSeen) return fail(Damaged);
            return EndDocument;
        }
        if (!m_rootSeen && m_buffer[m_pos] == '\xEF') {  // a byte-order mark
            while (m_buffer.size() - m_pos < 3 && fill()) {
            }
            if (m_buffer.compare(m_pos, 3, "\xEF\xBB\xBF") != 0) return fail(Damaged);
            m_pos += 3;
            continue;
        }
        if (m_buffer[m_pos] != '<') {
            size_t end = find('<', 0);
            if (end == std::string_view::npos) {
                if (m_failure != None) return Invalid;
                end = m_buffer.size() - m_pos;  // text up to the end of the input
            }
            const std::string_view raw(m_buffer.data() + m_pos, end);
            m_pos += end;
            if (m_open.empty()) {
                if (!trimmed(raw).empty()) return fail(Damaged);
                continue;
            }
            if (!needsDecoding(raw)) {
                m_text = raw;
            } else {
                if (!decode(raw, m_decoded)) return fail(Damaged);
                m_text = m_decoded;
            }
            m_depth = int(m_open.size());
            return Text;
        }
        while (m_buffer.size() - m_pos < 9 && fill()) {
        }
        if (m_failure != None) return Invalid;
        const std::string_view head(m_buffer.data() + m_pos, std::min<size_t>(9, m_buffer.size() - m_pos));
        if (head.substr(0, 2) == "<?") {
            const size_t end = find("?>", 2);
            if (end == std::string_view::npos) return fail(Damaged);
            m_pos += end + 2;
        } else if (head.substr(0, 4) == "<!--") {
            const size_t end = find("-->", 4);
            if (end == std::string_view::npos) return fail(Damaged);
            m_pos += end + 3;
        } else if (head == "<![CDATA[") {
            const size_t end = find("]]>", 9);
            if (end == std::string_view::npos || m_open.empty()) return fail(Damaged);
            m_text = std::string_view(m_buffer.data() + m_pos + 9, end - 9);
            m_pos += end + 3;
            m_depth = int(m_open.size());
            return Text;
        } else if (head.substr(0, 2) == "<!") {
            return fail(Damaged);  // document types (and their entities) are not read
        } else if (head.substr(0, 2) == "</") {
            const size_t end = find('>', 2);
            if (end == std::string_view::npos) return fail(Damaged);
            return endTag(end);
        } else {
            const size_t end = findTagEnd();
            if (end == std::string_view::npos) return fail(Damaged);
            return startTag(end);
        }
    }
}

std::string_view XmlStream::attribute(std::string_view local)
{
    for (const Attribute &a : m_attributes) {
        if (a.local != local) continue;
        if (!needsDecoding(a.value)) return a.value;
        if (!decode(a.value, m_attributeValue)) return {};
        return m_attributeValue;
    }
    return {};
}

bool XmlStream::hasAttribute(std::string_view local) const
{
    for (const Attribute &a : m_attributes)
        if (a.local == local) return true;
    return false;
}

void Append_Utf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}
