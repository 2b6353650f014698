#pragma once

#include <objbase.h>
#include <system_error>

namespace corvano {

// COM started on this thread as a single-threaded apartment, as windows and the imaging
// component need, for as long as the object lives.
class ComApartment
{
public:
    ComApartment()
    {
        const HRESULT result = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (FAILED(result))
            throw std::system_error(result, std::system_category(), "CoInitializeEx");
    }
    ~ComApartment() { ::CoUninitialize(); }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
};

} // namespace corvano
