// libFuzzer target: the XML reader under the workbook parts, straight on the text
// (the zip around a real part keeps a fuzzer from reaching it quickly).
#include "data/xml_reader.h"

#include <cstdint>

namespace {

class Counter : public XmlHandler {
public:
    void Start(const std::string& name, const Attributes& attributes) override {
        size_ += name.size() + Find(attributes, "r").size();
    }
    void End(const std::string& name) override { size_ += name.size(); }
    void Text(const char*, size_t length) override { size_ += length; }

private:
    size_t size_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Counter counter;
    std::string error;
    ParseXml(std::string(reinterpret_cast<const char*>(data), size), counter, &error);
    return 0;
}
