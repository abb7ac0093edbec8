#pragma once

#include "app/assets/operator_guide_text.h"

#include <QByteArray>

#include <filesystem>
#include <string>

namespace tallimo::app::assets {

struct GuideRendering {
    QByteArray pdf; // empty when error is set
    int pages = 0;
    std::string error; // set when a page's text does not fit on it
};

// Lays the guide out on A4 pages, one GuidePage per sheet, with the logo in
// the header and "Page n / N" in the footer. Needs a QGuiApplication.
GuideRendering renderOperatorGuide(const std::vector<GuidePage>& pages);

// QPdfWriter stamps the time of writing into the document information;
// this puts a fixed date in its place, padded with blanks so that every
// byte offset of the cross-reference table stays right. A document without
// that entry is returned unchanged.
QByteArray withFixedCreationDate(const QByteArray& pdf);

// Renders operatorGuidePages() and writes the file; false with a reason
// when it cannot.
bool writeOperatorGuide(const std::filesystem::path& path, std::string& error);

} // namespace tallimo::app::assets
