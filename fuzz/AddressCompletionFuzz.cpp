#include "FuzzInput.h"
#include "engine/AddressCompletion.h"

using namespace corvano;

// Input: page text, NUL, the page's address, NUL, a link address.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto input = fuzz::fields(data, size, 3);
    const std::string& address = input[2];
    const std::string base = AddressCompletion::baseOf(input[0], input[1]);
    const AddressCompletion completion(base);
    // The base is the page's address or one that really completes.
    if (base != input[1] && completion.complete("x") == "x")
        fuzz::violated("a <base> that completes nothing replaced the page's address");
    const std::string completed = completion.complete(address);
    if (completed != address && completed.find(':') == std::string::npos)
        fuzz::violated("a changed address without a scheme");
    const std::string scripted = "javascript:" + address;
    if (completion.complete(scripted) != scripted)
        fuzz::violated("an address with a scheme changed");
    return 0;
}
