#pragma once
// Reads an XML text through expat, handing elements and text to a handler as they
// come. Names arrive without their namespace (the local part), so "x:row" and "row"
// in the default namespace read alike; attributes are found the same way. A document
// type declaration is refused (no entity of a hostile file is ever expanded), and so
// is nesting deeper than a sane document needs.
#include <string>
#include <vector>

class XmlHandler {
public:
    struct Attribute {
        std::string name; // local name
        std::string value;
    };
    using Attributes = std::vector<Attribute>;

    virtual ~XmlHandler() = default;
    virtual void Start(const std::string& name, const Attributes& attributes) = 0;
    virtual void End(const std::string& name) = 0;
    // Character data, CDATA sections included, already unescaped (UTF-8).
    virtual void Text(const char* text, size_t length) = 0;

    // The value of the attribute with this local name, or "".
    static std::string Find(const Attributes& attributes, const std::string& name);
};

// False with the reason in *error when the text is not well-formed XML, declares a
// document type, nests too deeply, or the handler stopped by throwing XmlStop.
bool ParseXml(const std::string& xml, XmlHandler& handler, std::string* error);

// Thrown by a handler to end the parse with a reason.
struct XmlStop {
    std::string reason;
};
