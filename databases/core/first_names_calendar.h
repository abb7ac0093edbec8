#pragma once

// The calendar of French first names with their namedays that ships with
// the program as "FirstNames/PrénomsFrançais.bd1".

#include "databases/core/first_names_file.h"

namespace tallimo::databases {

// 1350 records, the names first in alphabetical order, the rest free.
FirstNameTable ShippedFirstNameCalendar();

} // namespace tallimo::databases
