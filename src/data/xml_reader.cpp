#include "data/xml_reader.h"

#include <algorithm>
#include <expat.h>
#include <memory>

namespace {

// Expat joins a namespace and a local name with this character.
constexpr char kSeparator = '\x01';
constexpr int kMaxDepth = 256;

std::string LocalName(const char* name) {
    std::string text = name;
    size_t separator = text.rfind(kSeparator);
    return separator == std::string::npos ? text : text.substr(separator + 1);
}

struct Run {
    XML_Parser parser;
    XmlHandler& handler;
    int depth = 0;
    std::string stopped; // why the parse was stopped, or empty
    XmlHandler::Attributes attributes;

    void Stop(const std::string& reason) {
        if (stopped.empty()) stopped = reason;
        XML_StopParser(parser, XML_FALSE);
    }
};

// Handlers run inside expat's C frames: nothing may be thrown through them.
template <typename Call> void Guarded(void* data, Call call) {
    auto* run = static_cast<Run*>(data);
    if (!run->stopped.empty()) return;
    try {
        call(*run);
    } catch (const XmlStop& stop) {
        run->Stop(stop.reason);
    } catch (const std::exception& failure) {
        run->Stop(failure.what());
    }
}

void OnStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    Guarded(data, [&](Run& run) {
        if (++run.depth > kMaxDepth) return run.Stop("elements are nested too deeply");
        run.attributes.clear();
        for (const XML_Char** a = attributes; *a; a += 2)
            run.attributes.push_back({LocalName(a[0]), a[1]});
        run.handler.Start(LocalName(name), run.attributes);
    });
}

void OnEnd(void* data, const XML_Char* name) {
    Guarded(data, [&](Run& run) {
        --run.depth;
        run.handler.End(LocalName(name));
    });
}

void OnText(void* data, const XML_Char* text, int length) {
    Guarded(data, [&](Run& run) { run.handler.Text(text, static_cast<size_t>(length)); });
}

void OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    static_cast<Run*>(data)->Stop("a document type declaration is not accepted");
}

} // namespace

std::string XmlHandler::Find(const Attributes& attributes, const std::string& name) {
    for (const Attribute& attribute : attributes)
        if (attribute.name == name) return attribute.value;
    return std::string();
}

bool ParseXml(const std::string& xml, XmlHandler& handler, std::string* error) {
    std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(
        XML_ParserCreateNS("UTF-8", kSeparator), XML_ParserFree);
    if (!parser) {
        if (error) *error = "out of memory";
        return false;
    }
    Run run{parser.get(), handler, 0, {}, {}};
    XML_SetUserData(parser.get(), &run);
    XML_SetElementHandler(parser.get(), OnStart, OnEnd);
    XML_SetCharacterDataHandler(parser.get(), OnText);
    XML_SetStartDoctypeDeclHandler(parser.get(), OnDoctype);
    // Parts larger than expat's int are fed in pieces.
    constexpr size_t kPiece = 1 << 30;
    size_t done = 0;
    XML_Status status = XML_STATUS_OK;
    do {
        const size_t piece = std::min(kPiece, xml.size() - done);
        const bool last = done + piece == xml.size();
        status = XML_Parse(parser.get(), xml.data() + done, static_cast<int>(piece), last);
        done += piece;
    } while (status == XML_STATUS_OK && done < xml.size());
    if (!run.stopped.empty()) {
        if (error) *error = run.stopped;
        return false;
    }
    if (status != XML_STATUS_OK) {
        if (error)
            *error = std::string(XML_ErrorString(XML_GetErrorCode(parser.get()))) + " at line " +
                     std::to_string(XML_GetCurrentLineNumber(parser.get()));
        return false;
    }
    return true;
}
