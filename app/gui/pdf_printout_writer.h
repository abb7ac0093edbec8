#pragma once

// The companion tool's `print`: the counter's printouts drawn by the same
// functions as their preview windows, written as PDF.

#include "app/core/printout_request.h"
#include "common/core/local_clock.h"

#include <QGuiApplication>

#include <memory>

namespace tallimo::app {

class PdfPrintoutWriter final : public PrintoutWriter {
public:
    // The tickets are dated by `clock`.
    explicit PdfPrintoutWriter(const common::LocalClock& clock);
    ~PdfPrintoutWriter() override;
    PdfPrintoutWriter(const PdfPrintoutWriter&) = delete;
    PdfPrintoutWriter& operator=(const PdfPrintoutWriter&) = delete;

    bool writePdf(const PrintoutRequest& request, common::MessageSink& messages) override;

private:
    const common::LocalClock& m_clock;
    std::unique_ptr<QGuiApplication> m_application; // only when none was running
};

} // namespace tallimo::app
