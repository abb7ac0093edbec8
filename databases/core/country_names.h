#pragma once

// The country names shipped in "BaseDonnéesPays.bd": the countries and a few
// territories, in French, in the order a French reader looks them up
// (accents and case ignored). Windows-1252 bytes.

#include <string>
#include <vector>

namespace tallimo::databases {

// Exactly 208 distinct names of at most 34 characters.
const std::vector<std::string>& ShippedCountryNames();

} // namespace tallimo::databases
