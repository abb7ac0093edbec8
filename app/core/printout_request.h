#pragma once

// What `tallimo-tool print` asks for: one printout of the counter written
// as PDF from a working folder's files. The tool's rules (options, usage,
// exit codes) stay in the core; drawing the page needs Qt, so a writer
// from the GUI side is handed in.

#include "common/core/message_sink.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tallimo::app {

enum class PrintoutKind {
    Prices,        // price list of one kart category
    PrivatePrices, // price list of the private karts
    Ticket,        // reservation ticket of one kart of the session
    GroupTicket,   // ticket of the booked karts of one category
    Discounts,     // the discount events
    LoyaltyPoints, // a loyalty points list
    Sheet,         // information sheet of one subscriber
    Form,          // blank registration form
};

// Which loyalty points list: the points each session earns, the points a
// free session costs, or the subscribers' balances.
enum class LoyaltyList { Earned, FreeSession, Subscribers };

struct PrintoutRequest {
    PrintoutKind kind = PrintoutKind::Form;
    std::filesystem::path folder;
    std::optional<int> category; // 0-based kart category index
    std::string kart;            // kart label, Windows-1252
    std::string surname;         // subscriber, Windows-1252
    std::string firstName;
    int copies = 1;
    LoyaltyList list = LoyaltyList::Earned;
    std::filesystem::path pdf;
};

class PrintoutWriter {
public:
    virtual ~PrintoutWriter() = default;
    // Loads what the printout needs from `request.folder`, reporting each
    // file's message to `messages`, and writes the PDF. False when the
    // printout cannot be made (a file it cannot do without, an unknown
    // kart or subscriber) or the PDF cannot be written.
    virtual bool writePdf(const PrintoutRequest& request, common::MessageSink& messages) = 0;
};

} // namespace tallimo::app
