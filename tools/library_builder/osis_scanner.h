// A forgiving reader of the OSIS mark-up that SWORD modules store per verse. The
// stored lines are fragments, not documents: milestones stand in for nested elements,
// end tags come without their start tags and stray characters sit between tags, so
// this scanner reports what it finds and leaves the structure to its caller.
#pragma once

#include <string>
#include <string_view>

namespace kvx::library {

struct TOsisToken {
    enum class Kind { Text, Start, End, Empty };
    Kind kind = Kind::Text;
    std::string_view name;        // element name of a tag
    std::string_view attributes;  // the raw attribute text of a start or empty tag
    std::string text;             // Text: the characters with entities decoded (UTF-8)

    bool IsTag(std::string_view element) const { return kind != Kind::Text && name == element; }
    // The decoded value of an attribute; empty when the tag has none of that name.
    std::string Attribute(std::string_view attribute) const;
    bool HasAttribute(std::string_view attribute) const;

    // Milestones are empty tags standing for the start (sID) or end (eID) of an element;
    // Opens and Closes take them as the start and end tags they stand for.
    bool IsMilestoneStart() const { return kind == Kind::Empty && HasAttribute("sID"); }
    bool IsMilestoneEnd() const { return kind == Kind::Empty && HasAttribute("eID"); }
    bool Opens() const { return kind == Kind::Start || IsMilestoneStart(); }
    bool Closes() const { return kind == Kind::End || IsMilestoneEnd(); }
};

class TOsisScanner {
public:
    explicit TOsisScanner(std::string_view markup) : markup_(markup) {}
    // The next token; false at the end. Text runs are reported whole, up to the next
    // tag. A '<' that does not open a well-formed tag is text.
    bool Next(TOsisToken& token);

private:
    std::string_view markup_;
    size_t pos_ = 0;
};

// Replaces the XML character references (&amp; &lt; &gt; &quot; &apos; &#N; &#xN;) by
// the characters they stand for, in UTF-8. Anything else after '&' stays as it is.
std::string DecodeEntities(std::string_view text);

}  // namespace kvx::library
