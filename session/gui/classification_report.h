#pragma once

// The session classification on paper: the pages of the ranking shown,
// drawn inside the printing frame's 700 x 900 page, which adds the logo and
// the signature.

#include "printing/gui/report_printer.h"
#include "session/core/classification.h"

#include <string>

namespace tallimo::session {

// The texts are Windows-1252: the title as printed ("Séance" capitalised),
// "Piste : %s" and the date line noted when the window opened. The job
// holds its own copy of the rows; it has no page when no row is shown.
printing::ReportJob MakeClassificationJob(const ClassificationTable& shown,
                                          std::string printedTitle, std::string trackLine,
                                          std::string dateLine);

} // namespace tallimo::session
