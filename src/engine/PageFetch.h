#pragma once

#include "MainSurface.h"
#include "platform/Transfer.h"

#include <string>

namespace corvano {

// The download of the list page, shared by the generation run and the list suggestion.
namespace PageFetch {

// Starts the one GET of the page with the transfer settings of a run.
void begin(Transfer& transfer, const std::string& address);
// The box of an address that is wrong or a page that could not be fetched.
void reportAddressError(MainSurface& surface);
// One tick of the status animation while the page downloads; it stops itself afterwards.
void animate(MainSurface& surface, const Transfer& transfer);

} // namespace PageFetch

} // namespace corvano
