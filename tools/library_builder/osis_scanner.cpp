// The tolerant OSIS tag scanner.
#include "tools/library_builder/osis_scanner.h"

#include "platform/ansi_text.h"

namespace kvx::library {
namespace {

bool IsNameStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':'; }
bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Finds attribute `attribute` in raw attribute text; the value without quotes, or
// npos in found when absent. Values without quotes run to the next space.
bool FindAttribute(std::string_view raw, std::string_view attribute, std::string_view& value) {
    size_t i = 0;
    while (i < raw.size()) {
        while (i < raw.size() && !IsNameStart(raw[i])) ++i;
        size_t nameStart = i;
        while (i < raw.size() && IsNameChar(raw[i])) ++i;
        std::string_view name = raw.substr(nameStart, i - nameStart);
        while (i < raw.size() && IsSpace(raw[i])) ++i;
        std::string_view found;
        if (i < raw.size() && raw[i] == '=') {
            ++i;
            while (i < raw.size() && IsSpace(raw[i])) ++i;
            if (i < raw.size() && (raw[i] == '"' || raw[i] == '\'')) {
                char quote = raw[i++];
                size_t end = raw.find(quote, i);
                if (end == std::string_view::npos) end = raw.size();
                found = raw.substr(i, end - i);
                i = end + 1;
            } else {
                size_t start = i;
                while (i < raw.size() && !IsSpace(raw[i])) ++i;
                found = raw.substr(start, i - start);
            }
        }
        if (!name.empty() && name == attribute) {
            value = found;
            return true;
        }
        if (name.empty() && i < raw.size()) ++i;
    }
    return false;
}

}  // namespace

std::string TOsisToken::Attribute(std::string_view attribute) const {
    std::string_view value;
    return FindAttribute(attributes, attribute, value) ? DecodeEntities(value) : std::string();
}

bool TOsisToken::HasAttribute(std::string_view attribute) const {
    std::string_view value;
    return FindAttribute(attributes, attribute, value);
}

bool TOsisScanner::Next(TOsisToken& token) {
    token = TOsisToken{};
    // Comments, declarations and processing instructions carry no text: skip them.
    while (pos_ < markup_.size() && markup_[pos_] == '<') {
        size_t close = markup_.find('>', pos_ + 1);
        size_t nextOpen = markup_.find('<', pos_ + 1);
        // A tag runs to the first '>' and must not contain another '<'.
        if (close == std::string_view::npos || (nextOpen != std::string_view::npos && nextOpen < close)) break;
        std::string_view inner = markup_.substr(pos_ + 1, close - pos_ - 1);
        if (!inner.empty() && (inner[0] == '!' || inner[0] == '?')) {
            pos_ = close + 1;
            continue;
        }
        bool end = !inner.empty() && inner[0] == '/';
        if (end) inner.remove_prefix(1);
        if (inner.empty() || !IsNameStart(inner[0])) break;
        size_t n = 0;
        while (n < inner.size() && IsNameChar(inner[n])) ++n;
        token.name = inner.substr(0, n);
        std::string_view rest = inner.substr(n);
        bool empty = !rest.empty() && rest.back() == '/';
        if (empty) rest.remove_suffix(1);
        token.attributes = rest;
        token.kind = end ? TOsisToken::Kind::End : empty ? TOsisToken::Kind::Empty : TOsisToken::Kind::Start;
        pos_ = close + 1;
        return true;
    }
    if (pos_ >= markup_.size()) return false;
    // Text up to the next '<'; a '<' that opens no tag is part of it.
    const size_t start = pos_;
    size_t next = markup_.find('<', pos_ + 1);
    pos_ = next == std::string_view::npos ? markup_.size() : next;
    token.kind = TOsisToken::Kind::Text;
    token.text = DecodeEntities(markup_.substr(start, pos_ - start));
    return true;
}

std::string DecodeEntities(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '&') {
            out += text[i++];
            continue;
        }
        size_t semi = text.find(';', i + 1);
        if (semi == std::string_view::npos || semi - i > 10) {
            out += text[i++];
            continue;
        }
        std::string_view name = text.substr(i + 1, semi - i - 1);
        bool known = true;
        if (name == "amp") out += '&';
        else if (name == "lt") out += '<';
        else if (name == "gt") out += '>';
        else if (name == "quot") out += '"';
        else if (name == "apos") out += '\'';
        else if (name.size() > 1 && name[0] == '#') {
            bool hex = name[1] == 'x' || name[1] == 'X';
            std::string_view digits = name.substr(hex ? 2 : 1);
            char32_t cp = 0;
            known = !digits.empty();
            for (char c : digits) {
                int d = c >= '0' && c <= '9' ? c - '0'
                        : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                      : -1;
                if (d < 0 || cp > 0x10FFFF) {
                    known = false;
                    break;
                }
                cp = cp * (hex ? 16 : 10) + static_cast<char32_t>(d);
            }
            if (known && (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) known = false;
            if (known) AppendUtf8(out, cp);
        } else {
            known = false;
        }
        if (known) {
            i = semi + 1;
        } else {
            out += text[i++];
        }
    }
    return out;
}

}  // namespace kvx::library
