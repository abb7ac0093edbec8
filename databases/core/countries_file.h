#pragma once

// The shipped list of country names ("BaseDonnéesPays.bd"): one name per
// LF-ended line, Windows-1252, read in file order into the country combos.

#include "common/core/message_sink.h"
#include "common/core/working_folder.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tallimo::databases {

constexpr int kMaxCountries = 208;
// A country name is cut to the width of the `country` fields.
constexpr std::size_t kCountryNameChars = 34;

// UTF-8, for `WorkingFolder::path`.
inline constexpr const char* kCountriesFileName = "BaseDonn\xC3\xA9"
                                                  "esPays.bd";

inline const char* const kCountriesErrorCaption = "Error";
inline const char* const kCountriesFileErrorText = "Error : 'Countries' database file not found";

// The names of the lines of `bytes`, at most 208, each cut to 34 characters.
std::vector<std::string> ParseCountriesFile(std::string_view bytes);
// One LF-ended line per name (at most 208).
std::string FormatCountriesFile(const std::vector<std::string>& names);

// The country names in file order, at most 208. False when the file cannot be opened.
bool LoadCountryNames(const std::filesystem::path& path, std::vector<std::string>& names);
// Writes the file whole; false when it cannot be written.
bool SaveCountryNames(const std::filesystem::path& path, const std::vector<std::string>& names);

// The working folder's list, with the message when it is missing.
bool LoadCountriesDatabase(const common::WorkingFolder& folder, std::vector<std::string>& names,
                           common::MessageSink& messages);

} // namespace tallimo::databases
