#include "FuzzInput.h"
#include "engine/LinkExtractor.h"
#include "writers/LinkListReader.h"

using namespace corvano;

// Input: page, start, end and contains strings, separated by NUL bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto in = fuzz::fields(data, size, 4);
    const auto& page = in[0];
    const auto result = LinkExtractor::ExtractLinks(page, in[1], in[2], in[3]);
    if (result.error != LinkExtractor::Error::None && !result.linkList.empty())
        fuzz::violated("an error must come with an empty list");
    if (result.linkList.empty())
        return 0;
    if (result.linkList.find("|#|") == std::string::npos)
        fuzz::violated("a non-empty list holds \"|#|\"");
    // Without commas and bars on the page every record reads back whole, from the page.
    if (page.find_first_of(",|") != std::string::npos)
        return 0;
    for (const auto& record : LinkListReader::read(result.linkList)) {
        if (record.address.empty() || page.find(record.address) == std::string::npos ||
            page.find(record.title) == std::string::npos)
            fuzz::violated("every record is address and title taken from the page");
    }
    return 0;
}
